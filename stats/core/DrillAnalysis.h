// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DigitSlots.h"
#include "stats/core/ConfusionTable.h"
#include "stats/core/ErrorKind.h"
#include "stats/core/RecallTiming.h"

#include <array>

struct DrillResult;

// What the drills' details tell of how a player fails and recalls, built in one pass: the kinds
// of error of the wrong rows by digit count, the digits typed for others, and the recall timing
// of the rows wholly right. A drill without details (saved before they were kept) is counted as
// such and left out of the rest.
class DrillAnalysis
{
public:
    void add(const DrillResult &result);

    // Drills added, with details or without.
    int drills() const { return m_drills; }
    int withoutDetails() const { return m_withoutDetails; }
    // Drills with details, of one digit count or of all (0).
    int withDetails(int digitCount = 0) const;
    // Wrong rows with details, of one digit count or of all (0).
    int wrongRows(int digitCount = 0) const;
    // Wrong rows of a kind, of one digit count or of all (0).
    int errors(ErrorKind kind, int digitCount = 0) const;
    // The kind most wrong rows of a digit count (or all, 0) are of; of two as common, the one
    // first in ErrorKind's order. Several when there are none.
    ErrorKind commonError(int digitCount = 0) const;

    // The table of digits typed for others, over the replaced positions of every wrong row.
    const ConfusionTable &confusion() const { return m_confusion; }
    // The boxes of wrong rows that do not hold their shown digit, of every digit count: those in
    // the table, and those of swaps, digits left out or added and other text, which are not.
    int wrongPositions() const { return m_wrongPositions; }
    const RecallTiming &timing() const { return m_timing; }

private:
    int m_drills = 0;
    int m_withoutDetails = 0;
    std::array<int, DigitSlots::count + 1> m_withDetails{}; // by digit count, 0 for all
    // By digit count; index 0 holds every count together.
    std::array<std::array<int, ErrorKinds::count>, DigitSlots::count + 1> m_errors{};
    ConfusionTable m_confusion;
    int m_wrongPositions = 0;
    RecallTiming m_timing;
};
