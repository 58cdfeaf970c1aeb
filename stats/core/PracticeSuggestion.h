// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SpanEstimate;
class SpanTally;

// The digit count to practise next and why, in one sentence. A player learns most where the
// whole row comes back right about 70.7 % of the time: it is where a staircase that lengthens
// the row after two whole successes and shortens it after one miss settles (√½ = 0.707). So the
// suggestion is the digit count whose fitted chance is nearest that; without an estimate it is
// the count the player practised last.
struct PracticeSuggestion
{
    static constexpr double targetSuccess = 0.7071067811865476; // √½

    int digitCount = 0; // 0: nothing to suggest (no results)
    QString reason;

    // estimate is of tally, whose results at the count suggested the reason cites.
    static PracticeSuggestion of(const SpanTally &tally, const SpanEstimate &estimate,
                                 int newestDigitCount);
};
