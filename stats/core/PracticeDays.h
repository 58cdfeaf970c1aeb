// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QHash>

#include <cstdint>

// The days on which results were saved, by their local date: how many each, their mean rate,
// and the runs of consecutive days. Days are counted on the calendar (Julian day numbers), so a
// run goes on across a month's end, a year's end and a change to or from summer time alike.
class PracticeDays
{
public:
    struct Day
    {
        int results = 0;
        qint64 sumTenths = 0; // the rates added up, in tenths of a percent
        double meanTenths() const { return results ? double(sumTenths) / results : 0; }
    };

    void add(QDate date, int32_t rateTenths);

    int daysPlayed() const { return static_cast<int>(m_days.size()); }
    // The results of one day; none for a day not played.
    Day day(QDate date) const { return m_days.value(date.toJulianDay()); }
    // The busiest day's results.
    int mostResults() const { return m_mostResults; }

    // The run of days played that is still going on today: it ends today, or yesterday when
    // nothing has been saved today yet (the day is not over); 0 when the last day played lies
    // further back.
    int currentRun(QDate today) const;
    // The longest run of consecutive days played, ever.
    int longestRun() const;

private:
    QHash<qint64, Day> m_days; // by Julian day number
    int m_mostResults = 0;
};
