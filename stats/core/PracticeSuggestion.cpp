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
    suggestion.reason =
        QStringLiteral("%1で全問正解になる見込みは %2 で、力の伸びやすい %3 に最も近い桁数です。")
            .arg(StatsText::digitCount(suggestion.digitCount),
                 StatsText::percent(estimate.successAt(suggestion.digitCount) * 1000),
                 StatsText::percent(targetSuccess * 1000));
    return suggestion;
}
