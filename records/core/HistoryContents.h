// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecords.h"

#include <QList>

// What a reading of the history file found: the records, and the lines left out.
struct HistoryContents
{
    HistoryRecords records;
    // Numbers (from 1) of the lines that hold no record and were left out: blank lines, lines of
    // another form, a last line cut off in mid-record. (A whole record on the last line is read
    // with or without its CR LF: the next append ends that line first, so the table and the file
    // hold the same records either way.) Only the first listedSkipped are kept, so that a file of
    // nothing but line ends takes no memory for them; skippedCount counts them all.
    static constexpr qsizetype listedSkipped = 100;
    QList<qint64> skippedLines;
    qint64 skippedCount = 0;

    void skip(qint64 lineNumber)
    {
        if (skippedLines.size() < listedSkipped)
            skippedLines.append(lineNumber);
        ++skippedCount;
    }

    // Adds what a reading of the file's next part found, whose lines it numbered from 1, after
    // linesBefore lines of this part. Throws std::bad_alloc when the records do not fit.
    void append(const HistoryContents &later, qint64 linesBefore)
    {
        records.append(later.records);
        const qint64 count = skippedCount + later.skippedCount;
        for (const qint64 line : later.skippedLines)
            skip(linesBefore + line);
        skippedCount = count;
    }
};
