// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DrillResult.h"

#include <QByteArray>
#include <QtGlobal>

// One drill as the drill log keeps it: the scored result whole, when it was saved, and the
// history line it belongs to (a detail belongs to exactly one line: its number and its bytes).
struct LoggedDrill
{
    qint64 savedAtUtcMs = 0;  // when it was saved, milliseconds since 1970 in UTC
    int utcOffsetSeconds = 0; // the local time's offset from UTC then
    qint64 lineNumber = 0;    // its line in the history file, from 1
    QByteArray historyLine;   // that line's bytes, without the line end
    DrillResult result;

    friend bool operator==(const LoggedDrill &, const LoggedDrill &) = default;
};
