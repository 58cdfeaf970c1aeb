// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The display phase's clock in whole seconds, counted from the moment the digits appear, so that
// a display of T seconds lasts T seconds whatever fraction of a second the countdown ended on.
//
// The display ticks come every half second from that moment. Each of the clock's seconds turns a
// quarter of a second before the display tick it belongs to, half-way between two ticks, so a
// tick that the system runs a little early or late still reads the second it is due on.
class DisplayClock
{
public:
    // Starts the count at a reading of the monotonic clock, in milliseconds.
    void start(qint64 milliseconds);

    // The whole seconds at a reading of the same clock: the clock's own whole second at the
    // start, plus the seconds since then.
    qint64 wholeSeconds(qint64 milliseconds) const;

    // How early each second turns, in milliseconds.
    static constexpr qint64 lead = 250;

private:
    qint64 m_startMs = 0;
};
