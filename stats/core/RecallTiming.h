// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DigitSlots.h"

#include <QList>
#include <array>
#include <map>

struct DrillResult;

// How fast a player recalls a row and how they group it, from the entry times of the rows they
// typed wholly right: the mean time to each position's entry, and the grouping their pauses
// show, by digit count. Rows with a box emptied and filled again, or entered out of order, are
// left out: their times are of the correction, not of the recall.
class RecallTiming
{
public:
    // The groups a row of entry times falls into, their sizes in order ({3, 3, 2}); one group of
    // the whole row where no pause stands out.
    static QList<int> groupsOf(const QList<qint64> &entryMs);

    // Adds a drill if it is wholly right with usable times; says whether it was added.
    bool add(const DrillResult &result);

    // Rows counted of a digit count.
    int rows(int digitCount) const;
    // The mean milliseconds from the boxes opening to the entry of a position (1-based).
    double meanEntryMs(int digitCount, int position) const;

    struct Grouping
    {
        QList<int> groups; // empty when there are no rows
        int rows = 0;      // how many rows showed it
    };
    // The grouping most rows of a digit count show; of two as common, the one of fewer groups.
    Grouping commonGrouping(int digitCount) const;

private:
    struct OfDigitCount
    {
        int rows = 0;
        std::array<double, DigitSlots::count> sumsMs{};
        std::map<QList<int>, int> groupings;
    };
    std::array<OfDigitCount, DigitSlots::count + 1> m_byDigitCount{};
};
