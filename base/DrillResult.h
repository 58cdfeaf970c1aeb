// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/DigitSlots.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// One scored drill, as the Answer button judged it: what Save records, whatever the player does
// with the boxes or the choices afterwards, and what the drill log keeps of how it was played.
struct DrillResult
{
    enum class Mark : uint8_t
    {
        Right,  // the box held the slot's digit
        Wrong,  // it did not
        Unused, // a slot beyond the digit count
    };
    using Marks = std::array<Mark, DigitSlots::count>; // slot 1 first

    Marks marks{};              // one mark per digit slot
    int16_t right = 0;          // right answers
    int16_t wrong = 0;          // wrong answers
    int16_t digitCount = 0;     // the digit count it was scored with, 1..15
    int16_t displaySeconds = 0; // the display seconds it was scored with

    // How the drill went, slot 1 first, one entry per slot in use. Times are milliseconds from
    // the moment the answer boxes opened, on the drill's monotonic clock.
    QString shown{};         // the digits shown, one character '0'..'8' per slot
    QStringList answers{};   // each box's text as scored ("" for an empty box)
    QList<qint64> entryMs{}; // the entry that left each box's scored text; -1 for an empty box
    QList<int> refills{};    // how often each box was emptied and filled again
    qint64 answerMs = -1;    // the press of Answer that scored it

    // Scores the first digitCount answers against the digits their slots showed (both lists
    // hold at least digitCount texts); the slots beyond are unused. How the answers were
    // entered is the caller's to fill in.
    static DrillResult score(const QStringList &answers, const QStringList &digits,
                             int16_t digitCount, int16_t displaySeconds);

    friend bool operator==(const DrillResult &, const DrillResult &) = default;
};
