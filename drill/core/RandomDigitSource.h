// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drill/core/DigitSource.h"

#include <random>

// Digits from a Mersenne Twister seeded afresh from the system's entropy source for every drill.
class RandomDigitSource : public DigitSource
{
public:
    RandomDigitSource();

    void reseed() override;
    int nextDigit() override;

private:
    std::mt19937 m_engine;
    std::uniform_int_distribution<int> m_digit{0, 8};
};
