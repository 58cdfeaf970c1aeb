// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"

#include <QDate>
#include <QTime>
#include <vector>

// A record as the history holds it, from its marks written as text ("○○×○○", the rest "－"),
// its rate in tenths of a percent and its date and time.
inline HistoryRecord statsRecord(QDate date, QTime time, QStringView marks, int32_t rateTenths)
{
    HistoryRecord record;
    record.date = date;
    record.time = time;
    for (int i = 0; i < HistoryRecord::slotCount; ++i) {
        const QChar c = i < marks.size() ? marks.at(i) : u'－';
        HistoryRecord::Mark &mark = record.marks[static_cast<size_t>(i)];
        mark = c == u'○'   ? HistoryRecord::Mark::Right
               : c == u'×' ? HistoryRecord::Mark::Wrong
                           : HistoryRecord::Mark::Unused;
        if (mark == HistoryRecord::Mark::Right)
            ++record.ok;
        else if (mark == HistoryRecord::Mark::Wrong)
            ++record.ng;
    }
    record.rateTenths = rateTenths;
    record.seconds = 5;
    return record;
}

// Four results of five digits on four days running across the end of January, and one of three
// digits saved between them:
//   2024/01/30 09:00  ○○×○○  80.0%
//   2024/01/31 09:00  ○×××○  40.0%
//   2024/01/31 10:00  ○○○    100.0%  (three digits)
//   2024/02/01 09:00  ○○○○○  100.0%
//   2024/02/02 09:00  ×○○○×  60.0%
inline std::vector<HistoryRecord> statsFixture()
{
    return {
        statsRecord(QDate(2024, 1, 30), QTime(9, 0), u"○○×○○", 800),
        statsRecord(QDate(2024, 1, 31), QTime(9, 0), u"○×××○", 400),
        statsRecord(QDate(2024, 1, 31), QTime(10, 0), u"○○○", 1000),
        statsRecord(QDate(2024, 2, 1), QTime(9, 0), u"○○○○○", 1000),
        statsRecord(QDate(2024, 2, 2), QTime(9, 0), u"×○○○×", 600),
    };
}
