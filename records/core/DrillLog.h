// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/DrillLogSchema.h"
#include "records/core/LoggedDrill.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <future>
#include <optional>

struct sqlite3;

// The drill log "詳細.sqlite" beside the history file: every saved result in full (the digits
// shown, each box's text as scored, when each was entered), one row for each history line the
// program writes, in an SQLite database that the player can read with their own tools
// (docs/drill-log.md describes its tables). The history file stays the record that counts:
// the log follows it, and nothing that goes wrong here costs a history line.
//
// The file is opened on first use only, never at start-up, and checked then: a file that is no
// database, fails SQLite's quick check or holds tables of another shape is renamed aside, kept,
// and a new log started. A log written by a newer version of the program is read where it can
// be and never written. Every write is one transaction.
//
// What the player is to be told (a file set aside, the first of a run of failed writes, a newer
// log) is kept for takeNotice(): a write that keeps failing is told once, not on every drill,
// and every later drill tries again.
class DrillLog
{
public:
    static QString fileName() { return QStringLiteral("詳細.sqlite"); }
    // The version of the tables this program writes, kept in the database's user_version.
    static constexpr int schemaVersion = DrillLogSchema::version;
    // How long a write waits for another program's write to the log to end: short, since a
    // save waits for it.
    static constexpr int busyTimeoutMs = 100;
    // How many pages the write-ahead log holds before they are copied into the database.
    static constexpr int checkpointFrames = 1000;

    // The log at path; nothing is opened yet.
    explicit DrillLog(const QString &path);
    ~DrillLog(); // waits for an opening ahead to end
    DrillLog(const DrillLog &) = delete;
    DrillLog &operator=(const DrillLog &) = delete;

    // Opens and checks the file on a thread of its own (the check reads the whole file, a
    // second for a million drills), so that the first save after start-up does not wait for it;
    // the next use takes the open log. Does nothing when the log is open or being opened.
    void openAhead();

    // Records the result saved as the history line lineBytes (without CR LF) at lineNumber, at
    // the moment savedAt, as one transaction. Returns whether it was written; a failure leaves
    // the log as it was and a message in takeNotice() the first time in a row. A result that is
    // no drill (LoggedDrill::makesSense: scored before any digits were shown, say) is left out
    // without a word.
    bool append(const DrillResult &result, const QDateTime &savedAt, QByteArrayView lineBytes,
                qint64 lineNumber);

    // Empties the log, as one transaction. On failure the log stays as it was and error says
    // why, for the player.
    bool clear(QString *error);

    struct Contents
    {
        QList<LoggedDrill> drills; // in the order they were saved
        qint64 skipped = 0;        // rows that make no sense, left out
    };
    // Every drill of the log that makes sense for a history of historyLines lines; rows with
    // values of the wrong type, digits beyond 0 to 8, texts of absurd length, negative or absurd
    // times or a line number beyond the history are left out and counted, never trusted. A log
    // not there yet is empty. On failure returns nothing, with the reason in error.
    std::optional<Contents> read(qint64 historyLines, QString *error);

    // The detail of the history line at lineNumber with these bytes (without CR LF), if the log
    // holds one that makes sense; the newest when it holds several.
    std::optional<LoggedDrill> detailFor(qint64 lineNumber, QByteArrayView lineBytes);

    // What the player is to be told since the last call, in Japanese; empty when nothing.
    QString takeNotice();

    // "詳細記録ファイル「詳細.sqlite」", how messages name the file.
    static QString describedName();

private:
    // A connection just opened and checked, or why there is none.
    struct Opened
    {
        sqlite3 *db = nullptr;
        bool writable = false;  // false for a file that can only be read, or a newer log
        bool newer = false;     // written by a newer version: read, never written
        bool hasTables = false; // false for a file that can only be read and has no tables yet
        QString notice;         // a file set aside, a newer log: for the player
        QString reason;         // why it cannot be written (or opened at all, when db is null)
    };
    static Opened open(const QString &path);
    // Opens path and checks it; returns why the file is unusable (to be set aside), or an empty
    // text, with the connection or the reason it failed in opened.
    static QString probe(const QString &path, Opened *opened);
    void take(Opened &&opened);
    // Whether the log is open, opening it if not; a log not there yet is made only with create.
    bool ready(bool create);
    void close();
    bool setAsideAndReopen(const QString &why);
    void addNotice(const QString &text);
    // A failed write: told unless told already since the last write that succeeded.
    void writeFailed(const QString &message);
    // SQLite's word after each commit, with the pages its write-ahead log holds.
    static int committed(void *log, sqlite3 *db, const char *name, int frames);

    QString m_path;
    sqlite3 *m_db = nullptr;
    bool m_writable = false;
    bool m_newer = false;
    bool m_hasTables = false;
    QString m_openError; // why the log cannot be written, or opened
    std::future<Opened> m_ahead;
    std::future<void> m_checkpoint; // copying the write-ahead log into the database
    QString m_notice;
    bool m_failureTold = false;
};
