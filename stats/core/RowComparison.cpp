// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/RowComparison.h"

#include <algorithm>
#include <vector>

namespace {

// The boxes as one string of characters: a digit as itself, an empty box and any other text as
// characters no shown digit equals.
constexpr char16_t emptyMark = u'\x01';
constexpr char16_t otherMark = u'\x02';

QString typedRow(const QStringList &answers, qsizetype boxes)
{
    QString row(boxes, QChar(emptyMark));
    for (qsizetype i = 0; i < boxes && i < answers.size(); ++i) {
        const QString &text = answers.at(i);
        if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
            row[i] = text.at(0);
        else if (!text.isEmpty())
            row[i] = QChar(otherMark);
    }
    return row;
}

// The table of the edit distance: d[i][j] turns the first i characters of from into the first
// j of to.
using Table = std::vector<std::vector<int>>;

Table distances(QStringView from, QStringView to)
{
    const auto n = static_cast<size_t>(from.size());
    const auto m = static_cast<size_t>(to.size());
    Table d(n + 1, std::vector<int>(m + 1));
    for (size_t i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i) {
        for (size_t j = 1; j <= m; ++j) {
            const int replace = from[i - 1] == to[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + replace});
            if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d;
}

// The replacements along one alignment with the fewest edits, walked back from the end; where
// several are as short, a kept or replaced digit goes before a swap, a swap before a digit left
// out or added, so that a digit counts as replaced only where no shorter reading explains it.
QList<RowComparison::Replaced> replacements(QStringView shown, QStringView typed)
{
    const Table d = distances(shown, typed);
    QList<RowComparison::Replaced> found;
    size_t i = static_cast<size_t>(shown.size());
    size_t j = static_cast<size_t>(typed.size());
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && shown[i - 1] == typed[j - 1] && d[i][j] == d[i - 1][j - 1]) {
            --i, --j;
        } else if (i > 1 && j > 1 && shown[i - 1] == typed[j - 2] && shown[i - 2] == typed[j - 1] &&
                   d[i][j] == d[i - 2][j - 2] + 1) {
            i -= 2, j -= 2;
        } else if (i > 0 && j > 0 && d[i][j] == d[i - 1][j - 1] + 1) {
            const QChar t = typed[j - 1];
            if (t != QChar(otherMark)) {
                found.prepend({shown[i - 1].digitValue(),
                               t == QChar(emptyMark) ? RowComparison::emptyBox : t.digitValue()});
            }
            --i, --j;
        } else if (i > 0 && d[i][j] == d[i - 1][j] + 1) {
            --i;
        } else {
            --j;
        }
    }
    return found;
}

} // namespace

RowComparison RowComparison::of(const QString &shown, const QStringList &answers)
{
    RowComparison row;
    const qsizetype n = shown.size();
    const QString typed = typedRow(answers, n);
    if (typed == shown)
        return row;
    row.right = false;

    // The boxes left empty at the end are not part of what was recalled.
    qsizetype filled = n;
    while (filled > 0 && typed.at(filled - 1) == QChar(emptyMark))
        --filled;
    const QStringView kept = QStringView(typed).first(filled);
    const QStringView digits(shown);
    QList<qsizetype> differ;
    for (qsizetype i = 0; i < n; ++i) {
        if (typed.at(i) != shown.at(i))
            differ.append(i);
    }
    const bool crossed = differ.size() == 2 && typed.at(differ[0]) == shown.at(differ[1]) &&
                         typed.at(differ[1]) == shown.at(differ[0]);

    // In this order, so that the simplest reading wins: a row that is a swap is also two
    // replacements, and a swap it is.
    if (digits.startsWith(kept))
        row.kind = ErrorKind::EmptyEnd;
    else if (crossed)
        row.kind = differ[1] == differ[0] + 1 ? ErrorKind::NeighbourSwap : ErrorKind::DistantSwap;
    else if (differ.size() == 1)
        row.kind = ErrorKind::Replacement;
    else if ((filled == n - 1 && editDistance(digits, kept) == 1) ||
             (filled == n && editDistance(digits, kept.first(n - 1)) == 1))
        row.kind = ErrorKind::Omission; // the last box left empty, or a guess put in it
    else if (filled == n && editDistance(digits.first(n - 1), kept) == 1)
        row.kind = ErrorKind::Insertion;
    else
        row.kind = ErrorKind::Several;

    if (row.kind != ErrorKind::NeighbourSwap && row.kind != ErrorKind::DistantSwap)
        row.replaced = replacements(digits, kept);
    return row;
}

int RowComparison::editDistance(QStringView from, QStringView to)
{
    return distances(from, to).back().back();
}
