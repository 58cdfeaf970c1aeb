// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

RegularFile::RegularFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_failure = errno;
        return;
    }
    if (::fstat(fd, &m_status) != 0)
        m_failure = errno;
    else if (S_ISDIR(m_status.st_mode))
        m_failure = EISDIR;
    else if (!S_ISREG(m_status.st_mode))
        m_failure = 0;
    else {
        m_fd = fd;
        return;
    }
    ::close(fd);
}

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int RegularFile::take()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}
