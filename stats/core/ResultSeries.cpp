// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/ResultSeries.h"

#include <algorithm>

void ResultSeries::add(const HistoryRecord &record, qint64 msecsSinceEpoch)
{
    const int n = results();
    const size_t slot = static_cast<size_t>(n % window);
    if (n >= window)
        m_recentSum -= m_recent[slot];
    m_recent[slot] = record.rateTenths;
    m_recentSum += record.rateTenths;
    const int inWindow = std::min(n + 1, window);

    m_points.push_back({msecsSinceEpoch, record.rateTenths / 10.0,
                        static_cast<double>(m_recentSum) / inWindow / 10.0});

    for (size_t i = 0; i < m_rightAt.size(); ++i) {
        if (record.marks[i] == HistoryRecord::Mark::Right)
            ++m_rightAt[i];
    }
    m_sumTenths += record.rateTenths;
    m_bestTenths = n == 0 ? record.rateTenths : std::max(m_bestTenths, record.rateTenths);
    // Earliest and latest rather than first and last saved: a clock set back must not make
    // the range run backwards.
    if (!m_firstDate.isValid() || record.date < m_firstDate)
        m_firstDate = record.date;
    if (!m_lastDate.isValid() || record.date > m_lastDate)
        m_lastDate = record.date;
}

double ResultSeries::rightSharePercent(int position) const
{
    if (m_points.empty())
        return 0;
    return 100.0 * rightCount(position) / results();
}

double ResultSeries::meanTenths() const
{
    if (m_points.empty())
        return 0;
    return static_cast<double>(m_sumTenths) / results();
}

double ResultSeries::lastWindowMeanTenths() const
{
    if (m_points.empty())
        return 0;
    return static_cast<double>(m_recentSum) / std::min(results(), window);
}
