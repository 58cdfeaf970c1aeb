// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process half of scripts/bench.sh: makes history files, measures how fast the history
// parser reads one, and how long one Save takes into a window holding a given history.
//   bench_records generate COUNT FILE   writes COUNT varied records
//   bench_records parse FILE            prints read_ms=... read_mb_s=... (reading the file) and
//                                       parse_ms=... parse_mb_s=... (the parse alone), medians
//                                       of 7
//   bench_records save DIR              prints first_save_ms=... (a Save as soon as DIR's window
//                                       is exposed, which waits for the drill log's opening),
//                                       save_ms=... (median of the next 21 Saves; each writes the
//                                       history line and the drill log's detail; DIR's history
//                                       grows by 22 lines; needs a QPA platform) and
//                                       scroll_ms=... (median of 21 jumps of the table to a far
//                                       row, painted)

#include "app/frmMain.h"
#include "base/Clock.h"
#include "base/DrillResult.h"
#include "bench/SampleHistory.h"
#include "drill/core/DigitSource.h"
#include "files/Disk.h"
#include "help/HelpService.h"
#include "records/History.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryScanner.h"
#include "tests/RecordingHelp.h"
#include "tests/SaveStream.h"
#include "tests/ScriptedDigits.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class WallClock : public Clock
{
public:
    qint64 milliseconds() const override { return 0; }
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Varied results, one every few minutes: any digit count and display time, random marks.
int generate(long count, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QByteArray chunk;
    bool written = true;
    forEachSampleRecord(count, 400, [&](const HistoryRecord &record) {
        chunk += HistoryLine::format(record);
        if (chunk.size() > (1 << 20)) {
            written = written && file.write(chunk) == chunk.size();
            chunk.clear();
        }
    });
    if (!written)
        return 1;
    return file.write(chunk) == chunk.size() && file.flush() ? 0 : 1;
}

// Reading the file whole (HistoryFile::read: the read and the parse), and the parse alone on
// the bytes already in memory.
int parse(const QString &path)
{
    const qint64 bytes = QFileInfo(path).size();
    std::vector<double> times, parseTimes;
    std::size_t records = 0;
    for (int n = 0; n < 7; ++n) {
        QElapsedTimer timer;
        timer.start();
        HistoryContents contents;
        QString error;
        if (!HistoryFile(path, Disk::real()).read(&contents, &error)) {
            std::fprintf(stderr, "bench_records: %s\n", qUtf8Printable(error));
            return 1;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        records = contents.records.size();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray content = file.readAll();
    for (int n = 0; n < 7; ++n) {
        QElapsedTimer timer;
        timer.start();
        const HistoryContents contents = HistoryScanner::scan(content);
        parseTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (contents.records.size() != records)
            return 1;
    }
    const double ms = median(times), parseMs = median(parseTimes);
    std::printf("read_ms=%.2f read_mb_s=%.0f parse_ms=%.2f parse_mb_s=%.0f records=%zu\n", ms,
                double(bytes) / 1e3 / ms, parseMs, double(bytes) / 1e3 / parseMs, records);
    return 0;
}

int save(const QString &dir)
{
    WallClock clock;
    ScriptedDigits digits({0});
    RecordingHelp help;
    frmMain form(QDir(dir), clock, digits, help, Disk::real());
    QString error;
    if (!form.frmMain_Load(&error)) {
        std::fprintf(stderr, "bench_records: %s\n", qUtf8Printable(error));
        return 1;
    }
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    // Drills as the Answer button leaves them, with how they were played, so that each Save
    // writes the drill log's detail too. The first comes as soon as the window is on screen:
    // it waits for the log being opened ahead, if that has not ended yet.
    QElapsedTimer timer;
    timer.start();
    form.history().Save(streamResult(1));
    QCoreApplication::processEvents();
    const double firstMs = double(timer.nsecsElapsed()) / 1e6;
    std::vector<double> times;
    for (int n = 2; n <= 22; ++n) {
        timer.start();
        form.history().Save(streamResult(n));
        QCoreApplication::processEvents(); // the repaint that shows the new row
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // Scrolling: the table moved to a far row and painted, as a drag of the scroll bar does.
    QTableView *table = form.ui.msgRireki;
    QScrollBar *bar = table->verticalScrollBar();
    QRandomGenerator random(7);
    std::vector<double> scrollTimes;
    for (int n = 0; n < 21; ++n) {
        QElapsedTimer timer;
        timer.start();
        bar->setValue(random.bounded(bar->maximum() + 1));
        table->viewport()->repaint();
        scrollTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("first_save_ms=%.3f save_ms=%.3f scroll_ms=%.3f\n", firstMs, median(times),
                median(scrollTimes));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "generate" && argc == 4) {
        QCoreApplication app(argc, argv);
        return generate(std::atol(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (mode == "parse" && argc == 3) {
        QCoreApplication app(argc, argv);
        return parse(QString::fromLocal8Bit(argv[2]));
    }
    if (mode == "save" && argc == 3) {
        QApplication app(argc, argv);
        return save(QString::fromLocal8Bit(argv[2]));
    }
    std::fprintf(stderr, "usage: bench_records generate COUNT FILE | parse FILE | save DIR\n");
    return 2;
}
