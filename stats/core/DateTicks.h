// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The ticks of a chart's time axis on whole steps of the calendar: hours, days, Mondays, the
// first days of months or of years, at most a handful of them. The axis runs from the tick
// before the first moment to the tick after the last, so no point sits on its edge, and every
// tick falls on a step: months of 28 to 31 days stay months.
class DateTicks
{
public:
    // Local moments, the earlier first; most is the largest number of ticks wanted (2 or more).
    static DateTicks of(const QDateTime &first, const QDateTime &last, int most = 7);

    QDateTime from;         // the axis's start, the first tick
    QDateTime to;           // its end, the last tick
    QList<QDateTime> ticks; // from `from` to `to`, one a step
    QString format;         // a tick's label as QDateTime::toString writes it: "MM/dd"
};
