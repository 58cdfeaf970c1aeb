#pragma once

#include "records/core/HistoryRecord.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <vector>

// A varied history for the benchmarks, the same on every run: any digit count and display time,
// random right and wrong answers, a few minutes to an hour apart.
inline std::vector<HistoryRecord> sampleHistory(int count)
{
    QRandomGenerator random(20240501);
    std::vector<HistoryRecord> history;
    history.reserve(static_cast<size_t>(count));
    QDateTime when(QDate(2001, 1, 1), QTime(9, 0, 0));
    for (int i = 0; i < count; ++i) {
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
        history.push_back(HistoryRecord::ofResult(when, marks, ok,
                                                  static_cast<int16_t>(digits - ok), digits,
                                                  static_cast<int16_t>(random.bounded(31))));
        when = when.addSecs(random.bounded(30, 4000));
    }
    return history;
}
