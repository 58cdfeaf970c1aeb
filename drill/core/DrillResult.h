// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drill/core/DigitSlots.h"

#include <QString>
#include <array>
#include <cstdint>

// One scored drill, as the Answer button judged it: what Save records, whatever the player does
// with the boxes or the choices afterwards.
struct DrillResult
{
    enum class Mark : uint8_t
    {
        Right,  // the box held the slot's digit
        Wrong,  // it did not
        Unused, // a slot beyond the digit count
    };
    using Marks = std::array<Mark, DigitSlots::count>; // slot 1 first

    Marks marks{};        // one mark per digit slot
    int16_t intOk = 0;    // right answers
    int16_t intNg = 0;    // wrong answers
    int16_t intMonsu = 0; // the digit count it was scored with, 1..15
    int16_t intJikan = 0; // the display seconds it was scored with

    // Scores the first digitCount answers against the digits their slots showed (both lists
    // hold at least digitCount texts); the slots beyond are unused.
    static DrillResult score(const QStringList &answers, const QStringList &digits,
                             int16_t digitCount, int16_t displaySeconds);

    friend bool operator==(const DrillResult &, const DrillResult &) = default;
};
