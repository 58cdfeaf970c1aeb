// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

class QFileDevice;
class QSaveFile;

// The steps by which the program's data files reach the disk, each in this one place. Every
// step reports its failure as the system's error number (0 for success), so that the player can
// be told why in Japanese. Tests put a failing disk in its place to make a chosen step fail.
//
// A write beyond the process's file-size limit (ulimit -f) would raise SIGXFSZ, whose default
// action ends the program in the middle of a line. From the first disk made on, the process
// ignores that signal, so such a write fails with EFBIG like a full disk: the part written is
// taken back and the player told why.
class Disk
{
public:
    Disk();
    virtual ~Disk();

    // Writes all of bytes to an open, unbuffered file at its current position.
    virtual int write(QFileDevice &file, QByteArrayView bytes);
    // Makes what was written durable before the file replaces the old one.
    virtual int sync(QFileDevice &file);
    // Puts a finished new file in place of the old one.
    virtual int commit(QSaveFile &file);

    // The real disk.
    static Disk &real();
};
