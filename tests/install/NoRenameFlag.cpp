// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the launcher by launcher.sh, and into tst_drilllog: renameat2() answers as on a
// file system without RENAME_NOREPLACE (NFS), so the way for such a system runs on any machine.
// Each call leaves the file $NO_RENAME_FLAG_MARK, so the test knows the stand-in was used.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

extern "C" int renameat2(int, const char *, int, const char *, unsigned int)
{
    if (const char *mark = std::getenv("NO_RENAME_FLAG_MARK")) {
        const int file = open(mark, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (file >= 0)
            close(file);
    }
    errno = EINVAL;
    return -1;
}
