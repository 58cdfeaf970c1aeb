// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/HistoryStats.h"

#include "stats/core/StatsText.h"

#include <QDateTime>

#include <iterator>

namespace {

SpanTally tallyOf(const std::map<int, SpanTally> &bySeconds, int seconds)
{
    if (seconds != HistoryStats::everyDisplayTime) {
        const auto it = bySeconds.find(seconds);
        return it == bySeconds.end() ? SpanTally() : it->second;
    }
    SpanTally sum;
    for (const auto &[time, tally] : bySeconds)
        sum += tally;
    return sum;
}

} // namespace

void HistoryStats::add(const HistoryRecord &record)
{
    int digitCount = 0;
    bool wholeRight = true;
    for (HistoryRecord::Mark mark : record.marks) {
        digitCount += mark != HistoryRecord::Mark::Unused;
        wholeRight = wholeRight && mark != HistoryRecord::Mark::Wrong;
    }
    if (digitCount == 0)
        return;
    const qint64 when = msecsSinceEpoch(record);
    m_byDigitCount[static_cast<size_t>(digitCount - 1)].add(record, when);
    m_all.add(record, when);
    m_days.add(record.date, record.rateTenths);
    m_newestDigitCount = digitCount;

    m_tallies[record.seconds].add(digitCount, wholeRight);
    if (record.date.isValid()) {
        const qint64 monday = record.date.toJulianDay() - (record.date.dayOfWeek() - 1);
        // Records come oldest first: their week is nearly always the last one.
        auto week = m_weekTallies.empty() || m_weekTallies.rbegin()->first != monday
                        ? m_weekTallies.try_emplace(monday).first
                        : std::prev(m_weekTallies.end());
        week->second[record.seconds].add(digitCount, wholeRight);
    }
    if (wholeRight) {
        PersonalBest &best = m_bests[record.seconds];
        if (digitCount > best.digitCount)
            best = {record.seconds, digitCount, record.date, record.time};
    }
}

QList<int> HistoryStats::displayTimes() const
{
    QList<int> times;
    for (const auto &[seconds, tally] : m_tallies)
        times.append(seconds);
    return times;
}

SpanTally HistoryStats::spanTally(int seconds) const
{
    return tallyOf(m_tallies, seconds);
}

QList<WeekSpan> HistoryStats::weeklySpans(int seconds) const
{
    QList<WeekSpan> weeks;
    for (const auto &[monday, tallies] : m_weekTallies) {
        SpanEstimate estimate = SpanEstimate::of(tallyOf(tallies, seconds));
        if (estimate.isValid())
            weeks.append({QDate::fromJulianDay(monday), estimate});
    }
    return weeks;
}

QList<PersonalBest> HistoryStats::personalBests() const
{
    QList<PersonalBest> bests;
    for (const auto &[seconds, best] : m_bests)
        bests.append(best);
    return bests;
}

int HistoryStats::startingDigitCount(int mainWindowCount) const
{
    if (mainWindowCount >= 1 && mainWindowCount <= HistoryRecord::slotCount &&
        ofDigitCount(mainWindowCount).results() > 0)
        return mainWindowCount;
    return m_newestDigitCount;
}

QList<int> HistoryStats::digitCounts() const
{
    QList<int> counts;
    for (int n = 1; n <= HistoryRecord::slotCount; ++n) {
        if (ofDigitCount(n).results() > 0)
            counts.append(n);
    }
    return counts;
}

const ResultSeries &HistoryStats::ofDigitCount(int digitCount) const
{
    return m_byDigitCount.at(static_cast<size_t>(digitCount - 1));
}

QList<SummaryRow> HistoryStats::summaryRows() const
{
    QList<SummaryRow> rows;
    for (int n : digitCounts())
        rows.append(SummaryRow::of(StatsText::digitCount(n), ofDigitCount(n)));
    if (results() > 0)
        rows.append(SummaryRow::of(StatsText::allDigitCounts(), m_all));
    return rows;
}

qint64 HistoryStats::msecsSinceEpoch(const HistoryRecord &record)
{
    if (record.date != m_offsetDate) {
        m_offsetDate = record.date;
        // Noon is clear of the hours a change to or from summer time can skip or repeat.
        m_offsetMsecs = QDateTime(record.date, QTime(12, 0)).offsetFromUtc() * qint64(1000);
    }
    const QDateTime utc(record.date, record.time, Qt::UTC);
    return utc.toMSecsSinceEpoch() - m_offsetMsecs;
}
