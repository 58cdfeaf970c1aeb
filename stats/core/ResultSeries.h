// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"
#include "stats/core/RatePoint.h"

#include <QDate>
#include <array>
#include <cstdint>
#include <vector>

// The results of one digit count (or of all counts), in the order they were saved: the points of
// the rate chart with their moving average, how often each position was right, and the figures
// of the summary table.
class ResultSeries
{
public:
    static constexpr int window = 10; // results in the moving average

    void add(const HistoryRecord &record, qint64 msecsSinceEpoch);

    int results() const { return static_cast<int>(m_points.size()); }
    const std::vector<RatePoint> &points() const { return m_points; }

    // The share of ○ at position 1 to 15 among the results, in percent; 0 with no results.
    double rightSharePercent(int position) const;
    int rightCount(int position) const { return m_rightAt.at(static_cast<size_t>(position - 1)); }

    // Mean and best rates in tenths of a percent, as the history stores rates.
    double meanTenths() const;
    int32_t bestTenths() const { return m_bestTenths; }
    double lastWindowMeanTenths() const; // the mean of the last ten results
    QDate firstDate() const { return m_firstDate; }
    QDate lastDate() const { return m_lastDate; }

private:
    std::vector<RatePoint> m_points;
    std::array<int, HistoryRecord::slotCount> m_rightAt{};
    std::array<int32_t, window> m_recent{}; // a ring of the last rates, in tenths
    int64_t m_recentSum = 0;
    int64_t m_sumTenths = 0;
    int32_t m_bestTenths = 0;
    QDate m_firstDate;
    QDate m_lastDate;
};
