// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/RecallTiming.h"

#include "base/AnswerCheck.h"
#include "base/DrillResult.h"

#include <algorithm>

namespace {

// A group boundary lies before an entry whose wait (the time since the entry before it) is at
// least half as long again as the row's usual wait and at least 150 ms longer. Within a group a
// player types at an even pace that varies by about a quarter from key to key; fetching the next
// group from memory adds a pause of its own of a few hundred milliseconds. Half as much again
// lies clear of the first and within the second; the 150 ms keep a quick typist's jitter (a pace
// of 200 ms varying by 60) from counting as pauses. The usual wait is the lower median of the
// row's waits: in a row of groups of two or more at most half the waits are pauses, so the lower
// median is always a wait within a group. The first entry's time, from the boxes opening, holds
// finding the first box as well and is no wait between entries.
constexpr double pauseRatio = 1.5;
constexpr qint64 pauseMarginMs = 150;

bool usable(const DrillResult &result)
{
    const int n = result.digitCount;
    if (n < 1 || n > DigitSlots::count || result.shown.size() != n || result.answers.size() != n ||
        result.entryMs.size() != n)
        return false;
    for (int i = 0; i < n; ++i) {
        if (!isRightAnswer(result.answers.at(i), result.shown.mid(i, 1)))
            return false;
        if (result.entryMs.at(i) < 0 || (i > 0 && result.entryMs.at(i) < result.entryMs.at(i - 1)))
            return false;
        if (i < result.refills.size() && result.refills.at(i) > 0)
            return false;
    }
    return true;
}

} // namespace

QList<int> RecallTiming::groupsOf(const QList<qint64> &entryMs)
{
    const qsizetype n = entryMs.size();
    if (n < 3) // one wait or none: nothing to compare it with
        return n > 0 ? QList<int>{static_cast<int>(n)} : QList<int>{};
    QList<qint64> waits;
    for (qsizetype i = 1; i < n; ++i)
        waits.append(entryMs.at(i) - entryMs.at(i - 1));
    QList<qint64> sorted = waits;
    std::sort(sorted.begin(), sorted.end());
    const qint64 usual = sorted.at((sorted.size() - 1) / 2);
    QList<int> groups;
    int size = 1;
    for (qsizetype i = 0; i < waits.size(); ++i) {
        const qint64 wait = waits.at(i);
        if (wait >= pauseRatio * static_cast<double>(usual) && wait >= usual + pauseMarginMs) {
            groups.append(size);
            size = 1;
        } else {
            ++size;
        }
    }
    groups.append(size);
    return groups;
}

bool RecallTiming::add(const DrillResult &result)
{
    if (!usable(result))
        return false;
    OfDigitCount &of = m_byDigitCount[static_cast<size_t>(result.digitCount)];
    ++of.rows;
    for (int i = 0; i < result.digitCount; ++i)
        of.sumsMs[static_cast<size_t>(i)] += static_cast<double>(result.entryMs.at(i));
    ++of.groupings[groupsOf(result.entryMs)];
    return true;
}

int RecallTiming::rows(int digitCount) const
{
    if (digitCount < 1 || digitCount > DigitSlots::count)
        return 0;
    return m_byDigitCount[static_cast<size_t>(digitCount)].rows;
}

double RecallTiming::meanEntryMs(int digitCount, int position) const
{
    const int n = rows(digitCount);
    if (n == 0 || position < 1 || position > digitCount)
        return 0;
    return m_byDigitCount[static_cast<size_t>(digitCount)]
               .sumsMs[static_cast<size_t>(position - 1)] /
           n;
}

RecallTiming::Grouping RecallTiming::commonGrouping(int digitCount) const
{
    Grouping common;
    if (rows(digitCount) == 0)
        return common;
    for (const auto &[groups, rows] : m_byDigitCount[static_cast<size_t>(digitCount)].groupings) {
        if (rows > common.rows || (rows == common.rows && groups.size() < common.groups.size())) {
            common.groups = groups;
            common.rows = rows;
        }
    }
    return common;
}
