// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/DataFile.h"
#include "records/core/HistoryContents.h"

#include <QString>
#include <future>

class Disk;

// The history file "履歴.txt" (HistoryLine gives the form of its lines): reading it whole,
// appending a record, emptying it.
class HistoryFile
{
public:
    static QString fileName() { return QStringLiteral("履歴.txt"); }
    // The largest history read: some 14 million results, far more than anyone saves, yet a
    // bound on what start-up takes in memory.
    static constexpr qint64 maxFileSize = qint64(1) << 30;

    // From this size on the file is read in two halves at once, each by a thread of its own.
    // A smaller one is read by one thread: on two cores a second one, with its own records and
    // their copy into the first half's, costs more than it saves while the window is still being
    // built (docs/performance.md, sixth round, has the measurements).
    static constexpr qint64 halvesFrom = qint64(128) << 20;

    // The file at path, written through disk; read in halves from halvesFrom bytes on.
    HistoryFile(const QString &path, Disk &disk, qint64 halvesFrom = HistoryFile::halvesFrom);
    ~HistoryFile(); // waits for a reading ahead to end

    // Starts reading the file on a thread of its own, so that a long history is read while the
    // window is still being built; the next read() takes what it read. The file is read as it
    // is now: whoever calls this must not change it before that read(). Once a reading has
    // begun, calling this again before that read() does nothing.
    void readAhead();

    // Reads every record of the file, a block at a time; the file itself is never changed by
    // reading. On failure (missing or unreadable) returns false and a message for the player
    // naming the file.
    bool read(HistoryContents *contents, QString *error);

    // Whether the file is no longer the one last read or written here, as this program left it:
    // another program replaced, emptied, deleted or wrote to it since. A file never read counts
    // as changed.
    bool changedSinceRead() const;
    // Whether the last reading found no file at all.
    bool missing() const;

    // Appends one record as one whole line. If the file does not end with a line end (an
    // earlier write was cut off), that fragment is ended first so the record starts a line of
    // its own. A line that would take the file past maxFileSize, which start-up would then refuse,
    // is not written. On failure nothing is added and the message is returned.
    bool append(const HistoryRecord &record, QString *error);

    // Empties the file. On failure the old content stays and the message is returned.
    bool clear(QString *error);

private:
    struct Reading
    {
        bool ok = false;
        HistoryContents contents;
        DataFile::FileState state;
        QString error;
    };

    QString m_path;
    Disk &m_disk;
    qint64 m_halvesFrom;
    std::future<Reading> m_ahead;
    DataFile::FileState m_known; // the file as last read or written here
};
