// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Loads a history of 32,766 records into the real window, model and table, then saves into it,
// and prints the times and the memory used. Run by hand, headless:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_history

#include "app/frmMain.h"
#include "bench/ProcessStatus.h"
#include "bench/SampleHistory.h"
#include "base/DrillResult.h"
#include "records/History.h"
#include "records/HistoryModel.h"
#include "files/Disk.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "tests/FakeClock.h"
#include "tests/RecordingHelp.h"
#include "tests/ScriptedDigits.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int records = 32766;

// The sample history as the file holds it.
QByteArray historyOf(int count)
{
    QByteArray content;
    for (const HistoryRecord &record : sampleHistory(count))
        content += HistoryLine::format(record);
    return content;
}

struct Program
{
    FakeClock clock;
    ScriptedDigits digits;
    RecordingHelp help;
    frmMain form;

    explicit Program(const QDir &dir) : form(dir, clock, digits, help, Disk::real()) {}

    // A three-digit drill scored 2 right and 1 wrong, as the Answer button leaves it.
    const DrillResult example = DrillResult::score(
        QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")},
        QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, 3, 5);
};

double ms(qint64 ns)
{
    return static_cast<double>(ns) / 1e6;
}

// CPU time of this thread: unlike wall time, it does not grow when other work shares the cores.
qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Median wall time of saves into the history of the given program, in milliseconds.
double medianSave(Program &program, int saves)
{
    std::vector<qint64> times;
    QElapsedTimer timer;
    for (int n = 0; n < saves; ++n) {
        timer.start();
        program.form.history().Save(program.example);
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return ms(times[times.size() / 2]);
}

qint64 historyBytes(const QString &path)
{
    return QFileInfo(path).size();
}

// First, median and worst of a series of times.
QString times(std::vector<qint64> ns)
{
    const double first = ms(ns.front());
    std::sort(ns.begin(), ns.end());
    return QString::asprintf("%8.2f ms first, %.2f ms median, %.2f ms worst of %zu", first,
                             ms(ns[ns.size() / 2]), ms(ns.back()), ns.size());
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir big, few, work;
    const QByteArray content = historyOf(records);
    if (!big.isValid() || !few.isValid() || !work.isValid() ||
        !writeFile(big.filePath(QStringLiteral("設定.txt")), "3,5,0\r\n") ||
        !writeFile(few.filePath(QStringLiteral("設定.txt")), "3,5,0\r\n") ||
        !writeFile(work.filePath(QStringLiteral("設定.txt")), "3,5,0\r\n") ||
        !writeFile(big.filePath(HistoryFile::fileName()), content) ||
        !writeFile(few.filePath(HistoryFile::fileName()), historyOf(10)) ||
        !writeFile(work.filePath(HistoryFile::fileName()), historyOf(10))) {
        std::fprintf(stderr, "bench_history: cannot prepare the data folders\n");
        return 1;
    }

    const QString bigFile = big.filePath(HistoryFile::fileName());

    // Reading and parsing alone.
    std::vector<qint64> parseTimes;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        timer.start();
        HistoryContents contents;
        QString error;
        HistoryFile(bigFile, Disk::real()).read(&contents, &error);
        parseTimes.push_back(timer.nsecsElapsed());
    }

    // The window starts on a short history and is shown, so the fonts and the style are ready;
    // then the file grows to the big history, which is loaded into its model and table, which
    // scroll to the newest record.
    Program program{QDir(work.path())};
    QString error;
    if (!program.form.frmMain_Load(&error)) {
        std::fprintf(stderr, "bench_history: %s\n", qUtf8Printable(error));
        return 1;
    }
    program.form.show();
    if (!QTest::qWaitForWindowExposed(&program.form))
        return 1;
    QTableView &grid = *program.form.ui.msgRireki;
    History &history = program.form.history();
    if (!writeFile(work.filePath(HistoryFile::fileName()), content))
        return 1;

    const long rssBefore = statusKb("VmRSS");
    std::vector<qint64> loadTimes, loadCpu;
    long rssFirst = 0;
    for (int n = 0; n < 5; ++n) {
        QElapsedTimer timer;
        const qint64 cpu = threadCpuNs();
        timer.start();
        if (!history.LoadHistory(&error)) {
            std::fprintf(stderr, "bench_history: %s\n", qUtf8Printable(error));
            return 1;
        }
        loadTimes.push_back(timer.nsecsElapsed());
        loadCpu.push_back(threadCpuNs() - cpu);
        QCoreApplication::processEvents();
        if (n == 0)
            rssFirst = statusKb("VmRSS");
    }
    const long rssLoaded = statusKb("VmRSS");

    QElapsedTimer timer;
    timer.start();
    grid.viewport()->repaint();
    const qint64 paintNs = timer.nsecsElapsed();
    timer.start();
    grid.scrollToTop();
    grid.viewport()->repaint();
    grid.scrollToBottom();
    grid.viewport()->repaint();
    const qint64 scrollNs = timer.nsecsElapsed();

    // A whole start-up on the big history, for comparison (fonts already loaded).
    Program second{QDir(big.path())};
    timer.start();
    if (!second.form.frmMain_Load(&error))
        return 1;
    const qint64 startUpNs = timer.nsecsElapsed();

    std::printf("history of %d records, %lld bytes\n", history.model().recordCount(),
                static_cast<long long>(historyBytes(bigFile)));
    std::printf("read and parse the file:             %s\n", qPrintable(times(parseTimes)));
    std::printf("load into the model and shown table: %s\n", qPrintable(times(loadTimes)));
    std::printf("  the same, CPU time of the thread:  %s\n", qPrintable(times(loadCpu)));
    std::printf("repaint of the table at the newest:  %8.2f ms (top row %d)\n", ms(paintNs),
                grid.verticalScrollBar()->value());
    std::printf("scroll to top and back, repainted:   %8.2f ms\n", ms(scrollNs));
    std::printf("whole start-up on that history:      %8.2f ms\n", ms(startUpNs));
    std::printf("resident memory added by one load:   %8ld kB (VmRSS %ld -> %ld kB, %ld kB after "
                "all 5; a record takes %zu bytes)\n",
                rssFirst - rssBefore, rssBefore, rssFirst, rssLoaded, HistoryRecords::packedSize);

    // Saves into the big history and into a short one, both shown, take the same time.
    const double saveBig = medianSave(program, 21);
    Program shortOne{QDir(few.path())};
    if (!shortOne.form.frmMain_Load(&error))
        return 1;
    shortOne.form.show();
    if (!QTest::qWaitForWindowExposed(&shortOne.form))
        return 1;
    const double saveSmall = medianSave(shortOne, 21);
    std::printf("one Save at %d records:           %8.3f ms (median of 21)\n", records, saveBig);
    std::printf("one Save at 10 records:              %8.3f ms (median of 21)\n", saveSmall);
    std::printf("peak resident memory (VmHWM):        %8ld kB\n", statusKb("VmHWM"));
    return 0;
}
