// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/DisplayClock.h"

namespace {

// Division rounding toward minus infinity, for readings on either side of zero.
qint64 floorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

void DisplayClock::start(qint64 milliseconds)
{
    m_startMs = milliseconds;
}

qint64 DisplayClock::wholeSeconds(qint64 milliseconds) const
{
    return floorDiv(m_startMs, 1000) + floorDiv(milliseconds - m_startMs + lead, 1000);
}
