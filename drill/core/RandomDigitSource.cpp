// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/RandomDigitSource.h"

RandomDigitSource::RandomDigitSource()
{
    reseed();
}

void RandomDigitSource::reseed()
{
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy(), entropy(), entropy(),
                       entropy(), entropy(), entropy(), entropy()};
    m_engine.seed(seed);
    m_digit.reset();
}

int RandomDigitSource::nextDigit()
{
    return m_digit(m_engine);
}
