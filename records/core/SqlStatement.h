// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <sqlite3.h>

// A prepared statement, finalized with this object.
class SqlStatement
{
public:
    SqlStatement(sqlite3 *db, const QByteArray &sql)
    {
        m_prepared =
            sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_statement, nullptr);
    }
    ~SqlStatement() { sqlite3_finalize(m_statement); }
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    int prepared() const { return m_prepared; }
    sqlite3_stmt *operator*() const { return m_statement; }

private:
    sqlite3_stmt *m_statement = nullptr;
    int m_prepared = SQLITE_ERROR;
};

// Runs one SQL text to its end; SQLite's result code.
inline int sqlExec(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// Runs work inside one write transaction, taken back whole when any part fails.
template <typename Work> int inTransaction(sqlite3 *db, Work work)
{
    int rc = sqlExec(db, "BEGIN IMMEDIATE");
    if (rc == SQLITE_OK)
        rc = work();
    if (rc == SQLITE_OK)
        rc = sqlExec(db, "COMMIT");
    if (rc != SQLITE_OK && !sqlite3_get_autocommit(db))
        sqlExec(db, "ROLLBACK");
    return rc;
}
