// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/SpanTally.h"

void SpanTally::add(int digitCount, bool wholeRight)
{
    if (digitCount < 1 || digitCount > maxDigits)
        return;
    ++m_tries[static_cast<size_t>(digitCount - 1)];
    ++m_results;
    if (wholeRight) {
        ++m_wholes[static_cast<size_t>(digitCount - 1)];
        ++m_wholeResults;
    }
}

SpanTally &SpanTally::operator+=(const SpanTally &other)
{
    for (size_t i = 0; i < m_tries.size(); ++i) {
        m_tries[i] += other.m_tries[i];
        m_wholes[i] += other.m_wholes[i];
    }
    m_results += other.m_results;
    m_wholeResults += other.m_wholeResults;
    return *this;
}

int SpanTally::digitCountsTried() const
{
    int counts = 0;
    for (int tries : m_tries)
        counts += tries > 0;
    return counts;
}
