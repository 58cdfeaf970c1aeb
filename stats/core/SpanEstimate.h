// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/SpanTally.h"

#include <QString>

// The player's digit span: the digit count at which the whole row comes back right half of the
// time. The chance of a whole row right is fitted as a logistic function of the digit count,
// p(n) = 1 / (1 + e^-(a + b·n)), by maximum likelihood over every result (not only the longest
// row ever right, which says more about luck than about span); the span is n where p(n) = 0.5,
// that is -a / b.
//
// The 95 % interval is the profile-likelihood interval: the spans whose best fit (over the
// slope) lies within 3.84 (χ² with one degree of freedom) of the best fit of all, in deviance.
// Unlike the usual ± 1.96 standard errors, it is lopsided where the data are, and it needs no
// random numbers, so the same history always shows the same figures.
class SpanEstimate
{
public:
    // The least a history must hold for an estimate: results, and digit counts among them.
    static constexpr int minResults = 20;
    static constexpr int minDigitCounts = 2;

    static SpanEstimate of(const SpanTally &tally);

    bool isValid() const { return m_missing.isEmpty(); }
    // Why there is no estimate, one sentence for the player; empty when there is one.
    QString missing() const { return m_missing; }

    double span() const { return m_span; }
    double low() const { return m_low; }
    double high() const { return m_high; }
    // The fitted chance of the whole row right at a digit count, 0 to 1.
    double successAt(double digitCount) const;

private:
    QString m_missing;
    double m_intercept = 0; // a
    double m_slope = 0;     // b, negative: longer rows are harder
    double m_span = 0;
    double m_low = 0;
    double m_high = 0;
};
