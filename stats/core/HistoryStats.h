// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"
#include "stats/core/PersonalBest.h"
#include "stats/core/PracticeDays.h"
#include "stats/core/ResultSeries.h"
#include "stats/core/SpanTally.h"
#include "stats/core/SummaryRow.h"
#include "stats/core/WeekSpan.h"

#include <QDate>
#include <QList>
#include <array>
#include <map>

// The statistics of a history, built in one pass: records are added oldest first, and a record
// saved later is simply added on. A record's digit count is the number of its marks that are
// not "－"; a record with none belongs to no digit count and is left out of every figure.
class HistoryStats
{
public:
    void add(const HistoryRecord &record);
    void clear() { *this = HistoryStats(); }

    // Results counted so far, of every digit count.
    int results() const { return m_all.results(); }
    // The digit counts present, ascending.
    QList<int> digitCounts() const;
    // The digit count of the newest result added; 0 when there is none.
    int newestDigitCount() const { return m_newestDigitCount; }
    // The digit count the window starts on: the one the main window's 問題数 shows, where there
    // are results of it, or else the newest result's (0 when there are none).
    int startingDigitCount(int mainWindowCount) const;

    // The results of one digit count, 1 to 15 (empty if there are none).
    const ResultSeries &ofDigitCount(int digitCount) const;
    // Every result, whatever its digit count.
    const ResultSeries &all() const { return m_all; }

    // The summary table: a row per digit count present, ascending, then one for all of them.
    QList<SummaryRow> summaryRows() const;

    // The days played, of every result.
    const PracticeDays &days() const { return m_days; }
    // The number of different days on which results were saved.
    int daysPlayed() const { return m_days.daysPlayed(); }
    int currentRun(QDate today) const { return m_days.currentRun(today); }

    // The display times of the results, ascending; everyDisplayTime stands for all of them.
    static constexpr int everyDisplayTime = -1;
    QList<int> displayTimes() const;
    // Tries and whole rows right by digit count, of one display time or of all.
    SpanTally spanTally(int seconds) const;
    // The span estimate of each calendar week that has enough results for one, oldest first.
    QList<WeekSpan> weeklySpans(int seconds) const;
    // The longest row wholly right of each display time that has one, by display time.
    QList<PersonalBest> personalBests() const;

private:
    qint64 msecsSinceEpoch(const HistoryRecord &record);

    std::array<ResultSeries, HistoryRecord::slotCount> m_byDigitCount;
    ResultSeries m_all;
    PracticeDays m_days;
    std::map<int, SpanTally> m_tallies; // by display time
    // By the Julian day of the week's Monday, then by display time.
    std::map<qint64, std::map<int, SpanTally>> m_weekTallies;
    std::map<int, PersonalBest> m_bests; // by display time
    int m_newestDigitCount = 0;
    // The offset from UTC of the day last converted: a history has few days and many results,
    // and converting every local time on its own would take most of the pass.
    QDate m_offsetDate;
    qint64 m_offsetMsecs = 0;
};
