// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxAnswerer.h"
#include "TestWindow.h"
#include "app/AdaptiveDigitCount.h"
#include "controls/ChoiceCombo.h"
#include "records/core/ProgramPreferences.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <unistd.h>

namespace {
const QString settingsName = QStringLiteral("設定.txt");
const QString historyName = QStringLiteral("履歴.txt");

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowKeysChooseAndStore_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("digit count 5 to 12")
            << QByteArray("5,5,0\r\n") << QStringLiteral("cboMonsu") << int(Qt::Key_Down) << 7
            << QByteArray::fromHex("31322c352c300d0a");
        QTest::newRow("digit count down to 1")
            << QByteArray("3,7,1\r\n") << QStringLiteral("cboMonsu") << int(Qt::Key_Up) << 5
            << QByteArray("1,7,1\r\n");
        QTest::newRow("display time 1 to 0 is valid")
            << QByteArray("4,1,1\r\n") << QStringLiteral("cboJikan") << int(Qt::Key_Up) << 1
            << QByteArray("4,0,1\r\n");
        QTest::newRow("page down steps and stores")
            << QByteArray("1,0,1\r\n") << QStringLiteral("cboMonsu") << int(Qt::Key_PageDown) << 2
            << QByteArray("3,0,1\r\n");
        QTest::newRow("page up steps and stores")
            << QByteArray("5,9,1\r\n") << QStringLiteral("cboJikan") << int(Qt::Key_PageUp) << 3
            << QByteArray("5,6,1\r\n");
        QTest::newRow("display time up to 30")
            << QByteArray("4,28,0\r\n") << QStringLiteral("cboJikan") << int(Qt::Key_Down) << 4
            << QByteArray("4,30,0\r\n");
    }
    void arrowKeysChooseAndStore()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, combo);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(QByteArray, after);
        TestWindow t(before);
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        ChoiceCombo *box = combo == u"cboMonsu" ? w.ui.cboMonsu : w.ui.cboJikan;
        box->setFocus();
        for (int n = 0; n < presses; ++n)
            QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(t.readFile(settingsName), after);
        QStringList fields = QString::fromLatin1(after.trimmed()).split(QLatin1Char(','));
        QCOMPARE(w.drillState().intMonsu, fields[0].toInt());
        QCOMPARE(w.drillState().intJikan, fields[1].toInt());
        QCOMPARE(w.drillState().intAs, fields[2].toInt());
    }

    void pickFromDropDownList()
    {
        TestWindow t("5,5,0\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        // The list is made as it first opens, and shows the field's font.
        QVERIFY(!w.ui.cboMonsu->findChild<QFrame *>(QString(), Qt::FindDirectChildrenOnly));
        w.ui.cboMonsu->showPopup();
        QAbstractItemView *list = w.ui.cboMonsu->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QCOMPARE(list->font(), w.ui.cboMonsu->font());
        const QModelIndex twelve = list->model()->index(11, 0);
        list->scrollTo(twelve);
        const QPoint at = list->visualRect(twelve).center();
        QTest::mouseMove(list->viewport(), at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(t.readFile(settingsName), QByteArray::fromHex("31322c352c300d0a"));
        QCOMPARE(w.drillState().intMonsu, 12);
        QCOMPARE(w.ui.cboMonsu->currentText(), QStringLiteral("12"));
    }

    // Text typed over the current entry and then the same entry picked from the list: the
    // choice counts, and the field shows it rather than the typed text.
    void pickingCurrentEntryReplacesTypedText()
    {
        TestWindow t("5,5,0\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        w.ui.cboMonsu->setFocus();
        w.ui.cboMonsu->lineEdit()->selectAll();
        QTest::keyClicks(w.ui.cboMonsu, QStringLiteral("77"));
        QVERIFY(QFile::remove(t.dataFile(settingsName)));
        w.ui.cboMonsu->showPopup();
        QAbstractItemView *list = w.ui.cboMonsu->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        list->setCurrentIndex(list->model()->index(4, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_COMPARE(t.readFile(settingsName), QByteArray("5,5,0\r\n"));
        QCOMPARE(w.ui.cboMonsu->currentText(), QStringLiteral("5"));
    }

    void autoSaveSwitchStores()
    {
        TestWindow t("7,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        QVERIFY(w.ui.chkAs->isChecked());
        QTest::mouseClick(w.ui.chkAs, Qt::LeftButton);
        QCOMPARE(t.readFile(settingsName), QByteArray("7,5,0\r\n"));
        QCOMPARE(w.drillState().intAs, 0);
        w.ui.chkAs->setFocus();
        QTest::keyClick(w.ui.chkAs, Qt::Key_Space);
        QCOMPARE(t.readFile(settingsName), QByteArray("7,5,1\r\n"));
        QCOMPARE(w.drillState().intAs, 1);
    }

    // Typing into the edit field is not a choice, whatever ends it: the field shows the value in
    // use again, and the arrow keys step on from that value.
    void typedTextChangesNothing_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finish"); // a key, or 0 for a click on the other combo box
        QTest::newRow("count, Return")
            << QStringLiteral("cboMonsu") << QStringLiteral("9") << int(Qt::Key_Return);
        QTest::newRow("count, Tab")
            << QStringLiteral("cboMonsu") << QStringLiteral("12") << int(Qt::Key_Tab);
        QTest::newRow("count, not an entry")
            << QStringLiteral("cboMonsu") << QStringLiteral("99") << int(Qt::Key_Return);
        QTest::newRow("count, emptied") << QStringLiteral("cboMonsu") << QString() << 0;
        QTest::newRow("count, click elsewhere")
            << QStringLiteral("cboMonsu") << QStringLiteral("7") << 0;
        QTest::newRow("seconds, Return")
            << QStringLiteral("cboJikan") << QStringLiteral("0") << int(Qt::Key_Return);
        QTest::newRow("seconds, Tab")
            << QStringLiteral("cboJikan") << QStringLiteral("20") << int(Qt::Key_Tab);
        QTest::newRow("seconds, click elsewhere")
            << QStringLiteral("cboJikan") << QStringLiteral("abc") << 0;
    }
    void typedTextChangesNothing()
    {
        QFETCH(QString, combo);
        QFETCH(QString, typed);
        QFETCH(int, finish);
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        ChoiceCombo *box = combo == u"cboMonsu" ? w.ui.cboMonsu : w.ui.cboJikan;
        ChoiceCombo *other = box == w.ui.cboMonsu ? w.ui.cboJikan : w.ui.cboMonsu;
        box->setFocus();
        box->lineEdit()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, typed);
        QCOMPARE(box->currentText(), typed);
        if (finish != 0)
            QTest::keyClick(box, Qt::Key(finish));
        else
            QTest::mouseClick(other->lineEdit(), Qt::LeftButton);
        QCOMPARE(box->currentText(), QStringLiteral("5"));
        QCOMPARE(box->lineEdit()->text(), QStringLiteral("5"));
        QCOMPARE(t.readFile(settingsName), QByteArray("5,5,1\r\n"));
        QCOMPARE(w.drillState().intMonsu, 5);
        QCOMPARE(w.drillState().intJikan, 5);
        QCOMPARE(box->count(), combo == u"cboMonsu" ? 15 : 31); // nothing was added

        // The next step through the list starts from the value in use, not from the typed one.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QStringLiteral("6"));
        QCOMPARE(t.readFile(settingsName),
                 box == w.ui.cboMonsu ? QByteArray("6,5,1\r\n") : QByteArray("5,6,1\r\n"));
    }

    void wheelIsIgnored()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        const QPoint centre = w.ui.cboMonsu->rect().center();
        QWheelEvent wheel(centre, w.ui.cboMonsu->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.ui.cboMonsu, &wheel);
        QCOMPARE(w.ui.cboMonsu->currentText(), QStringLiteral("5"));
        QCOMPARE(t.readFile(settingsName), QByteArray("5,5,1\r\n"));
    }

    // 自動調整: two whole rows right decide one digit more, said at once over the logo; the
    // next スタート picks it in 問題数 and the settings file. A second press of 回答 is not
    // another drill; a count the player chooses meanwhile wins, even the one shown; off,
    // nothing changes. The switch is remembered for the next run.
    void adaptiveDigitCountFollowsThePlayer()
    {
        QFile::remove(ProgramPreferences::defaultPath());
        auto cleanUp = qScopeGuard([] { QFile::remove(ProgramPreferences::defaultPath()); });
        TestWindow t("5,5,0\r\n");
        QVERIFY(!t->adaptiveDigitCount().isOn());
        t->adaptiveDigitCount().setOn(true);
        QVERIFY(t.restart());
        AdaptiveDigitCount &following = t->adaptiveDigitCount();
        QVERIFY(following.isOn());
        const QLabel &told = following.notice();

        t.score(u"12345"_qs, u"12345"_qs);
        QVERIFY(told.isHidden());
        t.score(u"12345"_qs, u"12345"_qs);
        QCOMPARE(told.text(),
                 u"自動調整：2 回続けて全問正解したので、\n次の問題から問題数を 6 にします。"_qs);
        QVERIFY(!told.isHidden());
        QCOMPARE(t->ui.cboMonsu->toolTip(), told.text());
        t->ui.cmdKaitou->click(); // scored again: the same drill
        QCOMPARE(t->drillState().intMonsu, 5);
        QCOMPARE(t.readFile(settingsName), QByteArray("5,5,0\r\n"));

        t->ui.cmdStart->click();
        QCOMPARE(t->ui.cboMonsu->currentText(), u"6"_qs);
        QCOMPARE(t.readFile(settingsName), QByteArray("6,5,0\r\n"));
        QCOMPARE(told.text(),
                 u"自動調整：2 回続けて全問正解したので、\n問題数を 5 から 6 にしました。"_qs);
        t.score(u"123456"_qs, u"123450"_qs); // goes on with the drill just started
        QCOMPARE(told.text(),
                 u"自動調整：間違いがあったので、\n次の問題から問題数を 5 にします。"_qs);

        // The player picks the count shown: theirs, and the notice of 5 goes at once.
        t->ui.cboMonsu->choose(t->ui.cboMonsu->findText(u"6"_qs));
        QVERIFY(told.isHidden());
        t->ui.cmdStart->click();
        QCOMPARE(t->drillState().intMonsu, 6);

        following.setOn(false);
        t.score(u"123456"_qs, u"123450"_qs);
        t->ui.cmdStart->click();
        QCOMPARE(t->drillState().intMonsu, 6);
        QVERIFY(told.isHidden());
        QVERIFY(t->ui.cboMonsu->toolTip().isEmpty());
        QVERIFY(!ProgramPreferences(ProgramPreferences::defaultPath()).adaptiveDigitCount());
    }

    void failedStoreWarnsAndKeepsTheChoice()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        // Something that cannot be replaced now stands where the file was.
        QVERIFY(QFile::remove(t.dataFile(settingsName)));
        QVERIFY(QDir(t.dir.path()).mkdir(settingsName));

        MessageBoxAnswerer answerer({QMessageBox::Ok});
        w.ui.cboJikan->setFocus();
        QTest::keyClick(w.ui.cboJikan, Qt::Key_Down);
        QCOMPARE(answerer.shown().size(), 1);
        const MessageBoxAnswerer::Shown &answer = answerer.shown().first();
        QCOMPARE(answer.icon, QMessageBox::Warning);
        QVERIFY2(answer.text.contains(settingsName), qPrintable(answer.text));
        QVERIFY2(answer.text.contains(QStringLiteral("書き込めません")), qPrintable(answer.text));
        QCOMPARE(w.drillState().intJikan, 6);
        QVERIFY(w.isVisible());
        QVERIFY(QFileInfo(t.dataFile(settingsName)).isDir());
    }

    // Whichever step of the rewrite fails, the old bytes stay and the player is told why.
    void failedRewriteKeepsTheOldFile_data()
    {
        QTest::addColumn<FailingDisk::Step>("step");
        QTest::newRow("final flush") << FailingDisk::Step::Write;
        QTest::newRow("sync") << FailingDisk::Step::Sync;
        QTest::newRow("rename over the old file") << FailingDisk::Step::Commit;
    }
    void failedRewriteKeepsTheOldFile()
    {
        QFETCH(FailingDisk::Step, step);
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        t.disk.failAt = step;
        t.disk.bytesBeforeFailure = 3;
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        t->ui.chkAs->click();
        QCOMPARE(answerer.shown().size(), 1);
        QVERIFY2(answerer.shown().first().text.contains(QStringLiteral("ディスクがいっぱいです")),
                 qPrintable(answerer.shown().first().text));
        QCOMPARE(t.readFile(settingsName), QByteArray("5,5,1\r\n"));
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files).size(), 2); // no new file left over
    }

    // The same on a real full disk: a tmpfs filled to its last block (needs root to mount).
    void fullDiskKeepsTheOldFile()
    {
        if (geteuid() != 0)
            QSKIP("fullDiskKeepsTheOldFile: mounting a small tmpfs needs root");
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"),
                               mountPoint.path()}) != 0)
            QSKIP("fullDiskKeepsTheOldFile: tmpfs could not be mounted here");
        const auto unmount =
            qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {mountPoint.path()}); });
        const QDir data(mountPoint.path());
        QFile settings(data.filePath(settingsName)), history(data.filePath(historyName));
        QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write("5,5,1\r\n") == 7);
        settings.close();
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.close();
        QFile filler(data.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        FakeClock clock;
        ScriptedDigits digits;
        RecordingHelp help;
        frmMain w(data, clock, digits, help, Disk::real());
        QString error;
        QVERIFY2(w.frmMain_Load(&error), qPrintable(error));
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        w.ui.chkAs->click();
        QCOMPARE(answerer.shown().size(), 1);
        QVERIFY2(answerer.shown().first().text.contains(QStringLiteral("ディスクがいっぱいです")),
                 qPrintable(answerer.shown().first().text));
        QFile after(data.filePath(settingsName));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("5,5,1\r\n"));
    }

    // A file that cannot start the program ends start-up with a message; nothing is created.
    void startUpRefuses_data()
    {
        QTest::addColumn<QByteArray>("settings"); // null: no file
        QTest::addColumn<QByteArray>("history");  // null: no file
        QTest::addColumn<QString>("mentions");
        QTest::newRow("no settings file")
            << QByteArray() << QByteArray("") << QStringLiteral("「設定.txt」が見つかりません");
        QTest::newRow("empty settings file")
            << QByteArray("") << QByteArray("") << QStringLiteral("足りません");
        QTest::newRow("two fields")
            << QByteArray("5,5\r\n") << QByteArray("") << QStringLiteral("足りません");
        QTest::newRow("not a number") << QByteArray("5,x,1\r\n") << QByteArray("")
                                      << QStringLiteral("「x」は数値ではありません");
        QTest::newRow("no history file")
            << QByteArray("5,5,1\r\n") << QByteArray() << QStringLiteral("履歴.txt");
    }
    void startUpRefuses()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, history);
        QFETCH(QString, mentions);
        TestWindow t(settings, history);
        QVERIFY(!t.loaded);
        const QString &error = t.error;
        QVERIFY2(error.contains(mentions), qPrintable(error));
        QCOMPARE(QFileInfo::exists(t.dataFile(settingsName)), !settings.isNull());
        QCOMPARE(QFileInfo::exists(t.dataFile(historyName)), !history.isNull());
        if (!settings.isNull())
            QCOMPARE(t.readFile(settingsName), settings);
    }
};

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
