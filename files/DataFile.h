// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class Disk;
struct stat;

// Reading and rewriting the program's data files whole, with the player's message when that
// fails. Messages start with the file's described name, e.g. "設定ファイル「設定.txt」".
namespace DataFile {

// Reads the file at path into content. Only a regular file of at most maxSize bytes is read: a
// folder, a named pipe or a device in its place, or a larger file, is refused at once, without
// waiting for a pipe's writer or reading a device without end. On failure returns false and a
// message that starts with describedName (e.g. "設定ファイル「設定.txt」") and says why, in
// Japanese.
bool readAll(const QString &path, const QString &describedName, qint64 maxSize, QByteArray *content,
             QString *error);

// Takes bytes of a file being read: the bytes not yet taken, and whether the end has been reached
// (then bytes are the last). Returns how many bytes from the start it used; the rest is given
// again, with more after it, in the next call.
using BlockReader = std::function<qsizetype(QByteArrayView bytes, bool atEnd)>;

// Which file a name stood for, and how long it was, or that there was none: another program
// that replaces, empties, deletes or writes to the file changes one of them. An unknown state
// (something other than a file there, a size not seen) is the same as no other.
struct FileState
{
    bool present = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds: a file made again may get the inode of the one before

    bool known() const { return size >= 0; }
    bool absent() const { return known() && !present; }
    bool sameAs(const FileState &other) const
    {
        return known() && other.known() && present == other.present && device == other.device &&
               inode == other.inode && size == other.size && modified == other.modified;
    }
    static FileState of(const struct stat &status, qint64 size);
    // The file at path as it is now: absent when there is none (or no folder for it).
    static FileState now(const QString &path);
};

// Reads the file at path as readAll() does, with the same checks and messages, but a block at
// a time: the whole file is never held in memory at once. Reads from the byte at from up to the
// byte before upTo, or to the end when upTo is negative. When state is given, it gets the file
// that was read, with the size it had at the end of the reading (unknown when not read to the
// end).
bool readBlocks(const QString &path, const QString &describedName, qint64 maxSize,
                const BlockReader &take, QString *error, qint64 from = 0, qint64 upTo = -1,
                FileState *state = nullptr);

// Where the first line that starts after offset starts: the byte after the first LF at or after
// offset, looked for within 64 KiB. -1 when there is none there or the file cannot be read.
qint64 lineStartAfter(const QString &path, qint64 offset);

// Replaces the file's whole content: the new content is written to a new file, synced and only
// then put in place of the old one, so a failure at any step leaves the old file byte for byte.
// On failure returns false and a message saying why.
bool rewrite(const QString &path, QByteArrayView content, Disk &disk, const QString &describedName,
             QString *error);

// Whether something other than a regular file or a folder (a named pipe, a device, a socket)
// lies at path, following links; the message for a write that refuses it is given in error. A
// line written into a pipe would be lost while the save reported success.
bool isSpecialFile(const QString &path, const QString &describedName, QString *error);

// "<describedName>に書き込めません。" and the reason, for a failure with the system's error number.
QString cannotWrite(const QString &describedName, int errorNumber);

// Why a write failed, in Japanese: "ディスクがいっぱいです。", "書き込みが禁止されています。", …
QString reason(int errorNumber);

} // namespace DataFile
