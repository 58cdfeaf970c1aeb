// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/Disk.h"

#include <QFileDevice>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

// A disk that fails on demand at one step, as a full disk (ENOSPC) or another fault would: a
// write that stops after some bytes, a sync, or the final replacement of the old file. Until a
// failure is asked for it writes like the real disk.
class FailingDisk : public Disk
{
public:
    enum class Step
    {
        None,
        Write,
        Sync,
        Commit
    };

    Step failAt = Step::None;
    int errorNumber = ENOSPC;
    qint64 bytesBeforeFailure = 0; // how much of a failing write still reaches the disk

    int write(QFileDevice &file, QByteArrayView bytes) override
    {
        if (failAt != Step::Write)
            return Disk::write(file, bytes);
        Disk::write(file, bytes.first(std::min(bytesBeforeFailure, bytes.size())));
        return errorNumber;
    }

    int sync(QFileDevice &file) override
    {
        return failAt == Step::Sync ? errorNumber : Disk::sync(file);
    }

    int commit(QSaveFile &file) override
    {
        if (failAt != Step::Commit)
            return Disk::commit(file);
        file.cancelWriting();
        file.commit();
        return errorNumber;
    }
};
