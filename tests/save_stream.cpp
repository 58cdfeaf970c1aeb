// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A stream of Saves in a process of its own, for tests that kill it: saves streamRecord(1),
// streamRecord(2), … to the history file of the data folder given, through the program's own
// file layer and the real disk, as fast as they go, until it is killed. After each save it
// prints "saved N" on standard output.
//
//   save_stream FOLDER [TEAR_AT [log]]
//
// With TEAR_AT, the line of that save reaches the disk in two writes, with "torn N" printed
// and a long pause between them: a kill in that pause leaves half a line, as a crash in the
// middle of a write would.
//
// With log, each save also records its detail in the folder's drill log, right after its line,
// as the program does; the stream then goes on from the lines the history already holds, so
// that save N is line N.

#include "SaveStream.h"
#include "files/Disk.h"
#include "records/core/DrillLog.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

void say(const char *what, int n)
{
    std::printf("%s %d\n", what, n);
    std::fflush(stdout);
}

// The real disk, but the line of one chosen save is written half at a time.
class TearingDisk : public Disk
{
public:
    int tearAt = 0;
    int current = 0;

    int write(QFileDevice &file, QByteArrayView bytes) override
    {
        if (current != tearAt || bytes.size() < 2)
            return Disk::write(file, bytes);
        const qsizetype half = bytes.size() / 2;
        if (const int failure = Disk::write(file, bytes.first(half)); failure != 0)
            return failure;
        say("torn", current);
        sleep(60); // killed in here
        return Disk::write(file, bytes.sliced(half));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_stream FOLDER [TEAR_AT [log]]\n");
        return 2;
    }
    TearingDisk disk;
    disk.tearAt = argc > 2 ? std::atoi(argv[2]) : 0;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString historyPath = folder.filePath(HistoryFile::fileName());
    HistoryFile file(historyPath, disk);
    std::optional<DrillLog> log;
    int first = 1;
    if (argc > 3 && qstrcmp(argv[3], "log") == 0) {
        log.emplace(folder.filePath(DrillLog::fileName()));
        QFile history(historyPath);
        if (history.open(QIODevice::ReadOnly))
            first += int(history.readAll().count('\n'));
    }
    for (int n = first;; ++n) {
        disk.current = n;
        QString error;
        const HistoryRecord record = streamRecord(n);
        if (!file.append(record, &error)) {
            std::fprintf(stderr, "save %d failed: %s\n", n, qPrintable(error));
            return 1;
        }
        if (log && !log->append(streamResult(n), streamMoment(n),
                                HistoryLine::format(record).chopped(2), n)) {
            std::fprintf(stderr, "detail %d failed: %s\n", n, qPrintable(log->takeNotice()));
            return 1;
        }
        say("saved", n);
    }
}
