// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <sys/stat.h>

// A file opened for reading only if it is a regular file, looked at before anything is read. It
// is opened without waiting: a named pipe in its place would otherwise hold the program until
// someone writes to it, and a device such as /dev/zero never ends. Closed with this object
// unless its handle was taken.
class RegularFile
{
public:
    explicit RegularFile(const QString &path);
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the file is not open: the system's error number (ENOENT when missing, EISDIR for a
    // folder), or 0 when something other than a file or a folder lies there (a named pipe, a
    // device, a socket).
    int failure() const { return m_failure; }
    // What the open file was when it was opened: its size, its device and inode.
    const struct stat &status() const { return m_status; }

    int handle() const { return m_fd; }
    // Hands the open handle over to the caller, who closes it.
    int take();

private:
    int m_fd = -1;
    int m_failure = 0;
    struct stat m_status
    {
    };
};
