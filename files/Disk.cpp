// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Disk.h"

#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

Disk::Disk()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

Disk::~Disk() = default;

Disk &Disk::real()
{
    static Disk disk;
    return disk;
}

// Straight to the file descriptor: the error number of a failed write (a full disk says ENOSPC)
// is kept, where Qt's own buffered path may lose it and report "Unknown error".
int Disk::write(QFileDevice &file, QByteArrayView bytes)
{
    const int fd = file.handle();
    if (fd < 0)
        return EBADF;
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, at, static_cast<size_t>(left));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (done == 0)
            return EIO;
        at += done;
        left -= done;
    }
    return 0;
}

int Disk::sync(QFileDevice &file)
{
    const int fd = file.handle();
    if (fd < 0)
        return EBADF;
    if (::fsync(fd) == 0)
        return 0;
    // A pipe or a terminal cannot be synced, and has nothing to lose by it.
    return errno == EINVAL || errno == EROFS ? 0 : errno;
}

int Disk::commit(QSaveFile &file)
{
    errno = 0;
    if (file.commit())
        return 0;
    return errno != 0 ? errno : EIO;
}
