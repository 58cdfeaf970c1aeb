// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

// The n-th result that the save_stream helper saves (n from 1): each one a second after the
// last, its marks and counts varying with n, so that every line of the stream is told apart
// from the others and its place in the file can be checked.
inline HistoryRecord streamRecord(int n)
{
    const QDateTime at = QDateTime(QDate(2002, 1, 1), QTime(0, 0, 0)).addSecs(n);
    const int digitCount = n % 15 + 1;
    HistoryRecord::Marks marks{};
    int16_t ok = 0;
    for (int i = 0; i < HistoryRecord::slotCount; ++i) {
        HistoryRecord::Mark &mark = marks[size_t(i)];
        if (i >= digitCount) {
            mark = HistoryRecord::Mark::Unused;
        } else if ((n >> i) & 1) {
            mark = HistoryRecord::Mark::Right;
            ++ok;
        } else {
            mark = HistoryRecord::Mark::Wrong;
        }
    }
    return HistoryRecord::ofResult(at, {.marks = marks,
                                        .right = ok,
                                        .wrong = int16_t(digitCount - ok),
                                        .digitCount = int16_t(digitCount),
                                        .displaySeconds = int16_t(n % 31)});
}
