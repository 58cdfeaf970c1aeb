// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/ChmBrowser.h"
#include "help/ChmHelpViewer.h"
#include "help/ChmHelpWindow.h"
#include "help/core/ChmFile.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString pageText(ChmHelpWindow *window)
{
    return window->browser()->document()->toPlainText();
}

} // namespace

class tst_ChmHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsDefaultTopicInOwnedWindow()
    {
        QWidget owner;
        owner.show();
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));

        ChmHelpWindow *window = viewer.window(QStringLiteral(TEST_CHM));
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), &owner);
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("テスト用ヘルプ"));
        QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/pages/start.html")));
        QVERIFY2(pageText(window).contains(QStringLiteral("既定のトピックです。")),
                 qPrintable(pageText(window)));
    }

    void stylesheetAndImageComeFromTheFile()
    {
        QWidget owner;
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        ChmHelpWindow *window = viewer.window(QStringLiteral(TEST_CHM));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // The stylesheet, linked as "../style.css", colours this span green.
        QTextDocument *doc = window->browser()->document();
        const QTextCursor green = doc->find(QStringLiteral("緑の文字"));
        QVERIFY(!green.isNull());
        QCOMPARE(green.charFormat().foreground().color(), QColor(0, 0x80, 0));

        // The image, "../img/red.xpm", is drawn: the page shows pure red somewhere.
        const QImage shot = window->browser()->viewport()->grab().toImage();
        bool red = false;
        for (int y = 0; y < shot.height() && !red; ++y) {
            for (int x = 0; x < shot.width() && !red; ++x)
                red = shot.pixelColor(x, y) == QColor(255, 0, 0);
        }
        QVERIFY(red);
    }

    // A picture of 2100 x 2100 pixels, named four ways (names ignore case): the page's pictures may
    // take 16 M pixels, so the fourth is left out, until the next page.
    void picturesTakeBoundedPixels()
    {
        ChmBrowser browser;
        browser.setHelpFile(std::make_shared<const ChmFile>(QStringLiteral(TEST_CHM)));
        browser.showPage(QStringLiteral("/index.html"));
        const auto picture = [&browser](const char *name) {
            return browser
                .loadResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)))
                .value<QImage>();
        };
        QCOMPARE(picture("chm:/img/large.png").size(), QSize(2100, 2100));
        QVERIFY(!picture("chm:/IMG/large.png").isNull());
        QVERIFY(!picture("chm:/img/LARGE.PNG").isNull());
        QVERIFY(picture("chm:/Img/Large.png").isNull());
        browser.showPage(QStringLiteral("/sjis.html"));
        QVERIFY(!picture("chm:/img/large.png").isNull());
        QVERIFY(!picture("chm:/img/red.xpm").isNull());
    }

    void linkLeadsToShiftJisPage()
    {
        QWidget owner;
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        ChmHelpWindow *window = viewer.window(QStringLiteral(TEST_CHM));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));

        // Tab selects the page's first link, Return follows it, as a reader would.
        ChmBrowser *browser = window->browser();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/sjis.html")));
        QVERIFY2(pageText(window).contains(QStringLiteral("全角－マイナスと～波線")),
                 qPrintable(pageText(window)));

        // Its link back, "pages/start.html", resolves from the top folder.
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/pages/start.html")));
        QVERIFY(browser->isBackwardAvailable());
    }

    void helpAgainShowsTheSameWindowAtTheDefaultTopic()
    {
        QWidget owner;
        owner.show();
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        ChmHelpWindow *first = viewer.window(QStringLiteral(TEST_CHM));
        QVERIFY(first);
        first->browser()->showPage(QStringLiteral("sjis.html"));
        first->close();
        QVERIFY(!first->isVisible());

        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        QCOMPARE(viewer.window(QStringLiteral(TEST_CHM)), first);
        QCOMPARE(owner.findChildren<ChmHelpWindow *>().size(), 1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->browser()->source(), QUrl(QStringLiteral("chm:/pages/start.html")));
        // The reopened file starts a fresh history: nothing to go back to, home is the topic.
        QVERIFY(!first->browser()->isBackwardAvailable());
        first->browser()->showPage(QStringLiteral("sjis.html"));
        first->browser()->home();
        QCOMPARE(first->browser()->source(), QUrl(QStringLiteral("chm:/pages/start.html")));
    }

    void unreadableFileShowsMessage_data()
    {
        QTest::addColumn<QByteArray>("content"); // "-" for no file at all
        QTest::newRow("missing") << QByteArray("-");
        QTest::newRow("junk") << QByteArray("MZ\x90\0 not a help file").repeated(20);
        QTest::newRow("empty") << QByteArray();
        // Directories that sent chmlib round a loop for ever, freezing the window at Help.
        for (const char *loop : {"listing-chain-loop", "index-root-loop"}) {
            QFile file(QStringLiteral(CHM_CORPUS "/%1.chm").arg(QLatin1String(loop)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(loop) << file.readAll();
        }
    }
    void unreadableFileShowsMessage()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zqHelp.chm"));
        if (content != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QWidget owner;
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, path);
        ChmHelpWindow *window = viewer.window(path);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY2(pageText(window).contains(QStringLiteral("を開けませんでした")),
                 qPrintable(pageText(window)));
        QVERIFY(pageText(window).contains(path));

        // Once the file is there, Help shows it in the same window.
        QFile::remove(path);
        QVERIFY(QFile::copy(QStringLiteral(TEST_CHM), path));
        viewer.displayTopic(&owner, path);
        QCOMPARE(viewer.window(path), window);
        QVERIFY(pageText(window).contains(QStringLiteral("既定のトピックです。")));
    }

    void closeAllClosesEveryHelpWindow()
    {
        QWidget owner;
        owner.show();
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        viewer.displayTopic(&owner, QStringLiteral(NOTOPIC_CHM));
        const QPointer<ChmHelpWindow> one = viewer.window(QStringLiteral(TEST_CHM));
        const QPointer<ChmHelpWindow> two = viewer.window(QStringLiteral(NOTOPIC_CHM));
        QVERIFY(one && two && one != two);
        QVERIFY(one->isVisible() && two->isVisible());

        viewer.closeAll();
        QVERIFY(!one->isVisible());
        QVERIFY(!two->isVisible());
        QVERIFY(!viewer.window(QStringLiteral(TEST_CHM)));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!one && !two);
        QVERIFY(owner.isVisible());
    }

    // The help window must not cover the owner's top band, where its Help and Exit buttons lie.
    void helpWindowLeavesOwnerButtonsInReach_data()
    {
        QTest::addColumn<QSize>("ownerSize");
        QTest::newRow("main window size") << QSize(631, 452);
        QTest::newRow("small owner") << QSize(200, 150);
    }
    void helpWindowLeavesOwnerButtonsInReach()
    {
        QFETCH(QSize, ownerSize);
        QWidget owner;
        owner.resize(ownerSize);
        QRect ownerFrame(QPoint(), ownerSize);
        ownerFrame.moveCenter(owner.screen()->availableGeometry().center());
        owner.move(ownerFrame.topLeft());
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        ChmHelpViewer viewer;
        viewer.displayTopic(&owner, QStringLiteral(TEST_CHM));
        const QRect help = viewer.window(QStringLiteral(TEST_CHM))->frameGeometry();
        const QRect band(owner.frameGeometry().topLeft(), QSize(owner.frameGeometry().width(), 90));
        QVERIFY(!help.intersects(band));
        QVERIFY(owner.screen()->availableGeometry().contains(help));
    }
};

QTEST_MAIN(tst_ChmHelpViewer)
#include "tst_chmhelpviewer.moc"
