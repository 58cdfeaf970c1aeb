// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryBytes.h"
#include "MessageBoxAnswerer.h"
#include "RunUntilExit.h"
#include "StatsFixture.h"
#include "TestWindow.h"
#include "app/AdaptiveDigitCount.h"
#include "base/DrillResult.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "records/HistoryModel.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/ProgramPreferences.h"
#include "stats/AdvicePage.h"
#include "stats/BestsTable.h"
#include "stats/CalendarGrid.h"
#include "stats/CalendarView.h"
#include "stats/ConfusionPage.h"
#include "stats/ErrorKindsChart.h"
#include "stats/ErrorKindsPage.h"
#include "stats/HistoryMenu.h"
#include "stats/PositionChart.h"
#include "stats/PositionPage.h"
#include "stats/RateChart.h"
#include "stats/SpanChart.h"
#include "stats/SpanPage.h"
#include "stats/SpanTrendChart.h"
#include "stats/StatsChoiceList.h"
#include "stats/StatsSentence.h"
#include "stats/StatsWindow.h"
#include "stats/StatsWindowModule.h"
#include "stats/SummaryView.h"
#include "stats/TrendPage.h"

#include <QAccessible>
#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QCategoryAxis>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

namespace {

QByteArray fixtureFile()
{
    QByteArray bytes("");
    for (const HistoryRecord &record : statsFixture())
        bytes += HistoryLine::format(record);
    return bytes;
}

// The program on the fixture history, on the day of its last result.
struct Program : TestWindow
{
    explicit Program(const QByteArray &history = fixtureFile()) : TestWindow("5,5,0\r\n", history)
    {
        clock.setLocalNow(QDateTime(QDate(2024, 2, 2), QTime(20, 0)));
        // The window itself, linked in, instead of the module beside the program.
        menu().makeStatsWindow = [](StatsHost &host, QWidget *owner, QString *) {
            return new StatsWindow(host, owner);
        };
    }

    HistoryMenu &menu() { return form->historyMenu(); }
    StatsWindow *window() { return qobject_cast<StatsWindow *>(menu().statsWindow()); }

    // Scores a drill of the given digits against the answers typed and saves it.
    void saveResult(const QString &shown, const QString &typed)
    {
        score(shown, typed);
        form->ui.cmdHozon->click();
    }

    QStringList listEntries()
    {
        QStringList entries;
        for (int row = 0; row < window()->digitCountList()->count(); ++row)
            entries.append(window()->digitCountList()->item(row)->text());
        return entries;
    }

    QList<qreal> barValues()
    {
        window()->choosePage<PositionPage>();
        QList<qreal> values;
        const QBarSet *shares = window()->page<PositionPage>()->chart()->shares();
        for (int i = 0; i < shares->count(); ++i)
            values.append(shares->at(i));
        return values;
    }

    int ratePoints()
    {
        window()->choosePage<RateChart>();
        return static_cast<int>(window()->page<RateChart>()->points()->count());
    }

    int statsWindowsOpen()
    {
        int open = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            open += qobject_cast<StatsWindow *>(w) && w->isVisible();
        return open;
    }
};

// 4 digits wholly right 15 times in 20, 6 digits 5 times in 20, at 5 seconds, one a day from
// 2024/01/01; then one of 8 digits at 3 seconds, wholly right. The estimate at 5 seconds is
// exactly 5.0 digits and the suggestion 4 digits (p(4) = 0.75, nearest 70.7 %).
QByteArray spanFile()
{
    QByteArray bytes("");
    for (int i = 0; i < 40; ++i) {
        const int digits = i < 20 ? 4 : 6;
        const bool whole = i < 20 ? i < 15 : i < 25;
        QString marks(digits, u'○');
        if (!whole)
            marks[0] = u'×';
        HistoryRecord r = statsRecord(QDate(2024, 1, 1).addDays(i), QTime(9, 0), marks,
                                      whole ? 1000 : 1000 * (digits - 1) / digits);
        bytes += HistoryLine::format(r);
    }
    HistoryRecord eight = statsRecord(QDate(2024, 2, 10), QTime(9, 0), u"○○○○○○○○", 1000);
    eight.seconds = 3;
    return bytes + HistoryLine::format(eight);
}

} // namespace

class tst_StatsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpBuildsNothing()
    {
        Program p;
        QVERIFY(p.loaded);
        QVERIFY(!p.window());
        QVERIFY(!p.menu().menu());
        for (QWidget *w : QApplication::allWidgets())
            QVERIFY(!qobject_cast<StatsWindow *>(w));
    }

    void opensOnTheFixture()
    {
        Program p;
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"成績グラフ"_qs);
        QCOMPARE(w->parentWidget(), &p.w());
        QVERIFY(!w->showsEmptyState());
        QCOMPARE(w->digitCount(), 5); // the newest result's count
        QCOMPARE(p.listEntries(), QStringList({u"すべて"_qs, u"3 桁"_qs, u"5 桁"_qs}));
        QCOMPARE(p.barValues(), QList<qreal>({75, 75, 50, 75, 75}));
        QCOMPARE(p.ratePoints(), 4);

        w->choosePage<SummaryView>();
        const QTableWidget *table = w->page<SummaryView>()->table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(1, 2)->text(), u"70.0%"_qs);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1); // 5 桁
        QVERIFY(StatsSentence::text(w->page<SummaryView>()->days()).contains(u"4 日"_qs));

        w->chooseDigitCount(0);
        QCOMPARE(p.ratePoints(), 5);
    }

    // The window opens on the digit count the main window's 問題数 shows, where there are
    // results of it.
    void opensOnTheMainWindowsDigitCount()
    {
        Program p;
        p.form->ui.cboMonsu->choose(p.form->ui.cboMonsu->findText(u"3"_qs));
        QCOMPARE(p.form->drillState().intMonsu, 3);
        p.menu().openStatsWindow();
        QCOMPARE(p.window()->digitCount(), 3);
        QCOMPARE(p.window()->digitCountList()->currentItem()->text(), u"3 桁"_qs);
    }

    // Every tab's caption reads whole, and the rate chart shows points at 100 % whole and ticks
    // its time axis on whole days.
    void tabsAndRateChartAxes()
    {
        Program p;
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QTabBar *tabs = w->findChild<QTabWidget *>()->tabBar();
        QCOMPARE(tabs->count(), 10);
        for (int i = 0; i < tabs->count(); ++i) {
            QVERIFY2(tabs->rect().contains(tabs->tabRect(i)), qPrintable(tabs->tabText(i)));
            QVERIFY(tabs->tabRect(i).width() >
                    tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
            QVERIFY(!tabs->tabToolTip(i).isEmpty());
        }

        w->choosePage<RateChart>();
        const auto *rates = qobject_cast<QValueAxis *>(
            w->page<RateChart>()->chart()->axes(Qt::Vertical).constFirst());
        QVERIFY(rates->min() < 0 && rates->max() > 100);
        QCOMPARE(w->page<RateChart>()->timeAxis()->categoriesLabels(),
                 QStringList({u"01/30"_qs, u"01/31"_qs, u"02/01"_qs, u"02/02"_qs, u"02/03"_qs}));
    }

    void followsSaveAndClear()
    {
        Program p;
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        QCOMPARE(p.barValues(), QList<qreal>({75, 75, 50, 75, 75}));

        // A result of five digits moves the bars; the choice stays with five digits.
        p.saveResult(u"12345"_qs, u"12045"_qs);
        QCOMPARE(w->stats().ofDigitCount(5).results(), 5);
        QCOMPARE(p.barValues(), QList<qreal>({80, 80, 40, 80, 80}));
        QCOMPARE(p.ratePoints(), 5);
        // One of three digits does not touch them.
        p.saveResult(u"123"_qs, u"123"_qs);
        QCOMPARE(w->digitCount(), 5);
        QCOMPARE(w->stats().ofDigitCount(3).results(), 2);
        QCOMPARE(p.barValues(), QList<qreal>({80, 80, 40, 80, 80}));

        MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok});
        p.form->ui.cmdClear->click();
        QCOMPARE(answerer.shown().size(), 2);
        QVERIFY(w->showsEmptyState());
        QCOMPARE(w->stats().results(), 0);
        const QLabel *empty = w->findChild<QLabel *>();
        QVERIFY(empty);

        // The first result after the clear chooses its own count.
        p.saveResult(u"1234567"_qs, u"1234567"_qs);
        QVERIFY(!w->showsEmptyState());
        QCOMPARE(w->digitCount(), 7);
        QCOMPARE(p.barValues(), QList<qreal>({100, 100, 100, 100, 100, 100, 100}));
    }

    void emptyHistoryHasASentence()
    {
        Program p(QByteArray(""));
        p.menu().openStatsWindow();
        QVERIFY(p.window()->showsEmptyState());
        bool found = false;
        for (const QLabel *label : p.window()->findChildren<QLabel *>())
            found |= label->isVisibleTo(p.window()) &&
                     StatsSentence::text(label).startsWith(u"まだ成績が保存されていません。"_qs);
        QVERIFY(found);
    }

    void oneWindowAtATime_data()
    {
        // 0 the window itself, 1 終了, 2 the main window, 3 Escape in the window
        QTest::addColumn<int>("closeBy");
        QTest::newRow("its own close") << 0;
        QTest::newRow("終了") << 1;
        QTest::newRow("closing the main window") << 2;
        QTest::newRow("Escape") << 3;
    }
    void oneWindowAtATime()
    {
        QFETCH(int, closeBy);
        Program p;
        QVERIFY(p.showActive());
        p.menu().openStatsWindow();
        QPointer<StatsWindow> first = p.window();
        p.menu().openStatsWindow();
        QCOMPARE(p.window(), first.data());
        QCOMPARE(p.statsWindowsOpen(), 1);

        if (closeBy == 0)
            first->close();
        else if (closeBy == 1)
            QCOMPARE(runUntilExit([&p] { p.form->ui.cmdEnd->click(); }), 0);
        else if (closeBy == 2)
            p.form->close();
        else {
            // The main window's activation may still be under way: Escape once 成績グラフ is
            // the active window for good.
            first->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), first.data());
            QTest::keyClick(first->windowHandle(), Qt::Key_Escape);
        }
        QTRY_VERIFY(!first); // closed and gone
        QCOMPARE(p.statsWindowsOpen(), 0);
    }

    void unloadableModuleIsTold_data()
    {
        QTest::addColumn<QByteArray>("content"); // of the module's file; null: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a module") << QByteArray("ketamori-stats\n");
    }
    void unloadableModuleIsTold()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(StatsWindowModule::fileName());
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        Program p;
        QVERIFY(p.showActive());
        p.menu().makeStatsWindow = [&](StatsHost &host, QWidget *owner, QString *error) {
            return StatsWindowModule::makeWindow(path, host, owner, error);
        };
        for (int attempt = 1; attempt <= 2; ++attempt) {
            MessageBoxAnswerer answerer({QMessageBox::Ok});
            p.menu().openStatsWindow();
            QCOMPARE(answerer.shown().size(), 1);
            QCOMPARE(answerer.shown().at(0).title, u"読み込みエラー"_qs);
            QCOMPARE(answerer.shown().at(0).icon, QMessageBox::Warning);
            QVERIFY(answerer.shown().at(0).text.contains(u"成績グラフを開けません"_qs));
            QVERIFY(answerer.shown().at(0).text.contains(QDir::toNativeSeparators(path)));
            QVERIFY(!p.menu().statsWindow());
        }
        QCOMPARE(p.statsWindowsOpen(), 0);
        QVERIFY(p.form->isVisible());
    }

    // The module built beside the program loads into a program that exports nothing (this test
    // exports no symbol either) and makes the window from what it is handed.
    void theModuleNeedsNothingOfTheProgram()
    {
        Program p;
        p.menu().makeStatsWindow = [](StatsHost &host, QWidget *owner, QString *error) {
            return StatsWindowModule::makeWindow(QStringLiteral(KETAMORI_STATS_MODULE), host, owner,
                                                 error);
        };
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        p.menu().openStatsWindow();
        QVERIFY(answerer.shown().isEmpty());
        QVERIFY(p.menu().statsWindow());
        QCOMPARE(p.menu().statsWindow()->windowTitle(), u"成績グラフ"_qs);
    }

    void spanPageShowsTheEstimateAndSuggestion_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("estimate"); // its start
        QTest::addColumn<int>("suggested");
        QTest::newRow("5 秒") << 5 << u"推定スパン：5.0 桁（95% 区間"_qs << 4;
        QTest::newRow("3 秒: one result") << 3 << u"あと 19 回練習すると推定できます。"_qs << 8;
        QTest::newRow("すべて") << int(HistoryStats::everyDisplayTime) << u"推定スパン："_qs << 4;
    }
    void spanPageShowsTheEstimateAndSuggestion()
    {
        QFETCH(int, seconds);
        QFETCH(QString, estimate);
        QFETCH(int, suggested);
        Program p(spanFile());
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        QCOMPARE(w->displayTimeList()->count(), 3);
        QCOMPARE(w->displayTimeList()->item(0)->text(), u"すべて"_qs);
        QCOMPARE(w->displayTimeList()->item(1)->text(), u"3 秒"_qs);
        w->chooseDisplayTime(seconds);
        w->choosePage<SpanPage>();
        const QString shown = StatsSentence::text(w->page<SpanPage>()->estimate());
        QVERIFY2(shown.startsWith(estimate), qPrintable(shown));
        QCOMPARE(w->page<SpanPage>()->chooseButton()->text(),
                 QStringLiteral("問題数を %1 桁にする(&P)").arg(suggested));
        QVERIFY(StatsSentence::text(w->page<SpanPage>()->suggestion())
                    .startsWith(QStringLiteral("次の練習：%1 桁。").arg(suggested)));
        // The legend names the fitted curve only where there is one.
        const QList<QLegendMarker *> curve =
            w->page<SpanPage>()->chart()->chart()->legend()->markers(
                w->page<SpanPage>()->chart()->curve());
        QCOMPARE(curve.size(), 1);
        QTRY_COMPARE(curve.first()->isVisible(), seconds != 3);
    }

    // The button picks the digit count in 問題数 as the player's own choice there does: the
    // list shows it, the drill takes it, the settings file is rewritten.
    void suggestionButtonPicksTheDigitCount()
    {
        Program p(spanFile());
        p.menu().openStatsWindow();
        p.window()->chooseDisplayTime(5);
        p.window()->choosePage<SpanPage>();
        p.window()->page<SpanPage>()->chooseButton()->click();
        QCOMPARE(p.form->ui.cboMonsu->currentText(), u"4"_qs);
        QCOMPARE(p.form->drillState().intMonsu, 4);
        QCOMPARE(p.readFile(QStringLiteral("設定.txt")), QByteArray("4,5,0\r\n"));
    }

    // 自動調整 has one state, switched from the page or the history menu, each showing it.
    void adaptiveSwitchIsTheProgramsOwn()
    {
        QFile::remove(ProgramPreferences::defaultPath());
        auto cleanUp = qScopeGuard([] { QFile::remove(ProgramPreferences::defaultPath()); });
        Program p(spanFile());
        p.menu().openStatsWindow();
        p.window()->choosePage<SpanPage>();
        QCheckBox *box = p.window()->page<SpanPage>()->adaptiveSwitch();
        QVERIFY(!box->isChecked());
        box->click();
        QVERIFY(p.form->adaptiveDigitCount().isOn());

        p.menu().popup(QPoint(0, 0));
        QAction *item = p.menu().menu()->actions().at(1);
        QVERIFY(item->isChecked());
        item->trigger(); // the page on screen follows at once
        QVERIFY(!p.form->adaptiveDigitCount().isOn());
        QVERIFY(!box->isChecked());
    }

    void suggestionButtonTellsAFailedWrite()
    {
        Program p(spanFile());
        p.menu().openStatsWindow();
        p.window()->chooseDisplayTime(5);
        p.window()->choosePage<SpanPage>();
        p.disk.failAt = FailingDisk::Step::Commit;
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        p.window()->page<SpanPage>()->chooseButton()->click();
        QCOMPARE(answerer.shown().size(), 1);
        QCOMPARE(answerer.shown().at(0).title, u"保存エラー"_qs);
        QVERIFY(answerer.shown().at(0).text.contains(
            u"選んだ値はこのまま使いますが、次回の起動時には元に戻ります。"_qs));
        QCOMPARE(p.form->drillState().intMonsu, 4);
        QCOMPARE(p.readFile(QStringLiteral("設定.txt")), QByteArray("5,5,0\r\n"));
    }

    void calendarBestsAndTrend()
    {
        Program p(spanFile());
        p.clock.setLocalNow(QDateTime(QDate(2024, 2, 11), QTime(20, 0)));
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        w->choosePage<CalendarView>();
        CalendarGrid *grid = w->page<CalendarView>()->grid();
        QCOMPARE(grid->chosenDay(), QDate(2024, 2, 11));
        QCOMPARE(grid->firstDay().dayOfWeek(), 1);
        QCOMPARE(grid->firstDay().daysTo(QDate(2024, 2, 5)), 52 * 7);
        QCOMPARE(grid->level(QDate(2024, 1, 5)), 4);
        QCOMPARE(grid->level(QDate(2024, 2, 11)), 0);
        QCOMPARE(StatsSentence::text(w->page<CalendarView>()->totals()),
                 u"今の連続：41 日　　最長の連続：41 日　　合計：41 回・41 日"_qs);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(StatsSentence::text(w->page<CalendarView>()->chosenDay()),
                 u"選んだ日：2024/02/04（日）：1 回、平均正解率 83.3%"_qs);
        QTest::keyClick(grid, Qt::Key_Left);
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(StatsSentence::text(w->page<CalendarView>()->chosenDay()),
                 u"選んだ日：2024/01/27（土）：1 回、平均正解率 83.3%"_qs);

        w->choosePage<BestsTable>();
        QCOMPARE(w->page<BestsTable>()->rowCount(), 2);
        QCOMPARE(w->page<BestsTable>()->item(0, 0)->text(), u"3 秒"_qs);
        QCOMPARE(w->page<BestsTable>()->item(0, 1)->text(), u"8 桁"_qs);
        QCOMPARE(w->page<BestsTable>()->item(1, 1)->text(), u"6 桁"_qs);
        QCOMPARE(w->page<BestsTable>()->item(1, 2)->text(), u"2024/01/21 09:00:00"_qs);

        // The controls are named for a screen reader, in Japanese, as the main window's are.
        w->choosePage<SpanPage>();
        const QList<QWidget *> named = {grid,
                                        w->page<BestsTable>(),
                                        w->page<SpanPage>()->chart(),
                                        w->page<SpanPage>()->chooseButton(),
                                        w->displayTimeList(),
                                        w->digitCountList(),
                                        w->page<RateChart>(),
                                        w->page<PositionPage>()->chart(),
                                        w->page<SummaryView>()->table()};
        for (QWidget *control : named) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            QVERIFY(face);
            QVERIFY2(face->text(QAccessible::Name)
                         .contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{9FFF}]"))),
                     control->metaObject()->className());
        }

        // Forty results over six weeks: no week has enough for an estimate of its own.
        w->choosePage<TrendPage>();
        QVERIFY(!w->page<TrendPage>()->chart() || !w->page<TrendPage>()->chart()->isVisible());
    }

    // The pages of the drill log, fed by the host: twelve neighbouring digits swapped and eight
    // threes typed as eights, all of five digits at 5 seconds.
    void pagesOfTheDrillLog()
    {
        QList<LoggedDrill> drills;
        const auto add = [&drills](const QString &typed, int times) {
            LoggedDrill drill;
            drill.result = DrillResult::score(typed.split(QString(), Qt::SkipEmptyParts),
                                              {u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs}, 5, 5);
            for (int i = 0; i < times; ++i)
                drills.append(drill);
        };
        add(u"12435"_qs, 12);
        add(u"12845"_qs, 8);
        Program p;
        p.menu().setLoggedDrills([&drills] { return drills; });
        p.menu().openStatsWindow();
        StatsWindow *w = p.window();
        QCOMPARE(w->digitCount(), 5);

        w->choosePage<ErrorKindsPage>();
        ErrorKindsPage *kinds = w->page<ErrorKindsPage>();
        QVERIFY(kinds->chart() && kinds->currentWidget() != kinds->hint());
        QCOMPARE(kinds->chart()->kinds().first(), u"隣どうしの入れ替え（12 回）"_qs);
        QCOMPARE(kinds->chart()->kinds().at(4), u"1 つだけ違う数字（8 回）"_qs);
        QCOMPARE(kinds->chart()->shares()->at(6), 60.0); // the top bar, drawn last
        QCOMPARE(StatsSentence::text(kinds->counts()),
                 u"問題数 5 桁・表示時間 すべて：詳細記録に残る間違い 20 回。"_qs);
        // Three digits: no wrong rows with details, and how many more are needed.
        w->chooseDigitCount(3);
        QCOMPARE(kinds->currentWidget(), kinds->hint());
        QCOMPARE(StatsSentence::text(kinds->hint()),
                 u"間違い方は、詳細記録に残る間違いが 10 回たまると表示されます"
                 "（問題数 3 桁・表示時間 すべて：今 0 回）。詳細記録のない結果 1 回（記録を"
                 "始める前のもの）は数えていません。"_qs);

        w->choosePage<ConfusionPage>();
        QTableWidget *grid = w->page<ConfusionPage>()->grid();
        QVERIFY(grid->isVisibleTo(w));
        QCOMPARE(grid->item(3, 8)->toolTip(), u"3 の所に 8 と入力：8 回"_qs);
        QCOMPARE(grid->item(3, 10)->toolTip(), u"3 の所が空欄：0 回"_qs);
        QVERIFY(grid->item(3, 8)->background() != grid->item(3, 7)->background());
        // Named as the list at the side names them; the swapped positions, not in the grid,
        // told under it: 24 of 32 wrong positions.
        QVERIFY(StatsSentence::text(w->page<ConfusionPage>()->caption())
                    .contains(
                        u"（表示時間 すべて・問題数 すべて、違う数字や空欄を入れた所 8 か所）"_qs));
        QCOMPARE(StatsSentence::text(w->page<ConfusionPage>()->leftOut()),
                 u"間違えた所 32 か所のうち 24 か所は、入れ替えや抜け・ずれ、終わりの空欄など、"
                 "ほかの数字と取り違えたのではない間違いなので、表に入れていません。"_qs);
        QVERIFY(w->page<ConfusionPage>()->leftOut()->isVisibleTo(w));

        w->choosePage<AdvicePage>();
        const QString advice = StatsSentence::text(w->page<AdvicePage>()->advice());
        QVERIFY2(
            advice.startsWith(u"・詳細記録に残る間違い 20 回のうち 12 回（60.0%）が隣り合う"_qs),
            qPrintable(advice));

        for (QWidget *control :
             QList<QWidget *>{kinds->chart(), grid, w->page<AdvicePage>()->advice()}) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            QVERIFY(face);
            QVERIFY(face->text(QAccessible::Name)
                        .contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{9FFF}]"))));
        }
    }

    void contextMenuFromTheKeyboard_data()
    {
        QTest::addColumn<bool>("menuKey");
        // The desktop turns the Menu key into a context menu event of the keyboard, which is
        // what the table then gets; Shift+F10 comes as the keys themselves.
        QTest::newRow("Menu key") << true;
        QTest::newRow("Shift+F10") << false;
    }
    void contextMenuFromTheKeyboard()
    {
        QFETCH(bool, menuKey);
        Program p;
        QVERIFY(p.showActive());
        QTableView *table = p.form->ui.msgRireki;
        table->setFocus();
        if (menuKey) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                    table->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(table, &event);
        } else {
            QTest::keyClick(p.form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        }
        QMenu *menu = p.menu().menu();
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        // Opened from the keyboard on its first item, which Return then takes.
        QCOMPARE(menu->activeAction(), menu->actions().constFirst());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts.append(action->text());
        QCOMPARE(texts, QStringList({u"成績グラフ(&G)…"_qs, u"問題数の自動調整(&A)"_qs,
                                     u"CSV に書き出す(&E)…"_qs, u"この結果の詳細(&I)…"_qs,
                                     u"詳細記録を CSV に書き出す(&D)…"_qs, u"コピー(&C)"_qs}));
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(p.window() && p.window()->isVisible());
        QVERIFY(!menu->isVisible());
    }

    void copiesTheChosenRow()
    {
        Program p;
        QTableView *table = p.form->ui.msgRireki;
        table->setCurrentIndex(table->model()->index(2, 3));
        QCOMPARE(p.menu().exporter().selectedRowsText(),
                 u"3\t24/01/31\t10:00:00\t○○○－－－－－－－－－－－－\t3\t0\t100.0%\t5秒\n"_qs);
        p.menu().exporter().copyRows();
        QCOMPARE(QGuiApplication::clipboard()->text(), p.menu().exporter().selectedRowsText());
    }

    void exportWritesTheTable()
    {
        Program p(exampleLine());
        QTemporaryDir out;
        const QString path = out.filePath(u"履歴.csv"_qs);
        QString proposed;
        p.menu().exporter().askFileName = [&](QWidget *, const QString &offered) {
            proposed = offered;
            return path;
        };
        p.menu().exporter().exportCsv();
        QCOMPARE(QFileInfo(proposed).fileName(), u"履歴.csv"_qs);
        const QByteArray expected =
            QByteArray("\xEF\xBB\xBF") +
            QStringLiteral("回,日付,時間,成績詳細,ＯＫ,ＮＧ,正解率,秒\r\n"
                           "1,01/02/03,04:05:06,○○×－－－－－－－－－－－－,2,1,66.7%,5秒\r\n")
                .toUtf8();
        QCOMPARE(fileBytes(path), expected);
        QVERIFY(fileBytes(path).contains("\xE2\x97\x8B\xE2\x97\x8B\xC3\x97\xEF\xBC\x8D"));
    }

    void failingExportWarnsAndLeavesNoFile()
    {
        Program p;
        QTemporaryDir out;
        const QString path = out.filePath(u"missing/履歴.csv"_qs);
        p.menu().exporter().askFileName = [&](QWidget *, const QString &) { return path; };
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        p.menu().exporter().exportCsv();
        QCOMPARE(answerer.shown().size(), 1);
        QCOMPARE(answerer.shown().at(0).title, u"書き出しエラー"_qs);
        QCOMPARE(answerer.shown().at(0).icon, QMessageBox::Warning);
        QVERIFY(answerer.shown().at(0).text.contains(u"書き出せませんでした"_qs));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(out.path()).isEmpty());
    }

    void cancelledExportWritesNothing()
    {
        Program p;
        p.menu().exporter().askFileName = [](QWidget *, const QString &) { return QString(); };
        MessageBoxAnswerer answerer({});
        p.menu().exporter().exportCsv();
        QTest::qWait(20);
        QCOMPARE(answerer.shown().size(), 0);
    }
};

QTEST_MAIN(tst_StatsWindow)
#include "tst_statswindow.moc"
