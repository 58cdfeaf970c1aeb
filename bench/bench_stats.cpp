// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the window 成績グラフ on a history of 32,766 records held by the history table's model,
// as the program does, and prints the times. Run by hand, headless:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_stats

#include "bench/SampleHistory.h"
#include "drill/core/Clock.h"
#include "records/HistoryModel.h"
#include "stats/HistoryMenu.h"
#include "stats/StatsWindow.h"
#include "stats/core/HistoryStats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int records = 32766;

class WallClock : public Clock
{
public:
    qint64 wholeSeconds() const override { return 0; }
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
    menu.makeStatsWindow = [](const HistoryModel &model, const Clock &clock, QWidget *owner,
                              QString *) { return new StatsWindow(model, clock, owner); };

    // The pass over the records alone.
    std::vector<qint64> passTimes;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        timer.start();
        HistoryStats stats;
        for (int row = 0; row < model->recordCount(); ++row)
            stats.add(model->record(row));
        passTimes.push_back(timer.nsecsElapsed());
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
    window->chooseView(StatsWindow::View::Position);
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 positionNs = timer.nsecsElapsed();
    timer.start();
    window->chooseView(StatsWindow::View::Summary);
    QCoreApplication::processEvents();
    window->repaint();
    const qint64 summaryNs = timer.nsecsElapsed();

    // A saved result with the window open on the rate chart.
    window->chooseView(StatsWindow::View::Rate);
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
    std::printf("open the window, drawn (%d digits, %d results): %s\n", chosen, points,
                qPrintable(times(openTimes)));
    std::printf("  the same, CPU time of the thread:  %s\n", qPrintable(times(openCpu)));
    std::printf("rate chart of all %d results, drawn: %8.2f ms\n", records, ms(allNs));
    std::printf("turn to the position chart, drawn:   %8.2f ms\n", ms(positionNs));
    std::printf("turn to the summary, drawn:          %8.2f ms\n", ms(summaryNs));
    std::printf("a save with the window open, drawn:  %s\n", qPrintable(times(saveTimes)));
    std::printf("  the same with the window closed:   %s\n", qPrintable(times(bareSaveTimes)));
    return 0;
}
