// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DrillResult.h"

#include <QByteArray>
#include <QByteArrayView>
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

    // The longest a box's text can be: what an answer box takes at most.
    static constexpr qsizetype longestAnswer = 32767;
    // Longer than this from the boxes opening to an entry or to the 回答 press is no drill.
    static constexpr qint64 longestMs = qint64(30) * 24 * 60 * 60 * 1000;
    // More refills of one box than this is no drill either.
    static constexpr int mostRefills = 1000000;

    // Whether this is the detail of the history line at line holding these bytes (without the
    // line end). A history edited elsewhere may have moved another line to this number, or
    // another line to these bytes: only both together tell the line it was written with.
    bool belongsTo(qint64 line, QByteArrayView bytes) const
    {
        return line == lineNumber && bytes == historyLine;
    }

    // Whether this is a drill the program can have saved into a history of historyLines lines:
    // a digit count of 1 to 15 with as many digits shown (each 0 to 8), answers, entry times
    // and refill counts; marks that agree with the counts; times from 0 to longestMs (-1 for
    // none); a moment between 1970 and the end of 9999 with an offset within 18 hours; a line
    // number within the history, and a history line the program writes, with these marks,
    // counts and seconds. The drill log writes nothing else and reads nothing else back.
    bool makesSense(qint64 historyLines) const;

    friend bool operator==(const LoggedDrill &, const LoggedDrill &) = default;
};
