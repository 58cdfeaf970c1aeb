// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/DrillAnalysis.h"

#include "base/DrillResult.h"
#include "stats/core/RowComparison.h"

#include <numeric>

void DrillAnalysis::add(const DrillResult &result)
{
    ++m_drills;
    const int n = result.digitCount;
    if (n < 1 || n > DigitSlots::count || result.shown.size() != n || result.answers.size() != n) {
        ++m_withoutDetails;
        return;
    }
    ++m_withDetails[0];
    ++m_withDetails[static_cast<size_t>(n)];
    const RowComparison row = RowComparison::of(result.shown, result.answers);
    if (row.right) {
        m_timing.add(result);
        return;
    }
    const auto kind = static_cast<size_t>(row.kind);
    ++m_errors[0][kind];
    ++m_errors[static_cast<size_t>(n)][kind];
    for (qsizetype i = 0; i < n; ++i)
        m_wrongPositions += result.answers.at(i) != QStringView(result.shown).mid(i, 1);
    for (const RowComparison::Replaced &replaced : row.replaced)
        m_confusion.add(replaced.shown, replaced.typed);
}

int DrillAnalysis::withDetails(int digitCount) const
{
    if (digitCount < 0 || digitCount > DigitSlots::count)
        return 0;
    return m_withDetails[static_cast<size_t>(digitCount)];
}

int DrillAnalysis::wrongRows(int digitCount) const
{
    if (digitCount < 0 || digitCount > DigitSlots::count)
        return 0;
    const auto &kinds = m_errors[static_cast<size_t>(digitCount)];
    return std::accumulate(kinds.begin(), kinds.end(), 0);
}

int DrillAnalysis::errors(ErrorKind kind, int digitCount) const
{
    if (digitCount < 0 || digitCount > DigitSlots::count)
        return 0;
    return m_errors[static_cast<size_t>(digitCount)][static_cast<size_t>(kind)];
}

ErrorKind DrillAnalysis::commonError(int digitCount) const
{
    ErrorKind common = ErrorKind::Several;
    int most = 0;
    for (int k = 0; k < ErrorKinds::count; ++k) {
        const auto kind = static_cast<ErrorKind>(k);
        if (errors(kind, digitCount) > most) {
            most = errors(kind, digitCount);
            common = kind;
        }
    }
    return common;
}
