// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/DigitStaircase.h"

#include <algorithm>

DigitStaircase::DigitStaircase(int digitCount) : m_digitCount(std::clamp(digitCount, fewest, most))
{
}

int DigitStaircase::step(bool wholeRowRight)
{
    if (!wholeRowRight) {
        m_rightInARow = 0;
        m_digitCount = std::max(fewest, m_digitCount - 1);
    } else if (++m_rightInARow == 2) {
        // At the top the two successes are spent all the same: the next step up needs two more.
        m_rightInARow = 0;
        m_digitCount = std::min(most, m_digitCount + 1);
    }
    return m_digitCount;
}
