// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class DrillAnalysis;
class HistoryStats;

// One to three short sentences of advice, each naming the figure it rests on and how many drills
// that figure comes from: the kind of error made most, the grouping the pauses show, the weakest
// position. A figure from too few drills gives no sentence; when none can be said, missing says
// how many more drills are needed.
struct PracticeAdvice
{
    // The least each figure needs before it is used.
    static constexpr int minWrongRows = 20;    // wrong rows with details, for the kind of error
    static constexpr int minTimedRows = 10;    // rows right with their times, for the grouping
    static constexpr int minPositionRows = 20; // results of the digit count, for the positions

    QStringList sentences; // at most three
    QString missing;       // when there are none: what is still needed

    // Of the drills analysed and the history, for one digit count (0: the newest one's).
    static PracticeAdvice of(const DrillAnalysis &analysis, const HistoryStats &stats,
                             int digitCount);
};
