// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/DrillLogRows.h"

#include "records/core/HistoryLine.h"
#include "records/core/SqlStatement.h"

#include <limits>

namespace {

// The drills and their boxes, read side by side: two scans in key order, which SQLite walks far
// faster than a join that looks up each drill's boxes.
constexpr const char *selectDrills =
    "SELECT id, saved_at_utc_ms, utc_offset_s, line_number, history_line, digit_count,"
    " display_seconds, shown, right_count, wrong_count, answer_ms FROM drill";
constexpr const char *selectEntries =
    "SELECT drill_id, slot, answer, correct, entry_ms, refills FROM entry";

int bindText(sqlite3_stmt *statement, int at, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int bindTime(sqlite3_stmt *statement, int at, qint64 ms)
{
    return ms < 0 ? sqlite3_bind_null(statement, at) : sqlite3_bind_int64(statement, at, ms);
}

int insertDrill(sqlite3 *db, const LoggedDrill &drill)
{
    const DrillResult &r = drill.result;
    return inTransaction(db, [&] {
        SqlStatement row(
            db, "INSERT INTO drill (saved_at_utc_ms, utc_offset_s, line_number,"
                " history_line, digit_count, display_seconds, shown, right_count,"
                " wrong_count, answer_ms) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
        if (row.prepared() != SQLITE_OK)
            return row.prepared();
        sqlite3_bind_int64(*row, 1, drill.savedAtUtcMs);
        sqlite3_bind_int(*row, 2, drill.utcOffsetSeconds);
        sqlite3_bind_int64(*row, 3, drill.lineNumber);
        sqlite3_bind_blob(*row, 4, drill.historyLine.constData(), int(drill.historyLine.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int(*row, 5, r.digitCount);
        sqlite3_bind_int(*row, 6, r.displaySeconds);
        bindText(*row, 7, r.shown);
        sqlite3_bind_int(*row, 8, r.right);
        sqlite3_bind_int(*row, 9, r.wrong);
        bindTime(*row, 10, r.answerMs);
        int rc = sqlite3_step(*row);
        if (rc != SQLITE_DONE)
            return rc;
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);

        SqlStatement box(db,
                         "INSERT INTO entry (drill_id, slot, answer, correct, entry_ms, refills)"
                         " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        if (box.prepared() != SQLITE_OK)
            return box.prepared();
        for (int i = 0; i < r.digitCount; ++i) {
            sqlite3_reset(*box);
            sqlite3_bind_int64(*box, 1, id);
            sqlite3_bind_int(*box, 2, i + 1);
            bindText(*box, 3, r.answers.at(i));
            sqlite3_bind_int(*box, 4, r.marks[size_t(i)] == DrillResult::Mark::Right);
            bindTime(*box, 5, r.entryMs.at(i));
            sqlite3_bind_int(*box, 6, r.refills.at(i));
            rc = sqlite3_step(*box);
            if (rc != SQLITE_DONE)
                return rc;
        }
        return SQLITE_OK;
    });
}

// The value of a column when it is an integer from low to high.
bool integerAt(sqlite3_stmt *row, int column, qint64 low, qint64 high, qint64 *value)
{
    if (sqlite3_column_type(row, column) != SQLITE_INTEGER)
        return false;
    *value = sqlite3_column_int64(row, column);
    return *value >= low && *value <= high;
}

// A time column: none (NULL, -1) or an integer of no absurd size.
bool timeAt(sqlite3_stmt *row, int column, qint64 *ms)
{
    if (sqlite3_column_type(row, column) == SQLITE_NULL) {
        *ms = -1;
        return true;
    }
    return integerAt(row, column, 0, LoggedDrill::longestMs, ms);
}

// The text of a column of at most maxBytes bytes: longer ones are not even copied.
bool textAt(sqlite3_stmt *row, int column, int maxBytes, QString *text)
{
    if (sqlite3_column_type(row, column) != SQLITE_TEXT)
        return false;
    const int bytes = sqlite3_column_bytes(row, column);
    if (bytes > maxBytes)
        return false;
    *text =
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(row, column)), bytes);
    return true;
}

// The drill's own columns of a row of selectDrills; its boxes come with entryAt().
bool drillAt(sqlite3_stmt *row, LoggedDrill *drill)
{
    *drill = LoggedDrill();
    DrillResult &r = drill->result;
    qint64 saved = 0, offset = 0, line = 0, count = 0, seconds = 0, right = 0, wrong = 0,
           answer = 0;
    if (!integerAt(row, 1, 0, Q_INT64_C(253402300799999), &saved) ||
        !integerAt(row, 2, -86400, 86400, &offset) ||
        !integerAt(row, 3, 1, std::numeric_limits<qint64>::max(), &line) ||
        !integerAt(row, 5, 1, DigitSlots::count, &count) || !integerAt(row, 6, 0, 30, &seconds) ||
        !integerAt(row, 8, 0, DigitSlots::count, &right) ||
        !integerAt(row, 9, 0, DigitSlots::count, &wrong) || !timeAt(row, 10, &answer))
        return false;
    const int lineType = sqlite3_column_type(row, 4);
    const int lineBytes = sqlite3_column_bytes(row, 4);
    if ((lineType != SQLITE_BLOB && lineType != SQLITE_TEXT) ||
        lineBytes > HistoryLine::longestLine)
        return false;
    drill->historyLine =
        QByteArray(static_cast<const char *>(sqlite3_column_blob(row, 4)), lineBytes);
    if (!textAt(row, 7, 4 * DigitSlots::count, &r.shown))
        return false;
    drill->savedAtUtcMs = saved;
    drill->utcOffsetSeconds = int(offset);
    drill->lineNumber = line;
    r.digitCount = int16_t(count);
    r.displaySeconds = int16_t(seconds);
    r.right = int16_t(right);
    r.wrong = int16_t(wrong);
    r.answerMs = answer;
    r.marks.fill(DrillResult::Mark::Unused);
    r.answers.reserve(count);
    r.entryMs.reserve(count);
    r.refills.reserve(count);
    return true;
}

// One box of the drill, from its row of selectEntries: the box after those read so far.
bool entryAt(sqlite3_stmt *row, LoggedDrill *drill)
{
    DrillResult &r = drill->result;
    const qsizetype slot = r.answers.size() + 1;
    qint64 at = 0, correct = 0, ms = 0, refills = 0;
    QString answer;
    if (!integerAt(row, 1, slot, slot, &at) || slot > r.digitCount ||
        !textAt(row, 2, 3 * LoggedDrill::longestAnswer, &answer) ||
        !integerAt(row, 3, 0, 1, &correct) || !timeAt(row, 4, &ms) ||
        !integerAt(row, 5, 0, LoggedDrill::mostRefills, &refills))
        return false;
    r.marks[size_t(slot - 1)] = correct ? DrillResult::Mark::Right : DrillResult::Mark::Wrong;
    r.answers.append(answer);
    r.entryMs.append(ms);
    r.refills.append(int(refills));
    return true;
}

// Reads the drills of a selectDrills query ordered by id, with their boxes from a selectEntries
// query ordered by drill and slot, into contents: the drills that make sense for a history of
// historyLines lines, the others counted. Boxes of no drill are passed over.
int readDrills(sqlite3_stmt *drills, sqlite3_stmt *entries, qint64 historyLines,
               QList<LoggedDrill> *read, qint64 *skipped)
{
    int entry = sqlite3_step(entries);
    int rc;
    LoggedDrill drill;
    while ((rc = sqlite3_step(drills)) == SQLITE_ROW) {
        const sqlite3_int64 id = sqlite3_column_int64(drills, 0);
        bool sound = drillAt(drills, &drill);
        while (entry == SQLITE_ROW && sqlite3_column_int64(entries, 0) < id)
            entry = sqlite3_step(entries);
        while (entry == SQLITE_ROW && sqlite3_column_int64(entries, 0) == id) {
            sound = sound && entryAt(entries, &drill);
            entry = sqlite3_step(entries);
        }
        if (sound && drill.makesSense(historyLines))
            read->append(std::move(drill));
        else
            ++*skipped;
    }
    if (rc != SQLITE_DONE)
        return rc;
    return entry == SQLITE_ROW || entry == SQLITE_DONE ? SQLITE_OK : entry;
}

} // namespace

int DrillLogRows::insert(sqlite3 *db, const LoggedDrill &drill)
{
    return insertDrill(db, drill);
}

int DrillLogRows::readAll(sqlite3 *db, qint64 historyLines, QList<LoggedDrill> *drills,
                          qint64 *skipped)
{
    SqlStatement drillRows(db, QByteArray(selectDrills) + " ORDER BY id");
    SqlStatement entryRows(db, QByteArray(selectEntries) + " ORDER BY drill_id, slot");
    if (drillRows.prepared() != SQLITE_OK)
        return drillRows.prepared();
    if (entryRows.prepared() != SQLITE_OK)
        return entryRows.prepared();
    SqlStatement count(db, "SELECT count(*) FROM drill");
    if (count.prepared() == SQLITE_OK && sqlite3_step(*count) == SQLITE_ROW)
        drills->reserve(drills->size() + qsizetype(sqlite3_column_int64(*count, 0)));
    return readDrills(*drillRows, *entryRows, historyLines, drills, skipped);
}

int DrillLogRows::readLine(sqlite3 *db, qint64 lineNumber, QByteArrayView lineBytes,
                           std::optional<LoggedDrill> *drill)
{
    drill->reset();
    SqlStatement find(db, "SELECT id FROM drill WHERE line_number = ?1 AND history_line = ?2"
                          " ORDER BY id DESC LIMIT 1");
    if (find.prepared() != SQLITE_OK)
        return find.prepared();
    sqlite3_bind_int64(*find, 1, lineNumber);
    sqlite3_bind_blob(*find, 2, lineBytes.data(), int(lineBytes.size()), SQLITE_STATIC);
    const int found = sqlite3_step(*find);
    if (found != SQLITE_ROW)
        return found == SQLITE_DONE ? SQLITE_OK : found;
    const sqlite3_int64 id = sqlite3_column_int64(*find, 0);
    SqlStatement drillRow(db, QByteArray(selectDrills) + " WHERE id = ?1");
    SqlStatement entryRows(db, QByteArray(selectEntries) + " WHERE drill_id = ?1 ORDER BY slot");
    if (drillRow.prepared() != SQLITE_OK)
        return drillRow.prepared();
    if (entryRows.prepared() != SQLITE_OK)
        return entryRows.prepared();
    sqlite3_bind_int64(*drillRow, 1, id);
    sqlite3_bind_int64(*entryRows, 1, id);
    QList<LoggedDrill> read;
    qint64 skipped = 0;
    const int rc = readDrills(*drillRow, *entryRows, lineNumber, &read, &skipped);
    if (rc == SQLITE_OK && !read.isEmpty() && read.front().belongsTo(lineNumber, lineBytes))
        *drill = read.front();
    return rc;
}
