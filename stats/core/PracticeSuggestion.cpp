// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/PracticeSuggestion.h"

#include "stats/core/SpanEstimate.h"
#include "stats/core/StatsText.h"

#include <cmath>

PracticeSuggestion PracticeSuggestion::of(const SpanTally &tally, const SpanEstimate &estimate,
                                          int newestDigitCount)
{
    PracticeSuggestion suggestion;
    if (!estimate.isValid()) {
        suggestion.digitCount = newestDigitCount;
        if (newestDigitCount > 0) {
            suggestion.reason =
                QStringLiteral("推定スパンがまだ出せないため、最後に練習した %1のままにします。")
                    .arg(StatsText::digitCount(newestDigitCount));
        }
        return suggestion;
    }
    double nearest = 2;
    for (int n = 1; n <= SpanTally::maxDigits; ++n) {
        const double distance = std::abs(estimate.successAt(n) - targetSuccess);
        if (distance < nearest) {
            nearest = distance;
            suggestion.digitCount = n;
        }
    }
    // Said as the player meets it: how many rows in ten come back whole at that count, and how
    // many did so far.
    const int n = suggestion.digitCount;
    const QString sofar = tally.tries(n) > 0 ? QStringLiteral("（これまで %1 回のうち %2 回）")
                                                   .arg(tally.tries(n))
                                                   .arg(tally.wholes(n))
                                             : QString();
    suggestion.reason = QStringLiteral("%1なら 10 回に約 %2 回、全問正解できる見込みです%3。"
                                       "少し難しいくらいのこの問題数で、いちばん力が伸びます。")
                            .arg(StatsText::digitCount(n))
                            .arg(std::lround(estimate.successAt(n) * 10))
                            .arg(sofar);
    return suggestion;
}
