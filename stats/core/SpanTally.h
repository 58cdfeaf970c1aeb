// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"

#include <array>

// How often each digit count was tried and how often its whole row came back right (every
// counted mark "○"): all the span estimate needs of a set of results, whatever their number.
class SpanTally
{
public:
    static constexpr int maxDigits = HistoryRecord::slotCount;

    void add(int digitCount, bool wholeRight);
    SpanTally &operator+=(const SpanTally &other);

    int tries(int digitCount) const { return m_tries.at(static_cast<size_t>(digitCount - 1)); }
    int wholes(int digitCount) const { return m_wholes.at(static_cast<size_t>(digitCount - 1)); }
    int results() const { return m_results; }
    int wholeResults() const { return m_wholeResults; }
    // The digit counts tried at least once.
    int digitCountsTried() const;

private:
    std::array<int, maxDigits> m_tries{};
    std::array<int, maxDigits> m_wholes{};
    int m_results = 0;
    int m_wholeResults = 0;
};
