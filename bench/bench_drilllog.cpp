// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drill log's costs: the first use (opening and checking the file), one save's detail
// (median and worst of 1,000) at logs of 0, 100,000 and 1,000,000 drills, and reading 100,000
// details for the analysis.
//   bench_drilllog [FOLDER]     FOLDER (default: a temporary one) holds the logs made, on the
//                               disk to be measured
//   bench_drilllog make FOLDER  writes FOLDER/詳細.sqlite, a log with one drill for each line of
//                               FOLDER/履歴.txt (line numbers 1 to N, each row that line's
//                               detail), for the start-up benchmark
// Prints one line per log size: open_ms=... append_median_ms=... append_worst_ms=...
// and, for 100,000, read_ms=... (median of 5).

#include "records/core/DrillLog.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/SqlStatement.h"
#include "tests/SaveStream.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

bool append(DrillLog &log, int n, qint64 line)
{
    return log.append(streamResult(n), streamMoment(n),
                      HistoryLine::format(streamRecord(n)).chopped(2), line);
}

// How a drill saved as this history line may have gone: the line's marks, counts and seconds,
// with the digits shown, the boxes' texts and their entry times made up around them (an empty
// box now and then, a refill now and then), varying with n.
DrillResult playOf(const HistoryRecord &record, int n)
{
    DrillResult result;
    result.marks = record.marks;
    result.right = record.ok;
    result.wrong = record.ng;
    result.digitCount = int16_t(record.ok + record.ng);
    result.displaySeconds = record.seconds;
    streamPlay(result, n);
    return result;
}

// The detail of history line n (from 1) with these bytes, saved at the line's own time.
std::optional<LoggedDrill> drillOf(QByteArrayView line, qint64 n)
{
    const std::optional<HistoryRecord> record = HistoryLine::parse(line);
    if (!record)
        return std::nullopt;
    const QDateTime savedAt(record->date, record->time);
    LoggedDrill drill{savedAt.toMSecsSinceEpoch(), savedAt.offsetFromUtc(), n, line.toByteArray(),
                      playOf(*record, int(n % 1000000))};
    if (!drill.makesSense(n))
        return std::nullopt;
    return drill;
}

bool failed(sqlite3 *db, const char *what)
{
    std::fprintf(stderr, "making the log: %s: %s\n", what, sqlite3_errmsg(db));
    return false;
}

// A log with one drill for each of the history lines (without their line ends), line numbers 1
// to lines.size(). The first is saved by the program itself, which makes the file and its
// tables; the others are written in one transaction, far faster than a million saves.
bool makeLog(const QString &path, const QList<QByteArray> &lines)
{
    if (lines.isEmpty())
        return true;
    {
        const std::optional<LoggedDrill> first = drillOf(lines.first(), 1);
        DrillLog log(path);
        if (!first ||
            !log.append(first->result, QDateTime::fromMSecsSinceEpoch(first->savedAtUtcMs),
                        lines.first(), 1))
            return false;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return failed(db, "open");
    // Closed once the statements below are finalized too. The file is left in write-ahead
    // mode, as the program keeps it; the bulk goes in through a rollback journal in memory,
    // not through a write-ahead log as large as the file.
    const auto done = [db](bool ok) {
        ok = ok && (sqlExec(db, "PRAGMA journal_mode = WAL") == SQLITE_OK || failed(db, "wal"));
        sqlite3_close_v2(db);
        return ok;
    };
    if (sqlExec(db, "PRAGMA journal_mode = MEMORY") != SQLITE_OK ||
        sqlExec(db, "PRAGMA synchronous = OFF") != SQLITE_OK || sqlExec(db, "BEGIN") != SQLITE_OK)
        return done(failed(db, "begin"));
    SqlStatement row(db, "INSERT INTO drill (id, saved_at_utc_ms, utc_offset_s, line_number,"
                         " history_line, digit_count, display_seconds, shown, right_count,"
                         " wrong_count, answer_ms) VALUES (?1, ?2, ?3, ?1, ?4, ?5, ?6, ?7, ?8,"
                         " ?9, ?10)");
    SqlStatement box(db, "INSERT INTO entry (drill_id, slot, answer, correct, entry_ms, refills)"
                         " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    if (row.prepared() != SQLITE_OK || box.prepared() != SQLITE_OK)
        return done(failed(db, "prepare"));
    for (qint64 n = 2; n <= lines.size(); ++n) {
        const std::optional<LoggedDrill> drill = drillOf(lines.at(n - 1), n);
        if (!drill) {
            std::fprintf(stderr, "making the log: history line %lld is no drill\n",
                         static_cast<long long>(n));
            return done(false);
        }
        const DrillResult &r = drill->result;
        const QByteArray shown = r.shown.toUtf8();
        sqlite3_reset(*row);
        sqlite3_bind_int64(*row, 1, n);
        sqlite3_bind_int64(*row, 2, drill->savedAtUtcMs);
        sqlite3_bind_int(*row, 3, drill->utcOffsetSeconds);
        sqlite3_bind_blob(*row, 4, drill->historyLine.constData(), int(drill->historyLine.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int(*row, 5, r.digitCount);
        sqlite3_bind_int(*row, 6, r.displaySeconds);
        sqlite3_bind_text(*row, 7, shown.constData(), int(shown.size()), SQLITE_STATIC);
        sqlite3_bind_int(*row, 8, r.right);
        sqlite3_bind_int(*row, 9, r.wrong);
        sqlite3_bind_int64(*row, 10, r.answerMs);
        if (sqlite3_step(*row) != SQLITE_DONE)
            return done(failed(db, "drill"));
        for (int i = 0; i < r.digitCount; ++i) {
            const QByteArray answer = r.answers.at(i).toUtf8();
            sqlite3_reset(*box);
            sqlite3_bind_int64(*box, 1, n);
            sqlite3_bind_int(*box, 2, i + 1);
            sqlite3_bind_text(*box, 3, answer.constData(), int(answer.size()), SQLITE_STATIC);
            sqlite3_bind_int(*box, 4, r.marks[size_t(i)] == DrillResult::Mark::Right);
            if (r.entryMs.at(i) < 0)
                sqlite3_bind_null(*box, 5);
            else
                sqlite3_bind_int64(*box, 5, r.entryMs.at(i));
            sqlite3_bind_int(*box, 6, r.refills.at(i));
            if (sqlite3_step(*box) != SQLITE_DONE)
                return done(failed(db, "entry"));
        }
    }
    return done(sqlExec(db, "COMMIT") == SQLITE_OK || failed(db, "commit"));
}

// The lines of a history file, without their line ends.
QList<QByteArray> linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The stream's first count lines, a second apart.
QList<QByteArray> streamLines(qint64 count)
{
    QList<QByteArray> lines;
    lines.reserve(count);
    for (qint64 n = 1; n <= count; ++n)
        lines.append(HistoryLine::format(streamRecord(int(n))).chopped(2));
    return lines;
}

// bench_drilllog make FOLDER: the drill log of FOLDER's history, one drill for each line.
int make(const QString &folder)
{
    const QDir dir(folder);
    const QList<QByteArray> lines = linesOf(dir.filePath(HistoryFile::fileName()));
    if (lines.isEmpty()) {
        std::fprintf(stderr, "bench_drilllog: no history in %s\n", qPrintable(folder));
        return 1;
    }
    const QString path = dir.filePath(DrillLog::fileName());
    QFile::remove(path);
    if (!makeLog(path, lines))
        return 1;
    std::printf("drills=%lld\n", static_cast<long long>(lines.size()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "make") == 0)
        return make(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir temporary(
        argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("bench-XXXXXX"))
                 : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    if (!temporary.isValid())
        return 1;
    for (const qint64 count : {qint64(0), qint64(100000), qint64(1000000)}) {
        const QString path = temporary.filePath(QStringLiteral("%1.sqlite").arg(count));
        if (!makeLog(path, streamLines(count)))
            return 1;

        // The first use opens and checks the file; the saves after it find it open.
        DrillLog log(path);
        QElapsedTimer timer;
        timer.start();
        if (!append(log, 1, count + 1))
            return 1;
        const double openMs = msSince(timer);
        std::vector<double> saves;
        for (int i = 0; i < 1000; ++i) {
            timer.start();
            if (!append(log, i % 400 + 1, count + 2 + i))
                return 1;
            saves.push_back(msSince(timer));
        }
        std::printf("drills=%lld open_ms=%.1f append_median_ms=%.3f append_worst_ms=%.1f",
                    static_cast<long long>(count), openMs, median(saves),
                    *std::max_element(saves.begin(), saves.end()));
        if (count == 100000) {
            std::vector<double> reads;
            for (int i = 0; i < 5; ++i) {
                QString error;
                timer.start();
                const std::optional<DrillLog::Contents> contents = log.read(count + 1001, &error);
                reads.push_back(msSince(timer));
                if (!contents || contents->drills.size() != count + 1001)
                    return 1;
            }
            std::printf(" read_ms=%.0f", median(reads));
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
