// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <vector>

// A varied history for the benchmarks, the same on every run: any digit count and display time,
// random right and wrong answers, each record given in turn to take. Results follow each other
// after 30 seconds to maxGapSeconds.
template <typename Take> void forEachSampleRecord(long count, int maxGapSeconds, Take &&take)
{
    QRandomGenerator random(20240501);
    QDateTime when(QDate(2001, 1, 1), QTime(9, 0, 0));
    for (long i = 0; i < count; ++i) {
        const int digits = random.bounded(1, 16);
        HistoryRecord::Marks marks;
        int16_t ok = 0;
        for (int s = 0; s < HistoryRecord::slotCount; ++s) {
            if (s >= digits) {
                marks[size_t(s)] = HistoryRecord::Mark::Unused;
            } else if (random.bounded(2) == 0) {
                marks[size_t(s)] = HistoryRecord::Mark::Right;
                ++ok;
            } else {
                marks[size_t(s)] = HistoryRecord::Mark::Wrong;
            }
        }
        take(HistoryRecord::ofResult(when,
                                     {.marks = marks,
                                      .right = ok,
                                      .wrong = static_cast<int16_t>(digits - ok),
                                      .digitCount = static_cast<int16_t>(digits),
                                      .displaySeconds = static_cast<int16_t>(random.bounded(31))}));
        when = when.addSecs(random.bounded(30, maxGapSeconds));
    }
}

// The same, a few minutes to an hour apart, as a list.
inline std::vector<HistoryRecord> sampleHistory(int count)
{
    std::vector<HistoryRecord> history;
    history.reserve(static_cast<size_t>(count));
    forEachSampleRecord(count, 4000,
                        [&history](const HistoryRecord &record) { history.push_back(record); });
    return history;
}
