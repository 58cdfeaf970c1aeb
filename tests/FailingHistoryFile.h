#pragma once

#include "records/core/HistoryFile.h"

#include <QFileDevice>
#include <QSaveFile>
#include <algorithm>

// The history file on a disk that fails on demand: a write that stops after some bytes (a full
// disk), or a replacement that cannot be committed.
class FailingHistoryFile : public HistoryFile
{
public:
    using HistoryFile::HistoryFile;

    bool failWrites = false;
    qint64 bytesBeforeFailure = 0; // how much of a failing write still reaches the disk
    bool failCommit = false;

protected:
    qint64 writeToDisk(QFileDevice &file, QByteArrayView bytes) override
    {
        if (!failWrites)
            return HistoryFile::writeToDisk(file, bytes);
        file.write(bytes.data(), std::min(bytesBeforeFailure, bytes.size()));
        return -1;
    }

    bool commitToDisk(QSaveFile &file) override
    {
        if (!failCommit)
            return HistoryFile::commitToDisk(file);
        file.cancelWriting();
        return false;
    }
};
