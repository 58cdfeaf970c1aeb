// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QtGlobal>

// The drill's sense of time. The display phase counts on a monotonic scale, so a display that
// runs across midnight (or across a change of the wall clock) still ends on time; history records
// take their date and time from the local wall clock.
class Clock
{
public:
    virtual ~Clock() = default;

    // Milliseconds elapsed on a clock that never goes back.
    virtual qint64 milliseconds() const = 0;

    // The current local date and time, for the history.
    virtual QDateTime localNow() const = 0;
};
