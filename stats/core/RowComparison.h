// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/ErrorKind.h"

#include <QList>
#include <QString>
#include <QStringList>

// A typed row held against the row shown: whether it is right, the kind of its error, and the
// digits typed in the place of others. The kind comes from an edit distance with transpositions
// (optimal string alignment) over the boxes, with the boxes' fixed number in mind: a digit left
// out leaves the last box empty or guessed, a digit added pushes the last one out.
struct RowComparison
{
    // What was typed in place of a shown digit: 0 to 9, or emptyBox.
    static constexpr int emptyBox = 10;
    struct Replaced
    {
        int shown = 0; // 0 to 8
        int typed = 0; // 0 to 9, or emptyBox
        friend bool operator==(const Replaced &, const Replaced &) = default;
    };

    bool right = true;
    ErrorKind kind = ErrorKind::Several; // of a row that is not right
    // The replaced positions of an alignment with the fewest edits; none for a swap, whose
    // digits were remembered but not their places. A box holding anything but one digit or
    // nothing is not counted here.
    QList<Replaced> replaced;

    // shown holds one digit '0'..'8' per box; answers one text per box.
    static RowComparison of(const QString &shown, const QStringList &answers);

    // The fewest insertions, deletions, replacements and swaps of neighbours that turn one
    // string into the other, each character edited once at most.
    static int editDistance(QStringView from, QStringView to);
};
