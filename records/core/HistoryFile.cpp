// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryFile.h"

#include "files/DataFile.h"
#include "files/Disk.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryScanner.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cerrno>
#include <new>
#include <system_error>
#include <utility>

namespace {

QString problem(const QString &what)
{
    return QStringLiteral("履歴ファイル「%1」%2").arg(HistoryFile::fileName(), what);
}

// Reads the lines of the file from the byte at from up to the byte before upTo (negative: to the
// end), numbered from 1; gives how many there were in lines, and the file read in state.
bool readPart(const QString &path, qint64 from, qint64 upTo, std::size_t room,
              HistoryContents *contents, qint64 *lines, DataFile::FileState *state, QString *error)
{
    HistoryContents read;
    try {
        read.records.reserve(room);
    } catch (const std::bad_alloc &) {
        // Only room asked for ahead: the records may still fit as they come.
    }
    HistoryScanner scanner(read, from == 0);
    const auto take = [&scanner](QByteArrayView bytes, bool atEnd) {
        return scanner.take(bytes, atEnd);
    };
    if (!DataFile::readBlocks(path, problem(QString()), HistoryFile::maxFileSize, take, error, from,
                              upTo, state))
        return false;
    *contents = std::move(read);
    *lines = scanner.lines();
    return true;
}

// A file of halvesFrom bytes or more is read in two halves at once, split where a line starts,
// each by a thread (see HistoryFile::halvesFrom for when that pays).
bool readFile(const QString &path, qint64 halvesFrom, HistoryContents *contents,
              DataFile::FileState *state, QString *error)
{
    const qint64 size = QFileInfo(path).size();
    const qint64 split = size >= halvesFrom ? DataFile::lineStartAfter(path, size / 2) : -1;
    std::future<bool> secondHalf;
    HistoryContents second;
    qint64 secondLines = 0;
    DataFile::FileState secondState;
    QString secondError;
    if (split > 0) {
        try {
            secondHalf = std::async(std::launch::async, [&] {
                return readPart(path, split, -1, HistoryScanner::recordsRoom(size - split), &second,
                                &secondLines, &secondState, &secondError);
            });
        } catch (const std::system_error &) {
            // No thread to spare: the file is read whole below.
        }
    }
    qint64 lines = 0;
    const qint64 upTo = secondHalf.valid() ? split : -1;
    const bool firstRead =
        readPart(path, 0, upTo, HistoryScanner::recordsRoom(size), contents, &lines, state, error);
    if (!secondHalf.valid())
        return firstRead;
    if (!secondHalf.get() || !firstRead) {
        if (firstRead)
            *error = secondError;
        return false;
    }
    // Both halves come from one file, or the file was replaced while it was read: then it is
    // taken for changed, and read again before the next write.
    const bool oneFile = state->device == secondState.device && state->inode == secondState.inode;
    *state = oneFile ? secondState : DataFile::FileState();
    try {
        contents->append(second, lines);
    } catch (const std::bad_alloc &) {
        *error = problem(QStringLiteral("を読み込めません。\nメモリが足りません。"));
        return false;
    }
    return true;
}

} // namespace

HistoryFile::HistoryFile(const QString &path, Disk &disk, qint64 halvesFrom)
    : m_path(path), m_disk(disk), m_halvesFrom(halvesFrom)
{
}

HistoryFile::~HistoryFile() = default;

void HistoryFile::readAhead()
{
    if (m_ahead.valid())
        return;
    try {
        m_ahead = std::async(std::launch::async, [path = m_path, halvesFrom = m_halvesFrom] {
            Reading reading;
            reading.ok =
                readFile(path, halvesFrom, &reading.contents, &reading.state, &reading.error);
            return reading;
        });
    } catch (const std::system_error &) {
        // No thread to spare: read() reads the file itself.
    }
}

bool HistoryFile::read(HistoryContents *contents, QString *error)
{
    if (m_ahead.valid()) {
        Reading reading = m_ahead.get();
        if (!reading.ok) {
            *error = reading.error;
            m_known = DataFile::FileState::now(m_path);
            return false;
        }
        *contents = std::move(reading.contents);
        m_known = reading.state;
        return true;
    }
    DataFile::FileState state;
    if (!readFile(m_path, m_halvesFrom, contents, &state, error)) {
        m_known = DataFile::FileState::now(m_path);
        return false;
    }
    m_known = state;
    return true;
}

bool HistoryFile::changedSinceRead() const
{
    return !m_known.sameAs(DataFile::FileState::now(m_path));
}

bool HistoryFile::missing() const
{
    return m_known.absent();
}

bool HistoryFile::append(const HistoryRecord &record, QString *error)
{
    QByteArray bytes = HistoryLine::format(record);
    if (bytes.isEmpty()) {
        // The texts of a result are digits and marks the code page holds; what can fail is a
        // clock giving a date or time the file cannot hold, or a rate beyond its nine digits.
        *error = problem(QStringLiteral("にこの結果は書けません。日付、時刻または率が、"
                                        "ファイルに書ける範囲を超えています。"));
        return false;
    }
    if (DataFile::isSpecialFile(m_path, problem(QString()), error))
        return false;
    // Unbuffered, so the line reaches the disk in one write and a failure is seen at once.
    QFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        const int failure = QFileInfo(m_path).isDir() ? EISDIR : errno != 0 ? errno : EIO;
        *error = DataFile::cannotWrite(problem(QString()), failure);
        return false;
    }
    // What this program writes is no change by another: when the file was the one known, the
    // file after the write is known too. A file changed before stays unknown, to be read again.
    struct stat status
    {
    };
    const bool wasKnown = ::fstat(file.handle(), &status) == 0 &&
                          (m_known.sameAs(DataFile::FileState::of(status, status.st_size)) ||
                           (m_known.absent() && status.st_size == 0));
    const auto knowAsWritten = [this, &file, &status, wasKnown] {
        const bool statusRead = ::fstat(file.handle(), &status) == 0;
        m_known = wasKnown && statusRead ? DataFile::FileState::of(status, status.st_size)
                                         : DataFile::FileState();
    };
    // A device such as a pipe has no end to look at and nothing to take back.
    const bool seekable = !file.isSequential();
    const qint64 oldSize = seekable ? file.size() : 0;
    if (oldSize > 0) {
        char last = 0;
        if (!file.seek(oldSize - 1) || !file.getChar(&last)) {
            *error = problem(QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString()));
            return false;
        }
        // A line cut off right after its CR only lacks the LF, and is whole again with it.
        if (last == '\r')
            bytes.prepend('\n');
        else if (last != '\n')
            bytes.prepend("\r\n");
    }
    // A file start-up would refuse as too large would lock the player out of every record.
    if (oldSize + bytes.size() > maxFileSize) {
        *error = problem(QStringLiteral("に書き込めません。\nファイルが大きすぎます。これ以上書くと"
                                        "次回の起動で読み込める大きさ（%1 MB）を超えます。")
                             .arg(maxFileSize / (1024 * 1024)));
        return false;
    }
    if (const int failure = m_disk.write(file, bytes); failure != 0) {
        // Take back whatever part of the line did reach the disk.
        if (seekable && file.size() != oldSize)
            file.resize(oldSize);
        knowAsWritten();
        *error = DataFile::cannotWrite(problem(QString()), failure);
        return false;
    }
    knowAsWritten();
    file.close();
    return true;
}

bool HistoryFile::clear(QString *error)
{
    if (!DataFile::rewrite(m_path, {}, m_disk, problem(QString()), error))
        return false;
    m_known = DataFile::FileState::now(m_path);
    return true;
}
