// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drill log's costs: the first use (opening and checking the file), one save's detail
// (median and worst of 1,000) at logs of 0, 100,000 and 1,000,000 drills, and reading 100,000
// details for the analysis.
//   bench_drilllog [FOLDER]   FOLDER (default: a temporary one) holds the logs made, on the
//                             disk to be measured
// Prints one line per log size: open_ms=... append_median_ms=... append_worst_ms=...
// and, for 100,000, read_ms=... (median of 5).

#include "records/core/DrillLog.h"
#include "records/core/HistoryLine.h"
#include "tests/SaveStream.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
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

// A log of count drills, the stream's first 400 over and over, made by SQL in one transaction
// from rows the program wrote itself: far faster than a million saves.
bool makeLog(const QString &path, qint64 count)
{
    {
        DrillLog log(path);
        for (int n = 1; n <= 400; ++n) {
            if (!append(log, n, n))
                return false;
        }
    }
    if (count <= 400)
        return true;
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    const QByteArray sql =
        "BEGIN;"
        "WITH RECURSIVE n(i) AS (SELECT 401 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        QByteArray::number(count) +
        ")"
        " INSERT INTO drill (id, saved_at_utc_ms, utc_offset_s, line_number, history_line,"
        " digit_count, display_seconds, shown, right_count, wrong_count, answer_ms)"
        " SELECT i, d.saved_at_utc_ms + i * 60000, d.utc_offset_s, i, d.history_line,"
        " d.digit_count, d.display_seconds, d.shown, d.right_count, d.wrong_count, d.answer_ms"
        " FROM n JOIN drill AS d ON d.id = (i - 1) % 400 + 1;"
        "INSERT INTO entry (drill_id, slot, answer, correct, entry_ms, refills)"
        " SELECT d.id, e.slot, e.answer, e.correct, e.entry_ms, e.refills"
        " FROM drill AS d JOIN entry AS e ON e.drill_id = (d.id - 1) % 400 + 1 WHERE d.id > 400;"
        "COMMIT;";
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "making the log: %s\n", error);
    sqlite3_free(error);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary(
        argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("bench-XXXXXX"))
                 : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    if (!temporary.isValid())
        return 1;
    for (const qint64 count : {qint64(0), qint64(100000), qint64(1000000)}) {
        const QString path = temporary.filePath(QStringLiteral("%1.sqlite").arg(count));
        if (count > 0 && !makeLog(path, count))
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
