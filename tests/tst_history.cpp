// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryBytes.h"
#include "MessageBoxAnswerer.h"
#include "TestWindow.h"
#include "app/frmMain.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "controls/Twips.h"
#include "records/History.h"
#include "records/HistoryModel.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryScanner.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString exampleMarks = QStringLiteral("○○×－－－－－－－－－－－－");

// The program in a data folder of its own, started on the given history, its clock at
// 2001/02/03 04:05:06.
struct Program : TestWindow
{
    explicit Program(const QByteArray &history, const QByteArray &settings = "3,5,0\r\n")
        : TestWindow(settings, history)
    {
        clock.setLocalNow(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    }

    QString historyPath() const { return dataFile(QStringLiteral("履歴.txt")); }
    QTableView &grid() const { return *form->ui.msgRireki; }
    QAbstractItemModel &table() const { return *form->ui.msgRireki->model(); }
    int rows() const { return table().rowCount(); }

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    QStringList row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < table().columnCount(); ++c)
            texts.append(table().index(r, c).data().toString());
        return texts;
    }

    // The newest row lies wholly inside the visible part of the table.
    bool newestRowInView() const
    {
        const QRect cell = grid().visualRect(table().index(rows() - 1, 0));
        return cell.isValid() && grid().viewport()->rect().contains(cell);
    }
};

QByteArray linesOfDays(int count)
{
    QByteArray content(""); // an empty file, not a missing one
    for (int i = 0; i < count; ++i)
        content += lineOfDay(i);
    return content;
}

// What the player does between scoring and Save.
enum Change
{
    EmptyBox,
    RetypeBox,
    FewerDigits,
    MoreDigits,
    OtherSeconds,
    NextDrill,
};

const QStringList exampleRow = {QStringLiteral("1"),        QStringLiteral("01/02/03"),
                                QStringLiteral("04:05:06"), exampleMarks,
                                QStringLiteral("2"),        QStringLiteral("1"),
                                QStringLiteral("66.7%"),    QStringLiteral("5秒")};

} // namespace

class tst_History : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyHistoryIsTheHeaderAlone()
    {
        Program p{QByteArray("")};
        QVERIFY(p.loaded);
        QCOMPARE(p.rows(), 0);
        QHeaderView *header = p.grid().horizontalHeader();
        QVERIFY(!header->isHidden());
        QVERIFY(p.grid().verticalHeader()->isHidden());
        const QStringList texts = {u"回"_qs,   u"日付"_qs, u"時間"_qs,   u"成績詳細"_qs,
                                   u"ＯＫ"_qs, u"ＮＧ"_qs, u"正解率"_qs, u"秒"_qs};
        const int widths[] = {475, 1100, 1000, 3500, 485, 485, 800, 600};
        QCOMPARE(p.table().columnCount(), 8);
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(p.table().headerData(c, Qt::Horizontal).toString(), texts.at(c));
            QCOMPARE(header->sectionSize(c), Twips::toPixels(widths[c]));
            QCOMPARE(p.table().headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignCenter));
        }
        // The columns fit beside the vertical scroll bar: no horizontal one is needed.
        QVERIFY(p.show());
        QVERIFY(!p.grid().horizontalScrollBar()->isVisible());
        QCOMPARE(p.grid().font().pointSizeF(), 9.0);
        QCOMPARE(QFontInfo(p.grid().font()).family(), QStringLiteral("IPAPGothic"));
    }

    void cellsAlignAndNumberingLooksLikeAHeader()
    {
        Program p{exampleLine()};
        QVERIFY(p.loaded);
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        const Qt::Alignment expected[] = {Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, right,
                                          right,           right,           right,           right};
        for (int c = 0; c < 8; ++c)
            QCOMPARE(p.table().index(0, c).data(Qt::TextAlignmentRole).toInt(),
                     expected[c].toInt());
        QCOMPARE(p.table().index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 p.grid().palette().color(QPalette::Button));
        QVERIFY(!p.table().index(0, 1).data(Qt::BackgroundRole).isValid());
    }

    void loadedLinesShowAsStored_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QStringList>>("shown");
        QTest::newRow("example") << exampleLine() << QList<QStringList>{exampleRow};
        QStringList leadingZero = exampleRow;
        QTest::newRow("counts stored as 02 and 01")
            << QByteArray(exampleLine()).replace(",2,1,", ",02,01,")
            << QList<QStringList>{leadingZero};
        QStringList second = exampleRow, third = exampleRow;
        second[0] = u"2"_qs;
        second[1] = u"01/02/02"_qs;
        third[0] = u"3"_qs;
        third[1] = u"01/02/03"_qs;
        QStringList first = exampleRow;
        first[1] = u"01/02/01"_qs;
        QTest::newRow("three lines in file order")
            << linesOfDays(3) << QList<QStringList>{first, second, third};
    }
    void loadedLinesShowAsStored()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QStringList>, shown);
        Program p{content};
        QVERIFY(p.loaded);
        QCOMPARE(p.rows(), shown.size());
        for (int r = 0; r < shown.size(); ++r)
            QCOMPARE(p.row(r), shown.at(r));
    }

    void skippedLinesAreReportedAndTheFileKept()
    {
        const QByteArray content =
            lineOfDay(0) + "\r\n" + "\"2001/13/01\",x\r\n" + lineOfDay(1) + lineOfDay(2).left(30);
        QTest::ignoreMessage(QtWarningMsg,
                             "ketamori: 履歴.txt の 3 行は履歴の行ではないため読み飛ばしました"
                             "（2, 3, 5 行目）。ファイルはそのままです。");
        Program p{content};
        QVERIFY(p.loaded);
        QCOMPARE(p.rows(), 2);
        QCOMPARE(p.row(1).at(0), u"2"_qs);
        QCOMPARE(fileBytes(p.historyPath()), content);
    }

    void missingHistoryStopsStartUp()
    {
        Program p{QByteArray()}; // no history file at all
        QVERIFY(!p.loaded);
        QVERIFY2(p.error.contains(u"履歴.txt"_qs), qPrintable(p.error));
        QVERIFY(!QFile::exists(p.historyPath())); // start-up never creates it
    }

    void scrollRuleAtStartUp_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("scrolled");
        QTest::newRow("6 lines, 7 rows") << 6 << false;
        QTest::newRow("7 lines, 8 rows") << 7 << true;
        QTest::newRow("40 lines") << 40 << true;
    }
    void scrollRuleAtStartUp()
    {
        QFETCH(int, lines);
        QFETCH(bool, scrolled);
        Program p{linesOfDays(lines)};
        QVERIFY(p.loaded);
        QVERIFY(p.show());
        QScrollBar *bar = p.grid().verticalScrollBar();
        QCOMPARE(bar->value() > 0, scrolled);
        if (scrolled)
            QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(p.newestRowInView());
    }

    void saveWritesTheExampleLineAndRow()
    {
        Program p{QByteArray("")};
        QVERIFY(p.loaded);
        p.score(u"123"_qs, u"124"_qs);
        p.form->ui.cmdHozon->click();
        const QByteArray bytes = fileBytes(p.historyPath());
        QCOMPARE(bytes.size(), 76);
        QCOMPARE(bytes.toHex(' '), exampleLine().toHex(' '));
        QCOMPARE(p.rows(), 1);
        QCOMPARE(p.row(0), exampleRow);
    }

    void saveGuard_data()
    {
        QTest::addColumn<bool>("nothingScored");
        QTest::addColumn<bool>("countdown");
        QTest::addColumn<bool>("display");
        QTest::newRow("right after start-up") << true << false << false;
        QTest::newRow("during the countdown") << false << true << false;
        QTest::newRow("while the digits show") << false << false << true;
    }
    void saveGuard()
    {
        QFETCH(bool, nothingScored);
        QFETCH(bool, countdown);
        QFETCH(bool, display);
        Program p{lineOfDay(0)};
        QVERIFY(p.loaded);
        if (!nothingScored)
            p.score(u"123"_qs, u"124"_qs);
        if (countdown || display) {
            p.form->ui.cmdStart->click();
            for (int step = 1; step <= (display ? 3 : 1); ++step)
                TestWindow::tick(p.form->ui.tmrStart);
        }
        QCOMPARE(p.form->drillState().blnCountdown, countdown);
        QCOMPARE(p.form->drillState().blnDisplay, display);
        p.form->ui.cmdHozon->click();
        QCOMPARE(fileBytes(p.historyPath()), lineOfDay(0));
        QCOMPARE(p.rows(), 1);
    }

    // Whatever the player does between scoring and Save, the line is the result as scored: its
    // marks agree with its counts, its rate is of its own digit count, its seconds those it was
    // shown for.
    void saveRecordsTheResultAsScored_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("a box emptied by a click") << int(EmptyBox);
        QTest::newRow("a box typed again, wrong") << int(RetypeBox);
        QTest::newRow("fewer digits chosen") << int(FewerDigits);
        QTest::newRow("more digits chosen") << int(MoreDigits);
        QTest::newRow("another display time chosen") << int(OtherSeconds);
        QTest::newRow("next drill not yet scored") << int(NextDrill);
    }
    void saveRecordsTheResultAsScored()
    {
        QFETCH(int, change);
        Program p{QByteArray("")};
        QVERIFY(p.loaded);
        frmMain &w = p.w();
        p.score(u"123"_qs, u"123"_qs);
        switch (change) {
        case EmptyBox:
            emit w.ui.txtKaitou(2)->clicked();
            break;
        case RetypeBox:
            w.ui.txtKaitou(2)->setText(u"9"_qs);
            break;
        case FewerDigits:
            emit w.ui.cboMonsu->chosen(0);
            break;
        case MoreDigits:
            emit w.ui.cboMonsu->chosen(w.ui.cboMonsu->count() - 1);
            break;
        case OtherSeconds:
            emit w.ui.cboJikan->chosen(0);
            break;
        case NextDrill:
            // Its answer phase, a box typed, Answer not pressed.
            w.ui.cmdStart->click();
            for (int i = 0; i < 3; ++i)
                TestWindow::tick(w.ui.tmrStart);
            for (int i = 0; i < 20 && w.drillState().blnDisplay; ++i) {
                p.clock.advance(1);
                TestWindow::tick(w.ui.tmrKt);
            }
            QVERIFY(!w.drillState().blnCountdown && !w.drillState().blnDisplay);
            w.ui.txtKaitou(1)->setText(u"9"_qs);
            break;
        }
        w.ui.cmdHozon->click();
        QCOMPARE(p.rows(), 1);
        QCOMPARE(p.row(0).mid(3), (QStringList{u"○○○－－－－－－－－－－－－"_qs, u"3"_qs, u"0"_qs,
                                               u"100.0%"_qs, u"5秒"_qs}));
        QCOMPARE(HistoryScanner::scan(fileBytes(p.historyPath())).records.at(0).marksText(),
                 u"○○○－－－－－－－－－－－－"_qs);
    }

    void marksAndRate_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("rate");
        QTest::newRow("fifteen right")
            << u"012345678012345"_qs << QString(15, u'○') << u"100.0%"_qs;
        QTest::newRow("fifteen wrong") << u"               "_qs << QString(15, u'×') << u"0.0%"_qs;
        QTest::newRow("full-width digit is wrong")
            << u"０12345678012345"_qs << u'×' + QString(14, u'○') << u"93.3%"_qs;
    }
    void marksAndRate()
    {
        QFETCH(QString, answers);
        QFETCH(QString, marks);
        QFETCH(QString, rate);
        Program p{QByteArray("")};
        QVERIFY(p.loaded);
        p.score(u"012345678012345"_qs, answers);
        p.form->ui.cmdHozon->click();
        QCOMPARE(p.row(0).at(3), marks);
        QCOMPARE(p.row(0).at(6), rate);
        QCOMPARE(HistoryScanner::scan(fileBytes(p.historyPath())).records.at(0).marksText(), marks);
    }

    void scoringSavesWhenAutoSaveIsOn_data()
    {
        QTest::addColumn<int>("autoSave");
        QTest::newRow("auto-save on") << 1;
        QTest::newRow("auto-save off") << 0;
    }
    void scoringSavesWhenAutoSaveIsOn()
    {
        QFETCH(int, autoSave);
        Program p{QByteArray(""), autoSave ? "3,5,1\r\n" : "3,5,0\r\n"};
        QVERIFY(p.loaded);
        p.score(u"123"_qs, u"124"_qs);
        QCOMPARE(p.form->ui.lblRitu->text(), u"66.7%"_qs); // scored
        const QByteArray saved = autoSave ? exampleLine() : QByteArray();
        QCOMPARE(fileBytes(p.historyPath()), saved);
        QCOMPARE(p.rows(), autoSave);
        // The Save button records the same result once more.
        p.form->ui.cmdHozon->click();
        QCOMPARE(fileBytes(p.historyPath()), saved + exampleLine());
        QCOMPARE(p.rows(), autoSave + 1);
        QCOMPARE(p.row(autoSave).mid(1), exampleRow.mid(1));
    }

    void savingTheSeventhRecordScrolls()
    {
        Program p{linesOfDays(5)};
        QVERIFY(p.loaded);
        QVERIFY(p.show());
        p.score(u"123"_qs, u"124"_qs);
        p.form->ui.cmdHozon->click();
        QCOMPARE(p.rows(), 6);
        QCOMPARE(p.grid().verticalScrollBar()->value(), 0);
        p.form->ui.cmdHozon->click();
        QCOMPARE(p.rows(), 7);
        QVERIFY(p.grid().verticalScrollBar()->value() > 0);
        QVERIFY(p.newestRowInView());
        for (int n = 0; n < 10; ++n)
            p.form->ui.cmdHozon->click();
        QVERIFY(p.newestRowInView());
    }

    void clearCancelled()
    {
        Program p{linesOfDays(2)};
        QVERIFY(p.loaded);
        MessageBoxAnswerer answerer({QMessageBox::Cancel});
        p.form->ui.cmdClear->click();
        QCOMPARE(answerer.shown().size(), 1);
        const MessageBoxAnswerer::Shown &confirm = answerer.shown().at(0);
        QCOMPARE(confirm.text, u"履歴データをクリアします。よろしいですか？"_qs);
        QCOMPARE(confirm.title, u"クリア確認"_qs);
        QCOMPARE(confirm.icon, QMessageBox::Warning);
        QCOMPARE(confirm.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(confirm.defaultButton, QMessageBox::Ok);
        QCOMPARE(fileBytes(p.historyPath()), linesOfDays(2));
        QCOMPARE(p.rows(), 2);
    }

    void clearConfirmed_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("two records") << 2;
        QTest::newRow("already empty") << 0;
    }
    void clearConfirmed()
    {
        QFETCH(int, lines);
        Program p{linesOfDays(lines)};
        QVERIFY(p.loaded);
        MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok});
        p.form->ui.cmdClear->click();
        QCOMPARE(answerer.shown().size(), 2);
        QCOMPARE(answerer.shown().at(0).title, u"クリア確認"_qs);
        const MessageBoxAnswerer::Shown &report = answerer.shown().at(1);
        QCOMPARE(report.text, u"履歴データをクリアしました"_qs);
        QCOMPARE(report.title, u"クリア終了"_qs);
        QCOMPARE(report.icon, QMessageBox::Information);
        QCOMPARE(report.buttons, QMessageBox::Ok);
        QVERIFY(QFile::exists(p.historyPath()));
        QCOMPARE(fileBytes(p.historyPath()), QByteArray());
        QCOMPARE(p.rows(), 0);
        QCOMPARE(p.table().headerData(3, Qt::Horizontal).toString(), u"成績詳細"_qs);

        p.score(u"123"_qs, u"124"_qs);
        p.form->ui.cmdHozon->click();
        QCOMPARE(fileBytes(p.historyPath()), exampleLine());
        QCOMPARE(p.row(0), exampleRow);
    }

    void saveOntoATornLineStartsALineOfItsOwn()
    {
        const QByteArray torn = lineOfDay(0) + lineOfDay(1).left(30);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"の 1 行は"_qs));
        Program p{torn};
        QVERIFY(p.loaded);
        QCOMPARE(p.rows(), 1);
        p.score(u"123"_qs, u"124"_qs);
        p.form->ui.cmdHozon->click();
        QCOMPARE(fileBytes(p.historyPath()), torn + "\r\n" + exampleLine());
        QCOMPARE(p.rows(), 2);
        QStringList second = exampleRow;
        second[0] = u"2"_qs;
        QCOMPARE(p.row(1), second);
    }

    void failedSave_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("history is a folder") << u"folder"_qs;
        QTest::newRow("disk full, nothing written") << u"full at 0"_qs;
        QTest::newRow("disk full in mid-line") << u"full at 40"_qs;
        // A device is no history file: refused before a byte goes to it (a really full disk is
        // in tst_faults).
        QTest::newRow("a link to a device") << u"/dev/full"_qs;
    }
    void failedSave()
    {
        QFETCH(QString, failure);
        const QByteArray before = linesOfDays(2);
        Program p{before};
        QVERIFY(p.loaded);
        if (failure == u"folder") {
            QVERIFY(QFile::remove(p.historyPath()));
            QVERIFY(QDir().mkdir(p.historyPath()));
        } else if (failure == u"/dev/full") {
            QVERIFY(QFile::remove(p.historyPath()));
            QVERIFY(QFile::link(u"/dev/full"_qs, p.historyPath()));
        } else {
            p.disk.failAt = FailingDisk::Step::Write;
            p.disk.bytesBeforeFailure = failure.section(u' ', 2).toInt();
        }
        p.score(u"123"_qs, u"124"_qs);
        {
            MessageBoxAnswerer answerer({QMessageBox::Ok});
            p.form->ui.cmdHozon->click();
            QCOMPARE(answerer.shown().size(), 1);
            QCOMPARE(answerer.shown().at(0).icon, QMessageBox::Warning);
            QCOMPARE(answerer.shown().at(0).title, u"保存エラー"_qs);
            QVERIFY(answerer.shown().at(0).text.contains(u"履歴.txt"_qs));
            if (failure.startsWith(u"full"))
                QVERIFY(answerer.shown().at(0).text.contains(u"ディスクがいっぱいです"_qs));
            if (failure == u"/dev/full")
                QVERIFY(answerer.shown().at(0).text.contains(u"通常のファイルではありません"_qs));
        }
        QCOMPARE(p.rows(), 2);
        if (failure == u"folder")
            QVERIFY(QDir(p.historyPath()).isEmpty());
        else if (failure != u"/dev/full")
            QCOMPARE(fileBytes(p.historyPath()), before);

        // The program goes on: once the disk is fine again, saving works and stays in step.
        QFile::remove(p.historyPath());
        QDir(p.historyPath()).removeRecursively();
        QVERIFY(writeBytes(p.historyPath(), before));
        p.disk.failAt = FailingDisk::Step::None;
        {
            // The file made again is another file: it is read again first, and the player told.
            MessageBoxAnswerer answerer({QMessageBox::Ok});
            p.form->ui.cmdHozon->click();
            QCOMPARE(answerer.shown().size(), 1);
            QCOMPARE(answerer.shown().at(0).title, u"履歴の読み込み"_qs);
        }
        QCOMPARE(fileBytes(p.historyPath()), before + exampleLine());
        QCOMPARE(p.rows(), 3);
    }

    // Emptying goes through a new empty file; whichever step fails, the old file stays.
    void failedClear_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<FailingDisk::Step>("step");
        QTest::addColumn<QString>("reason");
        QTest::newRow("history is a folder")
            << true << FailingDisk::Step::None << u"同じ名前のフォルダがあります"_qs;
        QTest::newRow("final flush, disk full")
            << false << FailingDisk::Step::Write << u"ディスクがいっぱいです"_qs;
        QTest::newRow("sync, disk full")
            << false << FailingDisk::Step::Sync << u"ディスクがいっぱいです"_qs;
        QTest::newRow("replacement cannot be committed")
            << false << FailingDisk::Step::Commit << u"ディスクがいっぱいです"_qs;
    }
    void failedClear()
    {
        QFETCH(bool, folder);
        QFETCH(FailingDisk::Step, step);
        QFETCH(QString, reason);
        const QByteArray before = linesOfDays(2);
        Program p{before};
        QVERIFY(p.loaded);
        if (folder) {
            QVERIFY(QFile::remove(p.historyPath()));
            QVERIFY(QDir().mkdir(p.historyPath()));
        }
        p.disk.failAt = step;
        MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok});
        p.form->ui.cmdClear->click();
        // The question and the warning, no report; a folder in the file's place cannot be read
        // again, and that is told without asking first.
        QCOMPARE(answerer.shown().size(), folder ? 1 : 2);
        const MessageBoxAnswerer::Shown &warning = answerer.shown().last();
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.title, u"クリアエラー"_qs);
        QVERIFY(warning.text.contains(u"履歴.txt"_qs));
        QVERIFY2(warning.text.contains(reason), qPrintable(warning.text));
        QCOMPARE(p.rows(), 2);
        if (folder)
            QVERIFY(QDir(p.historyPath()).isEmpty());
        else
            QCOMPARE(fileBytes(p.historyPath()), before);
    }
};

QTEST_MAIN(tst_History)
#include "tst_history.moc"
