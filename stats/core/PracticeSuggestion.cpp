// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/PracticeSuggestion.h"

#include "stats/core/SpanEstimate.h"
#include "stats/core/StatsText.h"

#include <cmath>

PracticeSuggestion PracticeSuggestion::of(const SpanEstimate &estimate, int newestDigitCount)
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
    // Said as the player meets it: how many rows in ten come back whole at that count.
    const double chance = estimate.successAt(suggestion.digitCount);
    suggestion.reason =
        QStringLiteral("%1なら 10 回のうち約 %2 回は全問正解できる見込みで、易しすぎず"
                       "難しすぎない、力のいちばん伸びる桁数です。")
            .arg(StatsText::digitCount(suggestion.digitCount))
            .arg(std::lround(chance * 10));
    return suggestion;
}
