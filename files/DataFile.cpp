// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/DataFile.h"

#include "files/Disk.h"
#include "files/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a read or a write failed, in Japanese: one table for both, the few causes that differ
// worded for the one that failed.
enum class Access
{
    Read,
    Write,
};

QString failureReason(int errorNumber, Access access)
{
    const bool read = access == Access::Read;
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("ディスクがいっぱいです。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量が上限に達しています。");
    case EACCES:
    case EPERM:
        return read ? QStringLiteral("読み込みが禁止されています。")
                    : QStringLiteral("書き込みが禁止されています。");
    case EROFS:
        return QStringLiteral("読み取り専用のディスクです。");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります。");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("データフォルダが見つかりません。");
    case ELOOP:
        return QStringLiteral("リンクをたどれません。");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    case ENOMEM:
        return QStringLiteral("メモリが足りません。");
    default:
        return (read ? QStringLiteral("読み込みに失敗しました（エラー番号 %1）。")
                     : QStringLiteral("書き込みに失敗しました（エラー番号 %1）。"))
            .arg(errorNumber);
    }
}

QString readReason(int errorNumber)
{
    return failureReason(errorNumber, Access::Read);
}

QString cannotRead(const QString &describedName, const QString &why)
{
    return describedName + QStringLiteral("を読み込めません。\n") + why;
}

QString tooLarge(const QString &describedName, qint64 maxSize)
{
    return cannotRead(
        describedName,
        QStringLiteral("ファイルが大きすぎます（%1 MB まで）。").arg(maxSize / (1024 * 1024)));
}

// Opens the file at path for reading; only a regular file of at most maxSize bytes is opened.
// What it was when opened is given in status.
int openRegular(const QString &path, const QString &describedName, qint64 maxSize,
                struct stat *status, QString *error)
{
    RegularFile file(path);
    if (!file.isOpen()) {
        *error = file.failure() == ENOENT ? describedName + QStringLiteral("が見つかりません。")
                 : file.failure() == 0
                     ? cannotRead(describedName, QStringLiteral("通常のファイルではありません。"))
                     : cannotRead(describedName, readReason(file.failure()));
        return -1;
    }
    if (file.status().st_size > maxSize) {
        *error = tooLarge(describedName, maxSize);
        return -1;
    }
    *status = file.status();
    return file.take();
}

// One read into buffer, retried when interrupted: the bytes read, 0 at the end, -1 on failure.
ssize_t readSome(int fd, char *buffer, qsizetype size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size_t(size));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

} // namespace

bool DataFile::readAll(const QString &path, const QString &describedName, qint64 maxSize,
                       QByteArray *content, QString *error)
{
    struct stat status
    {
    };
    const int fd = openRegular(path, describedName, maxSize, &status, error);
    if (fd < 0)
        return false;
    const auto fail = [fd, error](const QString &message) {
        ::close(fd);
        *error = message;
        return false;
    };

    // Read to the end, one byte past the size seen, so that a file still growing is read whole
    // or, past the limit, refused.
    QByteArray bytes;
    qsizetype done = 0;
    try {
        bytes.resize(qsizetype(status.st_size) + 1);
        for (;;) {
            if (done == bytes.size()) {
                if (done > maxSize)
                    return fail(tooLarge(describedName, maxSize));
                bytes.resize(qsizetype(std::min<qint64>(2 * qint64(done), maxSize + 1)));
            }
            const ssize_t got = readSome(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0)
                return fail(cannotRead(describedName, readReason(errno)));
            if (got == 0)
                break;
            done += got;
        }
    } catch (const std::bad_alloc &) {
        return fail(cannotRead(describedName, readReason(ENOMEM)));
    }
    ::close(fd);
    bytes.truncate(done);
    *content = std::move(bytes);
    return true;
}

bool DataFile::readBlocks(const QString &path, const QString &describedName, qint64 maxSize,
                          const BlockReader &take, QString *error, qint64 from, qint64 upTo,
                          FileState *state)
{
    struct stat status
    {
    };
    const int fd = openRegular(path, describedName, maxSize, &status, error);
    if (fd < 0)
        return false;
    const auto fail = [fd, error](const QString &message) {
        ::close(fd);
        *error = message;
        return false;
    };
    if (from > 0 && ::lseek(fd, off_t(from), SEEK_SET) < 0)
        return fail(cannotRead(describedName, readReason(errno)));

    // A block small enough to stay in the processor's cache between its read and its parse; a
    // whole file in memory at once would cost a page fault every 4 KiB of it, as much time again
    // as the parse itself.
    constexpr qsizetype blockSize = 256 * 1024;
    QByteArray buffer;
    qsizetype held = 0; // bytes at the buffer's start that take() left for the next block
    qint64 total = from;
    try {
        buffer.resize(blockSize);
        for (;;) {
            // A part that take() cannot use yet fills the buffer: it gets room to grow.
            if (held == buffer.size())
                buffer.resize(2 * buffer.size()); // never beyond twice maxSize: see below
            qsizetype room = buffer.size() - held;
            if (upTo >= 0)
                room = qsizetype(std::min<qint64>(room, upTo - total));
            const ssize_t got = room > 0 ? readSome(fd, buffer.data() + held, room) : 0;
            if (got < 0)
                return fail(cannotRead(describedName, readReason(errno)));
            total += got;
            if (total > maxSize)
                return fail(tooLarge(describedName, maxSize));
            const qsizetype bytes = held + qsizetype(got);
            const bool atEnd = got == 0;
            const qsizetype used = take(QByteArrayView(buffer.constData(), bytes), atEnd);
            if (atEnd)
                break;
            held = bytes - used;
            std::memmove(buffer.data(), buffer.constData() + used, size_t(held));
        }
    } catch (const std::bad_alloc &) {
        return fail(cannotRead(describedName, readReason(ENOMEM)));
    }
    ::close(fd);
    if (state)
        *state = FileState::of(status, upTo < 0 ? total : -1);
    return true;
}

DataFile::FileState DataFile::FileState::of(const struct stat &status, qint64 size)
{
    return {true, quint64(status.st_dev), quint64(status.st_ino), size,
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

DataFile::FileState DataFile::FileState::now(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState{false, 0, 0, 0, 0} : FileState{};
    return S_ISREG(status.st_mode) ? of(status, status.st_size) : FileState{};
}

bool DataFile::isSpecialFile(const QString &path, const QString &describedName, QString *error)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode) ||
        S_ISDIR(st.st_mode))
        return false;
    *error = describedName + QStringLiteral("に書き込めません。\n通常のファイルではありません。");
    return true;
}

bool DataFile::rewrite(const QString &path, QByteArrayView content, Disk &disk,
                       const QString &describedName, QString *error)
{
    // Never put a new file in place of a pipe or a device (through a link, even /dev/null).
    if (isSpecialFile(path, describedName, error))
        return false;
    QSaveFile file(path);
    // Emptying a file in place (where the folder takes no new file) cannot lose half of it: it
    // is either emptied or left as it was. Any other content always goes through a new file.
    file.setDirectWriteFallback(content.isEmpty());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int failure = QFileInfo(path).isDir() ? EISDIR : errno != 0 ? errno : EIO;
        *error = cannotWrite(describedName, failure);
        return false;
    }
    // Each step is checked on its own: QSaveFile::commit() alone does not see a failed final
    // flush of buffered data and would put an empty file in place of the old one.
    int failure = disk.write(file, content);
    if (failure == 0)
        failure = disk.sync(file);
    if (failure != 0) {
        file.cancelWriting(); // the new file goes; the old one stays as it was
        *error = cannotWrite(describedName, failure);
        return false;
    }
    failure = disk.commit(file);
    if (failure != 0) {
        *error = cannotWrite(describedName, failure);
        return false;
    }
    return true;
}

qint64 DataFile::lineStartAfter(const QString &path, qint64 offset)
{
    RegularFile file(path);
    char bytes[64 * 1024];
    const ssize_t got =
        file.isOpen() ? ::pread(file.handle(), bytes, sizeof bytes, off_t(offset)) : -1;
    const void *lf = got > 0 ? std::memchr(bytes, '\n', size_t(got)) : nullptr;
    return lf ? offset + (static_cast<const char *>(lf) - bytes) + 1 : -1;
}

QString DataFile::cannotWrite(const QString &describedName, int errorNumber)
{
    return describedName + QStringLiteral("に書き込めません。\n%1").arg(reason(errorNumber));
}

QString DataFile::reason(int errorNumber)
{
    return failureReason(errorNumber, Access::Write);
}
