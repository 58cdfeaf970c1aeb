// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the window 成績グラフ on a history of 32,766 records held by the history table's model,
// and a drill log of 100,000 drills, as the program does, and prints the times. Run by hand,
// headless:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_stats

#include "base/Clock.h"
#include "bench/SampleHistory.h"
#include "records/HistoryModel.h"
#include "stats/AdvicePage.h"
#include "stats/BestsTable.h"
#include "stats/CalendarView.h"
#include "stats/ConfusionPage.h"
#include "stats/ErrorKindsPage.h"
#include "stats/HistoryMenu.h"
#include "stats/PositionPage.h"
#include "stats/RateChart.h"
#include "stats/SpanPage.h"
#include "stats/StatsWindow.h"
#include "stats/SummaryView.h"
#include "stats/TrendPage.h"
#include "stats/core/DrillAnalysis.h"
#include "stats/core/HistoryStats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <vector>

namespace {

constexpr int records = 32766;
constexpr int loggedDrills = 100000;

// A drill log the same on every run: five to nine digits at 5 seconds, typed as players type
// them, mostly right with even entry times, and otherwise with one of the usual errors.
QList<LoggedDrill> sampleDrills()
{
    QRandomGenerator random(20241209);
    QList<LoggedDrill> drills;
    drills.reserve(loggedDrills);
    for (int i = 0; i < loggedDrills; ++i) {
        const int n = 5 + i % 5;
        QStringList digits;
        for (int d = 0; d < n; ++d)
            digits.append(QString::number(random.bounded(9)));
        QStringList typed = digits;
        switch (random.bounded(8)) {
        case 0: // neighbours swapped
            typed.swapItemsAt(2, 3);
            break;
        case 1: // one replaced
            typed[1] = QString::number((digits[1].toInt() + 1) % 10);
            break;
        case 2: // one left out
            typed.removeAt(2);
            typed.append(QString());
            break;
        case 3: // the end left empty
            typed[n - 1].clear();
            break;
        default:
            break;
        }
        LoggedDrill drill;
        drill.lineNumber = i + 1;
        drill.result = DrillResult::score(typed, digits, static_cast<int16_t>(n), 5);
        for (int d = 0; d < n; ++d)
            drill.result.entryMs.append(1500 + 300 * d + (d >= 3 ? 600 : 0));
        drill.result.refills = QList<int>(n, 0);
        drills.append(drill);
    }
    return drills;
}

class WallClock : public Clock
{
public:
    qint64 milliseconds() const override { return 0; }
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
};

// CPU time of this thread: unlike wall time, it does not grow when other work shares the cores.
qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double ms(qint64 ns)
{
    return static_cast<double>(ns) / 1e6;
}

QString times(std::vector<qint64> ns)
{
    const double first = ms(ns.front());
    std::sort(ns.begin(), ns.end());
    return QString::asprintf("%8.2f ms first, %.2f ms median, %.2f ms worst of %zu", first,
                             ms(ns[ns.size() / 2]), ms(ns.back()), ns.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    WallClock clock;
    QWidget owner;
    owner.resize(640, 480);
    auto *table = new QTableView(&owner);
    auto *model = new HistoryModel(table);
    table->setModel(model);
    model->setRecords(HistoryRecords(sampleHistory(records)));
    owner.show();
    if (!QTest::qWaitForWindowExposed(&owner))
        return 1;
    HistoryMenu menu(*table, *model, clock, owner);
    // The window linked in: the module's loading is measured by the start-up benchmark's
    // programs, not here.
    menu.makeStatsWindow = [](StatsHost &host, QWidget *owner, QString *) {
        return new StatsWindow(host, owner);
    };
    const QList<LoggedDrill> drills = sampleDrills();
    menu.setLoggedDrills([&drills] { return drills; });

    // The analysis of the drill log alone.
    std::vector<qint64> analysisTimes;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        timer.start();
        DrillAnalysis analysis;
        for (const LoggedDrill &drill : drills)
            analysis.add(drill.result);
        analysisTimes.push_back(timer.nsecsElapsed());
    }

    // The pass over the records alone.
    std::vector<qint64> passTimes, passCpu;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        const qint64 cpu = threadCpuNs();
        timer.start();
        HistoryStats stats;
        for (int row = 0; row < model->recordCount(); ++row)
            stats.add(model->record(row));
        passTimes.push_back(timer.nsecsElapsed());
        passCpu.push_back(threadCpuNs() - cpu);
    }

    // From the menu's entry to the window drawn on the screen, five times over: the window is
    // made anew each time, as it is after being closed.
    std::vector<qint64> openTimes, openCpu;
    int chosen = 0, points = 0;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        const qint64 cpu = threadCpuNs();
        timer.start();
        menu.openStatsWindow();
        auto *window = static_cast<StatsWindow *>(menu.statsWindow());
        QCoreApplication::processEvents();
        window->repaint();
        openTimes.push_back(timer.nsecsElapsed());
        openCpu.push_back(threadCpuNs() - cpu);
        chosen = window->digitCount();
        points = window->stats().ofDigitCount(chosen).results();
        if (n + 1 < 5) {
            window->close();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    auto *window = static_cast<StatsWindow *>(menu.statsWindow());

    // Every result in one chart, then the other two views.
    QElapsedTimer timer;
    timer.start();
    window->chooseDigitCount(0);
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 allNs = timer.nsecsElapsed();
    window->chooseDigitCount(chosen);
    timer.start();
    window->choosePage<PositionPage>();
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 positionNs = timer.nsecsElapsed();
    timer.start();
    window->choosePage<SummaryView>();
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 summaryNs = timer.nsecsElapsed();
    // The pages of the span, of every display time ("すべて") as the window opens on it.
    StatsPage *const spanViews[] = {window->page<SpanPage>(), window->page<TrendPage>(),
                                    window->page<CalendarView>(), window->page<BestsTable>()};
    qint64 spanViewNs[std::size(spanViews)] = {};
    qint64 spanViewCpu[std::size(spanViews)] = {};
    for (size_t v = 0; v < std::size(spanViews); ++v) {
        const qint64 cpu = threadCpuNs();
        timer.start();
        window->choosePage(spanViews[v]);
        QCoreApplication::processEvents();
        window->repaint();
        spanViewNs[v] = timer.nsecsElapsed();
        spanViewCpu[v] = threadCpuNs() - cpu;
    }
    // The pages of the drill log: the first reads and analyses it, the others use that.
    StatsPage *const logViews[] = {window->page<ErrorKindsPage>(), window->page<ConfusionPage>(),
                                   window->page<AdvicePage>()};
    qint64 logViewNs[std::size(logViews)] = {};
    for (size_t v = 0; v < std::size(logViews); ++v) {
        timer.start();
        window->choosePage(logViews[v]);
        QCoreApplication::processEvents();
        window->repaint();
        logViewNs[v] = timer.nsecsElapsed();
    }
    // The same window opened anew straight onto the span: the model's pass and the fit.
    window->close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qint64 openSpanStart = threadCpuNs();
    timer.start();
    menu.openStatsWindow();
    window = static_cast<StatsWindow *>(menu.statsWindow());
    window->choosePage<SpanPage>();
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 openSpanNs = timer.nsecsElapsed();
    const qint64 openSpanCpu = threadCpuNs() - openSpanStart;

    // A saved result with the window open on the rate chart.
    window->choosePage<RateChart>();
    std::vector<qint64> saveTimes;
    const HistoryRecord newest = model->record(model->recordCount() - 1);
    for (int n = 0; n < 5; ++n) {
        timer.start();
        model->append(newest);
        QCoreApplication::processEvents();
        window->repaint();
        saveTimes.push_back(timer.nsecsElapsed());
    }

    // The same saves with the window closed, for comparison: the table's own share.
    window->close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<qint64> bareSaveTimes;
    for (int n = 0; n < 5; ++n) {
        timer.start();
        model->append(newest);
        owner.repaint();
        bareSaveTimes.push_back(timer.nsecsElapsed());
    }

    std::printf("history of %d records in the table's model\n", records);
    std::printf("one pass over the records:           %s\n", qPrintable(times(passTimes)));
    std::printf("  the same, CPU time of the thread:  %s\n", qPrintable(times(passCpu)));
    std::printf("open the window, drawn (%d digits, %d results): %s\n", chosen, points,
                qPrintable(times(openTimes)));
    std::printf("  the same, CPU time of the thread:  %s\n", qPrintable(times(openCpu)));
    std::printf("rate chart of all %d results, drawn: %8.2f ms\n", records, ms(allNs));
    std::printf("turn to the position chart, drawn:   %8.2f ms\n", ms(positionNs));
    std::printf("turn to the summary, drawn:          %8.2f ms\n", ms(summaryNs));
    const char *spanViewNames[] = {"the span estimate", "the weekly trend", "the calendar",
                                   "the personal bests"};
    for (size_t v = 0; v < std::size(spanViews); ++v) {
        std::printf("turn to %-19s drawn: %8.2f ms (CPU %.2f ms)\n", spanViewNames[v],
                    ms(spanViewNs[v]), ms(spanViewCpu[v]));
    }
    std::printf("analysis of %d logged drills:     %s\n", loggedDrills,
                qPrintable(times(analysisTimes)));
    const char *logViewNames[] = {"間違い方 (reads the log)", "迷いやすい数字", "アドバイス"};
    for (size_t v = 0; v < std::size(logViews); ++v)
        std::printf("turn to %s, drawn: %8.2f ms\n", logViewNames[v], ms(logViewNs[v]));
    std::printf("open the window onto the span, drawn:%8.2f ms (CPU %.2f ms)\n", ms(openSpanNs),
                ms(openSpanCpu));
    std::printf("a save with the window open, drawn:  %s\n", qPrintable(times(saveTimes)));
    std::printf("  the same with the window closed:   %s\n", qPrintable(times(bareSaveTimes)));
    return 0;
}
