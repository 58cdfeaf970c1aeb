// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A small tmpfs mounted over a folder for the length of a test: a real disk that is full or
// read-only, which root (who ignores file permissions) cannot write to either. Mounting needs
// root. The test program first moves into a mount namespace of its own, before any thread
// starts, so that its mounts are seen by no other process and go away with it even if it dies.
class TmpfsMount
{
public:
    // Call once, from the test's initMain(). False when mounting is not allowed here.
    static bool enterPrivateNamespace()
    {
        if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0)
            return false;
        // Mounts made here must not travel back to the namespace the test came from.
        return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }
    static bool &available()
    {
        static bool mountsAllowed = false;
        return mountsAllowed;
    }

    // options as for mount -o, e.g. "size=64k" or "size=64k,nr_inodes=8".
    TmpfsMount(const QString &folder, const QByteArray &options) : m_folder(folder)
    {
        m_mounted = mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs",
                          MS_NOSUID | MS_NODEV, options.constData()) == 0;
        if (!m_mounted)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~TmpfsMount()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }

    bool remountReadOnly()
    {
        return mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr,
                     MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }
    bool remountWritable()
    {
        return mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr,
                     MS_REMOUNT | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

    // Takes every free block: a filler file grows until the disk says it is full. Blocks already
    // given to other files keep their free bytes, as on any disk.
    bool fillBlocks()
    {
        const int fd = ::open(QFile::encodeName(m_folder + QStringLiteral("/filler")).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0)
            return false;
        const QByteArray page(4096, 'x');
        while (::write(fd, page.constData(), size_t(page.size())) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }

    // Takes every free inode: empty files are made until the disk can make no more.
    bool fillInodes()
    {
        for (int n = 0; n < 100000; ++n) {
            const QByteArray name = QFile::encodeName(m_folder + QStringLiteral("/inode%1").arg(n));
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            if (fd < 0)
                return errno == ENOSPC;
            ::close(fd);
        }
        return false;
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_error;
};
