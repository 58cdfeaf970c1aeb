// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"
#include "stats/core/ResultSeries.h"
#include "stats/core/SummaryRow.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <array>

// The statistics of a history, built in one pass: records are added oldest first, and a record
// saved later is simply added on. A record's digit count is the number of its marks that are
// not "－"; a record with none belongs to no digit count and is left out of every figure.
class HistoryStats
{
public:
    void add(const HistoryRecord &record);
    void clear() { *this = HistoryStats(); }

    static int digitCountOf(const HistoryRecord &record);

    // Results counted so far, of every digit count.
    int results() const { return m_all.results(); }
    // The digit counts present, ascending.
    QList<int> digitCounts() const;
    // The digit count of the newest result added; 0 when there is none.
    int newestDigitCount() const { return m_newestDigitCount; }

    // The results of one digit count, 1 to 15 (empty if there are none).
    const ResultSeries &ofDigitCount(int digitCount) const;
    // Every result, whatever its digit count.
    const ResultSeries &all() const { return m_all; }

    // The summary table: a row per digit count present, ascending, then one for all of them.
    QList<SummaryRow> summaryRows() const;

    // The number of different days on which results were saved.
    int daysPlayed() const { return static_cast<int>(m_days.size()); }
    // The run of consecutive days played that is still going on today: it ends today, or
    // yesterday when nothing has been saved today yet (the day is not over); 0 when the last
    // day played lies further back.
    int currentRun(QDate today) const;

private:
    qint64 msecsSinceEpoch(const HistoryRecord &record);

    std::array<ResultSeries, HistoryRecord::slotCount> m_byDigitCount;
    ResultSeries m_all;
    QSet<qint64> m_days; // Julian day numbers
    int m_newestDigitCount = 0;
    // The offset from UTC of the day last converted: a history has few days and many results,
    // and converting every local time on its own would take most of the pass.
    QDate m_offsetDate;
    qint64 m_offsetMsecs = 0;
};
