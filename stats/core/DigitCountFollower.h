// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/DigitStaircase.h"

#include <QString>
#include <optional>

// 自動調整: the digit count that follows the player drill by drill, by the staircase the
// suggested count rests on. It is told each drill once, when first scored; a drill of another
// digit count than the one it followed (the player chose one) starts it afresh from there.
class DigitCountFollower
{
public:
    struct Change
    {
        int from = 0;
        int to = 0;
        bool up = false; // after two whole rows right, otherwise after a miss

        // What the player reads, before the next drill takes the new count and once it has: the
        // reason on the first line, the count on the second.
        QString announcement() const;
        QString explanation() const;
    };

    // A drill of digitCount scored, every answer right or not: the count the next drill should
    // have, when it differs.
    std::optional<Change> follow(int digitCount, bool wholeRowRight);

private:
    std::optional<DigitStaircase> m_staircase;
};
