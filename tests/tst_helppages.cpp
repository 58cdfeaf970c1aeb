// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtJapanese.h"
#include "help/ChmBrowser.h"
#include "help/ChmHelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

// The help file as a reader meets it in the program's own viewer, at the viewer's size: lines
// that break well, one spelling, texts that match what the program shows.
namespace {

const char *const pages[] = {"index.html",  "asobikata.html", "settei.html",
                             "rireki.html", "seiseki.html",   "data.html"};

// The help file built from the pages; a test run may name another one to compare against.
QString helpFile()
{
    return qEnvironmentVariable("KETAMORI_TEST_HELP_FILE", QStringLiteral(ZQHELP_CHM));
}

QString withoutMnemonic(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    text.remove(QLatin1Char('&'));
    return text;
}

} // namespace

class tst_HelpPages : public QObject
{
    Q_OBJECT

private:
    ChmHelpWindow *m_window = nullptr;

    QTextDocument *show(const char *page)
    {
        m_window->browser()->showPage(QString::fromLatin1(page));
        QTextDocument *doc = m_window->browser()->document();
        doc->documentLayout()->documentSize(); // lays out every block at the viewer's width
        return doc;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QtJapanese::install();
        m_window = new ChmHelpWindow(nullptr);
        m_window->openFile(helpFile());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase() { delete m_window; }

    void pages_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : pages)
            QTest::newRow(page) << QString::fromLatin1(page);
    }

    // No paragraph ends on a line of its own holding a scrap such as "す。".
    void noScrapOnALineOfItsOwn_data() { pages_data(); }
    void noScrapOnALineOfItsOwn()
    {
        QFETCH(QString, page);
        QTextDocument *doc = show(qPrintable(page));
        QVERIFY(doc->toPlainText().size() > 100);
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            if (!layout || layout->lineCount() < 2)
                continue;
            const QTextLine last = layout->lineAt(layout->lineCount() - 1);
            const QString scrap = block.text().mid(last.textStart(), last.textLength()).trimmed();
            QVERIFY2(scrap.size() > 2,
                     qPrintable(QStringLiteral("「%1」 alone on a line after 「%2」")
                                    .arg(scrap, block.text())));
        }
    }

    // フォルダ, never フォルダー.
    void oneSpellingOfFolder_data() { pages_data(); }
    void oneSpellingOfFolder()
    {
        QFETCH(QString, page);
        const QString text = show(qPrintable(page))->toPlainText();
        QVERIFY2(!text.contains(QStringLiteral("フォルダー")), qPrintable(page));
    }

    // The example history line stands on one line of its own, in a face in which the marks take
    // two columns, as their two bytes do in the file.
    void exampleRecordOnOneLineInFullWidth()
    {
        QTextDocument *doc = show("data.html");
        const QString record = QStringLiteral(
            "\"2001/02/03\",\"04:05:06\",\"○○×－－－－－－－－－－－－\",2,1,\"66.7%\",\"5秒\"");
        QTextBlock found;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            if (block.text().contains(record))
                found = block;
        }
        QVERIFY(found.isValid());
        QCOMPARE(found.text().trimmed(), record);
        QCOMPARE(found.layout()->lineCount(), 1);

        const QTextCursor digit = doc->find(QStringLiteral("\"2001/02/03\""));
        QVERIFY(!digit.isNull());
        const QFontMetricsF metrics(digit.charFormat().font());
        const qreal column = metrics.horizontalAdvance(QLatin1Char('0'));
        QVERIFY(metrics.horizontalAdvance(QLatin1Char('/')) == column); // fixed width
        for (const QString &mark :
             {QStringLiteral("○"), QStringLiteral("×"), QStringLiteral("－")}) {
            QVERIFY2(qAbs(metrics.horizontalAdvance(mark) - 2 * column) < 0.5,
                     qPrintable(QStringLiteral("%1 is %2 px wide, a column %3 px")
                                    .arg(mark)
                                    .arg(metrics.horizontalAdvance(mark))
                                    .arg(column)));
        }
    }

    // The program reads its files from its working directory; the launcher prepares the usual
    // data folder and refreshes the help file there.
    void dataFolderAsTheProgramUsesIt()
    {
        const QString text = show("data.html")->toPlainText();
        QVERIFY(text.contains(QStringLiteral("作業フォルダ")));
        QVERIFY(text.contains(QStringLiteral("~/.local/share/ketamori")));
        QVERIFY(!text.contains(QStringLiteral("起動のたびに最新のものに置き換えられます")));
        const QRegularExpression helpFileByLauncher(
            QStringLiteral("zqHelp\\.chm[^\\n]*\\n?[^\\n]*scripts/run\\.sh[^。]*起動するたびに"));
        QVERIFY2(text.contains(helpFileByLauncher), qPrintable(text));
    }

    // The buttons the help names are the ones the confirmation box shows.
    void buttonsAsTheBoxShowsThem()
    {
        const QString text = show("rireki.html")->toPlainText();
        QMessageBox box(QMessageBox::Warning, QStringLiteral("クリア確認"), QString(),
                        QMessageBox::Ok | QMessageBox::Cancel);
        for (auto button : {QMessageBox::Ok, QMessageBox::Cancel}) {
            const QString caption = withoutMnemonic(box.button(button)->text());
            QVERIFY2(text.contains(QStringLiteral("［%1］").arg(caption)), qPrintable(caption));
        }
    }
};

QTEST_MAIN(tst_HelpPages)
#include "tst_helppages.moc"
