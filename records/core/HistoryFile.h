// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <future>
#include <optional>

class Disk;

// The history file "履歴.txt": one line per saved result, oldest first, each line the seven
// fields date, time, marks, right count, wrong count, rate and seconds separated by commas and
// ended by CR LF, in code page 932. Text fields stand in double quotes, the counts are bare:
//   "2001/02/03","04:05:06","○○×－－－－－－－－－－－－",2,1,"66.7%","5秒"
// This is the one place that reads and writes those bytes.
class HistoryFile
{
public:
    static QString fileName() { return QStringLiteral("履歴.txt"); }
    // The largest history read: some 14 million results, far more than anyone saves, yet a
    // bound on what start-up takes in memory.
    static constexpr qint64 maxFileSize = qint64(1) << 30;

    struct Contents
    {
        HistoryRecords records;
        // Numbers (from 1) of the lines that hold no record and were left out: blank lines,
        // lines of another form, a last line cut off in mid-record. (A whole record on the last
        // line is read with or without its CR LF: the next append ends that line first, so the
        // table and the file hold the same records either way.) Only the first
        // listedSkipped are kept, so that a file of nothing but line ends takes no memory for
        // them; skippedCount counts them all.
        static constexpr qsizetype listedSkipped = 100;
        QList<qint64> skippedLines;
        qint64 skippedCount = 0;

        void skip(qint64 lineNumber)
        {
            if (skippedLines.size() < listedSkipped)
                skippedLines.append(lineNumber);
            ++skippedCount;
        }
    };

    // The file at path, written through disk.
    HistoryFile(const QString &path, Disk &disk);
    ~HistoryFile(); // waits for a reading ahead to end

    // Starts reading the file on a thread of its own, so that a long history is read while the
    // window is still being built; the next read() takes what it read. The file is read as it
    // is now: whoever calls this must not change it before that read(). Once a reading has
    // begun, calling this again before that read() does nothing.
    void readAhead();

    // Reads every record of the file, a block at a time; the file itself is never changed by
    // reading. On failure (missing or unreadable) returns false and a message for the player
    // naming the file.
    bool read(Contents *contents, QString *error);

    // The records of a whole file's content.
    static Contents parse(QByteArrayView content);
    // One line without its CR LF; nothing when it is not a line this program writes. The counts
    // are read as numbers (02 is 2); the texts must be as this program writes them.
    static std::optional<HistoryRecord> parseLine(QByteArrayView line);
    // The bytes of one line, CR LF included; empty if the record cannot be written.
    static QByteArray formatLine(const HistoryRecord &record);

    // Appends one record as one whole line. If the file does not end with a line end (an
    // earlier write was cut off), that fragment is ended first so the record starts a line of
    // its own. On failure nothing is added and the message is returned.
    bool append(const HistoryRecord &record, QString *error);

    // Empties the file. On failure the old content stays and the message is returned.
    bool clear(QString *error);

private:
    struct Reading
    {
        bool ok = false;
        Contents contents;
        QString error;
    };

    QString m_path;
    Disk &m_disk;
    std::future<Reading> m_ahead;
};
