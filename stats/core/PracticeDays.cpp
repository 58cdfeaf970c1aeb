// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/PracticeDays.h"

#include <algorithm>

void PracticeDays::add(QDate date, int32_t rateTenths)
{
    if (!date.isValid())
        return;
    Day &day = m_days[date.toJulianDay()];
    ++day.results;
    day.sumTenths += rateTenths;
    m_mostResults = std::max(m_mostResults, day.results);
}

int PracticeDays::currentRun(QDate today) const
{
    qint64 day = today.toJulianDay();
    if (!m_days.contains(day))
        --day; // today may still be played
    int run = 0;
    while (m_days.contains(day)) {
        ++run;
        --day;
    }
    return run;
}

int PracticeDays::longestRun() const
{
    int longest = 0;
    for (auto it = m_days.keyBegin(); it != m_days.keyEnd(); ++it) {
        // Count each run once, from its first day.
        if (m_days.contains(*it - 1))
            continue;
        int run = 1;
        while (m_days.contains(*it + run))
            ++run;
        longest = std::max(longest, run);
    }
    return longest;
}
