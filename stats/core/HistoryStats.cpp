// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/HistoryStats.h"

#include "stats/core/StatsText.h"

#include <QDateTime>

void HistoryStats::add(const HistoryRecord &record)
{
    const int digitCount = digitCountOf(record);
    if (digitCount == 0)
        return;
    const qint64 when = msecsSinceEpoch(record);
    m_byDigitCount[static_cast<size_t>(digitCount - 1)].add(record, when);
    m_all.add(record, when);
    if (record.date.isValid())
        m_days.insert(record.date.toJulianDay());
    m_newestDigitCount = digitCount;
}

int HistoryStats::digitCountOf(const HistoryRecord &record)
{
    int count = 0;
    for (HistoryRecord::Mark mark : record.marks) {
        if (mark != HistoryRecord::Mark::Unused)
            ++count;
    }
    return count;
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

int HistoryStats::currentRun(QDate today) const
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
