// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The up/down rule the suggested digit count rests on: one digit more after two whole rows
// right in a row, one fewer after a row with a miss, within 1 to 15. Followed drill by drill it
// settles where a whole row comes back right √½ of the time (PracticeSuggestion's target): there
// a step up, two successes (½), is as likely as a step down.
class DigitStaircase
{
public:
    static constexpr int fewest = 1;
    static constexpr int most = 15;

    explicit DigitStaircase(int digitCount);

    int digitCount() const { return m_digitCount; }
    // Takes a scored row of the present digit count and gives the count for the next drill.
    int step(bool wholeRowRight);

private:
    int m_digitCount;
    int m_rightInARow = 0;
};
