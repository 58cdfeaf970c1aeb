// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/DateTicks.h"

#include <array>

namespace {

enum class Unit
{
    Hour,
    Day,
    Week,
    Month,
    Year
};

struct Step
{
    Unit unit;
    int count;
};

constexpr std::array steps{Step{Unit::Hour, 1},  Step{Unit::Hour, 2},   Step{Unit::Hour, 3},
                           Step{Unit::Hour, 6},  Step{Unit::Hour, 12},  Step{Unit::Day, 1},
                           Step{Unit::Day, 2},   Step{Unit::Week, 1},   Step{Unit::Week, 2},
                           Step{Unit::Month, 1}, Step{Unit::Month, 2},  Step{Unit::Month, 3},
                           Step{Unit::Month, 6}, Step{Unit::Year, 1},   Step{Unit::Year, 2},
                           Step{Unit::Year, 5},  Step{Unit::Year, 10},  Step{Unit::Year, 20},
                           Step{Unit::Year, 50}, Step{Unit::Year, 100}, Step{Unit::Year, 1000}};

// The tick of a step at or before a moment.
QDateTime floorTo(const QDateTime &at, const Step &step)
{
    const QDate date = at.date();
    switch (step.unit) {
    case Unit::Hour:
        return QDateTime(date, QTime(at.time().hour() / step.count * step.count, 0));
    case Unit::Day:
        // Every other day counted from a fixed day, so the ticks do not hop as data are added.
        return QDateTime(date.addDays(-(date.toJulianDay() % step.count)), QTime(0, 0));
    case Unit::Week: {
        // Every other week counted from a fixed Monday, as the days are.
        const QDate monday = date.addDays(1 - date.dayOfWeek());
        const qint64 week = (monday.toJulianDay() - QDate(2000, 1, 3).toJulianDay()) / 7;
        const qint64 extra = ((week % step.count) + step.count) % step.count;
        return QDateTime(monday.addDays(-7 * extra), QTime(0, 0));
    }
    case Unit::Month: {
        const int month = (date.month() - 1) / step.count * step.count + 1;
        return QDateTime(QDate(date.year(), month, 1), QTime(0, 0));
    }
    case Unit::Year:
        return QDateTime(QDate(date.year() - date.year() % step.count, 1, 1), QTime(0, 0));
    }
    return at;
}

QDateTime next(const QDateTime &tick, const Step &step)
{
    switch (step.unit) {
    case Unit::Hour:
        return tick.addSecs(3600 * step.count);
    case Unit::Day:
        return QDateTime(tick.date().addDays(step.count), QTime(0, 0));
    case Unit::Week:
        return QDateTime(tick.date().addDays(7 * step.count), QTime(0, 0));
    case Unit::Month:
        return QDateTime(tick.date().addMonths(step.count), QTime(0, 0));
    case Unit::Year:
        return QDateTime(tick.date().addYears(step.count), QTime(0, 0));
    }
    return tick;
}

} // namespace

DateTicks DateTicks::of(const QDateTime &first, const QDateTime &last, int most)
{
    DateTicks axis;
    for (const Step &step : steps) {
        QList<QDateTime> ticks;
        QDateTime tick = floorTo(first, step);
        // A point exactly on a tick would sit on the axis's edge: one step more of room.
        if (tick == first)
            tick = floorTo(tick.addSecs(-1), step);
        ticks.append(tick);
        while (ticks.size() <= most && ticks.constLast() <= last)
            ticks.append(next(ticks.constLast(), step));
        if (ticks.size() > most && &step != &steps.back())
            continue;
        axis.ticks = ticks;
        axis.from = ticks.constFirst();
        axis.to = ticks.constLast();
        switch (step.unit) {
        case Unit::Hour:
            axis.format = QStringLiteral("MM/dd hh:mm");
            break;
        case Unit::Day:
        case Unit::Week:
            axis.format = first.date().year() == last.date().year() ? QStringLiteral("MM/dd")
                                                                    : QStringLiteral("yy/MM/dd");
            break;
        case Unit::Month:
            axis.format = QStringLiteral("yyyy/MM");
            break;
        case Unit::Year:
            axis.format = QStringLiteral("yyyy");
            break;
        }
        break;
    }
    return axis;
}
