// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/DrillLogSchema.h"

#include "records/core/SqlStatement.h"

#include <QByteArray>

#include <iterator>

namespace {

// The tables of version 1; docs/drill-log.md says what each column holds.
constexpr const char *createVersion1 = R"(
CREATE TABLE drill (
    id INTEGER PRIMARY KEY,
    saved_at_utc_ms INTEGER NOT NULL,
    utc_offset_s INTEGER NOT NULL,
    line_number INTEGER NOT NULL,
    history_line BLOB NOT NULL,
    digit_count INTEGER NOT NULL,
    display_seconds INTEGER NOT NULL,
    shown TEXT NOT NULL,
    right_count INTEGER NOT NULL,
    wrong_count INTEGER NOT NULL,
    answer_ms INTEGER
);
CREATE INDEX drill_line_number ON drill (line_number);
CREATE TABLE entry (
    drill_id INTEGER NOT NULL REFERENCES drill (id) ON DELETE CASCADE,
    slot INTEGER NOT NULL,
    answer TEXT NOT NULL,
    correct INTEGER NOT NULL,
    entry_ms INTEGER,
    refills INTEGER NOT NULL,
    PRIMARY KEY (drill_id, slot)
) WITHOUT ROWID;
)";

// steps[v] takes the tables of version v to version v + 1, in place. A log of an older version
// goes through the steps from its own, all in one transaction: it is upgraded whole or not at all.
constexpr const char *steps[] = {createVersion1};
static_assert(std::size(steps) == DrillLogSchema::version);

// The columns of the tables this version writes, as SQLite describes them (pragma table_info):
// a file whose tables have other columns is not this program's log.
struct Column
{
    const char *name;
    const char *type;
    int notNull;
    int primaryKey; // position in the primary key, from 1; 0 for none
};
constexpr Column drillColumns[] = {
    {"id", "INTEGER", 0, 1},
    {"saved_at_utc_ms", "INTEGER", 1, 0},
    {"utc_offset_s", "INTEGER", 1, 0},
    {"line_number", "INTEGER", 1, 0},
    {"history_line", "BLOB", 1, 0},
    {"digit_count", "INTEGER", 1, 0},
    {"display_seconds", "INTEGER", 1, 0},
    {"shown", "TEXT", 1, 0},
    {"right_count", "INTEGER", 1, 0},
    {"wrong_count", "INTEGER", 1, 0},
    {"answer_ms", "INTEGER", 0, 0},
};
constexpr Column entryColumns[] = {
    {"drill_id", "INTEGER", 1, 1}, {"slot", "INTEGER", 1, 2},     {"answer", "TEXT", 1, 0},
    {"correct", "INTEGER", 1, 0},  {"entry_ms", "INTEGER", 0, 0}, {"refills", "INTEGER", 1, 0},
};

template <size_t N>
int hasColumns(sqlite3 *db, const char *table, const Column (&columns)[N], bool *same)
{
    SqlStatement info(db, "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)");
    if (info.prepared() != SQLITE_OK)
        return info.prepared();
    sqlite3_bind_text(*info, 1, table, -1, SQLITE_STATIC);
    size_t i = 0;
    *same = true;
    int rc;
    while ((rc = sqlite3_step(*info)) == SQLITE_ROW) {
        const auto text = [&info](int column) {
            const unsigned char *t = sqlite3_column_text(*info, column);
            return t ? reinterpret_cast<const char *>(t) : "";
        };
        if (i == N || qstrcmp(text(0), columns[i].name) != 0 ||
            qstricmp(text(1), columns[i].type) != 0 ||
            sqlite3_column_int(*info, 2) != columns[i].notNull ||
            sqlite3_column_int(*info, 3) != columns[i].primaryKey)
            *same = false;
        ++i;
    }
    *same = *same && i == N;
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// The one number a query of one row and one column answers.
int singleNumber(sqlite3 *db, const char *sql, int *value)
{
    SqlStatement query(db, sql);
    if (query.prepared() != SQLITE_OK)
        return query.prepared();
    const int rc = sqlite3_step(*query);
    if (rc != SQLITE_ROW)
        return rc;
    *value = sqlite3_column_int(*query, 0);
    return SQLITE_OK;
}

// How many of the log's two tables the file holds, by name.
int tablesPresent(sqlite3 *db, int *count)
{
    return singleNumber(db,
                        "SELECT count(*) FROM sqlite_schema"
                        " WHERE type = 'table' AND name IN ('drill', 'entry')",
                        count);
}

} // namespace

int DrillLogSchema::userVersion(sqlite3 *db, int *version)
{
    return singleNumber(db, "PRAGMA user_version", version);
}

int DrillLogSchema::quickCheck(sqlite3 *db, bool *ok)
{
    SqlStatement check(db, "PRAGMA quick_check");
    if (check.prepared() != SQLITE_OK)
        return check.prepared();
    const int rc = sqlite3_step(*check);
    if (rc != SQLITE_ROW)
        return rc;
    const char *first = reinterpret_cast<const char *>(sqlite3_column_text(*check, 0));
    *ok = first && qstrcmp(first, "ok") == 0;
    return SQLITE_OK;
}

int DrillLogSchema::upgrade(sqlite3 *db)
{
    return inTransaction(db, [db] {
        int version = 0;
        int rc = DrillLogSchema::userVersion(db, &version);
        for (int v = version; rc == SQLITE_OK && v < DrillLogSchema::version; ++v)
            rc = sqlExec(db, steps[v]);
        if (rc == SQLITE_OK) {
            rc = sqlExec(db, QByteArray("PRAGMA user_version = " +
                                        QByteArray::number(DrillLogSchema::version))
                                 .constData());
        }
        return rc;
    });
}

int DrillLogSchema::hasShape(sqlite3 *db, int fileVersion, bool *same)
{
    if (fileVersion == 0) {
        int tables = 0;
        const int rc = tablesPresent(db, &tables);
        *same = tables == 0;
        return rc;
    }
    bool sameEntry = false;
    int rc = hasColumns(db, "drill", drillColumns, same);
    if (rc == SQLITE_OK)
        rc = hasColumns(db, "entry", entryColumns, &sameEntry);
    *same = *same && sameEntry;
    return rc;
}
