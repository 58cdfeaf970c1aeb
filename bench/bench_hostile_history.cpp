// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the real window on history files this program never writes: one line of 100 MB,
// 10 MB of binary zeros, bytes that are no code page 932, a million empty lines, and a million
// valid lines for comparison, and two of 1000 MB: binary zeros, and valid lines up to the last.
// Each case starts in a process of its own, so that its peak
// resident memory is its own; the file is made before that process starts. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_hostile_history ["1000 MB"]

#include "app/frmMain.h"
#include "base/Clock.h"
#include "bench/ProcessStatus.h"
#include "drill/core/DigitSource.h"
#include "files/Disk.h"
#include "help/HelpService.h"
#include "records/History.h"
#include "records/HistoryModel.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "tests/RecordingHelp.h"
#include "tests/ScriptedDigits.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

class StillClock : public Clock
{
public:
    qint64 milliseconds() const override { return 0; }
    QDateTime localNow() const override { return QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)); }
};

QByteArray validLine(int n)
{
    HistoryRecord::Marks marks{};
    marks.fill(HistoryRecord::Mark::Unused);
    marks[0] = HistoryRecord::Mark::Right;
    const QDateTime at = QDateTime(QDate(2001, 1, 1), QTime(0, 0, 0)).addSecs(n);
    return HistoryLine::format(HistoryRecord::ofResult(
        at, {.marks = marks, .right = 1, .wrong = 0, .digitCount = 1, .displaySeconds = 5}));
}

struct Case
{
    const char *name;
    std::function<QByteArray()> content;
    // For a file too large to build in memory: its bytes, written a part at a time.
    std::function<bool(QFile &)> write = {};
};

constexpr qsizetype mb = 1024 * 1024;

// 1000 MB, a megabyte at a time, of binary zeros, or of valid lines with a last line that is
// none (the rest of the last megabyte, then a line end).
bool writeThousandMb(QFile &file, bool lines)
{
    QByteArray part(mb, '\0');
    if (lines) {
        QByteArray valid;
        for (int n = 0; valid.size() < mb; ++n)
            valid += validLine(n);
        part = valid.first(mb - mb % validLine(0).size());
    }
    for (qsizetype written = 0; written + part.size() <= 1000 * mb; written += part.size()) {
        if (file.write(part) != part.size())
            return false;
    }
    if (lines)
        return file.write(QByteArray(1000 * mb - file.size() - 2, 'x') + "\r\n") > 0;
    return file.resize(1000 * mb);
}

const Case cases[] = {
    {"empty history", [] { return QByteArray(""); }},
    {"one line of 100 MB", [] { return QByteArray(100 * mb, 'x') + "\r\n"; }},
    {"10 MB of binary zeros", [] { return QByteArray(10 * mb, '\0'); }},
    {"10 MB of bytes that are no CP932",
     [] {
         QByteArray line;
         for (int b = 0x80; b <= 0xFF; ++b)
             line += char(b);
         line += "\r\n";
         return line.repeated(10 * mb / line.size());
     }},
    {"a million empty lines", [] { return QByteArray(1000000, '\n'); }},
    {"a million valid lines",
     [] {
         QByteArray content;
         for (int n = 0; n < 1000000; ++n)
             content += validLine(n);
         return content;
     }},
    {"1000 MB of binary zeros", {}, [](QFile &file) { return writeThousandMb(file, false); }},
    {"1000 MB, bad only at its last line",
     {},
     [](QFile &file) { return writeThousandMb(file, true); }},
};

// In the child: start the window on the folder and print one row of figures.
int startUp(const QString &folder)
{
    const long rssBefore = statusKb("VmRSS");
    StillClock clock;
    ScriptedDigits digits({0});
    RecordingHelp help;
    QElapsedTimer timer;
    timer.start();
    frmMain window{QDir(folder), clock, digits, help, Disk::real()};
    QString error;
    const bool loaded = window.frmMain_Load(&error);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%10.1f %10ld %10ld %10ld %9d  %s\n", ms, statusKb("VmHWM") / 1024,
                (statusKb("VmHWM") - rssBefore) / 1024, statusKb("VmRSS") / 1024,
                loaded ? window.history().model().recordCount() : -1,
                loaded ? "" : qPrintable(error.section(u'\n', 0, 0)));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--start-up") == 0)
        return startUp(QString::fromLocal8Bit(argv[2]));

    std::printf("%-34s %10s %10s %10s %10s %9s\n", "history file", "load ms", "peak MiB",
                "+peak MiB", "RSS MiB", "records");
    // A word given picks the cases whose names hold it ("1000 MB").
    const QByteArray only = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    for (const Case &c : cases) {
        if (!QByteArray(c.name).contains(only))
            continue;
        QTemporaryDir dir;
        QFile settings(dir.filePath(QStringLiteral("設定.txt")));
        QFile history(dir.filePath(HistoryFile::fileName()));
        if (!settings.open(QIODevice::WriteOnly) || settings.write("5,5,1\r\n") != 7 ||
            !history.open(QIODevice::WriteOnly) ||
            !(c.write ? c.write(history) : history.write(c.content()) >= 0))
            return 1;
        settings.close();
        history.close();
        std::printf("%-34s ", c.name);
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--start-up", dir.path()});
        child.waitForFinished(-1);
    }
    return 0;
}
