// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/SpanEstimate.h"

#include <cmath>
#include <optional>

namespace {

constexpr double chiSquare95 = 3.841458820694124; // one degree of freedom
// Spans are looked for within these digit counts: beyond them the fit says nothing useful
// about a drill of 1 to 15 digits.
constexpr double lowestSpan = 0;
constexpr double highestSpan = 20;
// A slope this steep means the results split cleanly by digit count: the likelihood keeps
// growing as the slope does, and there is no finite fit.
constexpr double steepestSlope = 25;

double logistic(double x)
{
    return 1 / (1 + std::exp(-x));
}

// log σ(x), without overflow for large |x|.
double logLogistic(double x)
{
    return x > 0 ? -std::log1p(std::exp(-x)) : x - std::log1p(std::exp(x));
}

// The log-likelihood of the results when the chance at digit count n is σ(η(n)).
template <typename Eta> double logLikelihood(const SpanTally &tally, Eta eta)
{
    double sum = 0;
    for (int n = 1; n <= SpanTally::maxDigits; ++n) {
        const int tries = tally.tries(n);
        if (tries == 0)
            continue;
        const int wholes = tally.wholes(n);
        const double e = eta(n);
        sum += wholes * logLogistic(e) + (tries - wholes) * logLogistic(-e);
    }
    return sum;
}

struct Fit
{
    double a = 0;
    double b = 0;
    double logLikelihood = 0;
};

// Newton's method on (a, b), halving a step that would lower the likelihood; empty when it runs
// off (results separated by digit count) or does not settle.
std::optional<Fit> fitLogistic(const SpanTally &tally)
{
    Fit fit;
    auto ll = [&tally](double a, double b) {
        return logLikelihood(tally, [a, b](int n) { return a + b * n; });
    };
    fit.logLikelihood = ll(0, 0);
    for (int iteration = 0; iteration < 100; ++iteration) {
        double ga = 0, gb = 0, haa = 0, hab = 0, hbb = 0;
        for (int n = 1; n <= SpanTally::maxDigits; ++n) {
            const int tries = tally.tries(n);
            if (tries == 0)
                continue;
            const double p = logistic(fit.a + fit.b * n);
            const double residual = tally.wholes(n) - tries * p;
            const double weight = tries * p * (1 - p);
            ga += residual;
            gb += residual * n;
            haa += weight;
            hab += weight * n;
            hbb += weight * n * n;
        }
        const double det = haa * hbb - hab * hab;
        if (!(det > 1e-12))
            return std::nullopt;
        double da = (hbb * ga - hab * gb) / det;
        double db = (haa * gb - hab * ga) / det;
        double next = ll(fit.a + da, fit.b + db);
        for (int halving = 0; halving < 30 && next < fit.logLikelihood; ++halving) {
            da /= 2;
            db /= 2;
            next = ll(fit.a + da, fit.b + db);
        }
        fit.a += da;
        fit.b += db;
        // Settled by the step, not the likelihood: with thousands of results the likelihood's
        // own rounding is larger than any sensible threshold on its change.
        const bool settled = std::abs(da) + std::abs(db) < 1e-9;
        fit.logLikelihood = std::max(next, fit.logLikelihood);
        if (std::abs(fit.b) > steepestSlope)
            return std::nullopt;
        if (settled)
            return fit;
    }
    return std::nullopt;
}

// The best log-likelihood of the fits whose span is mu, over their slope: p(n) = σ(s·(mu − n)).
// Concave in s, so Newton's method finds it; it starts from the slope of a neighbouring span
// and leaves the best slope there for the next.
double profileLogLikelihood(const SpanTally &tally, double mu, double &slope)
{
    double &s = slope;
    auto ll = [&tally, mu](double s) {
        return logLikelihood(tally, [mu, s](int n) { return s * (mu - n); });
    };
    double current = ll(s);
    for (int iteration = 0; iteration < 60; ++iteration) {
        double g = 0, h = 0;
        for (int n = 1; n <= SpanTally::maxDigits; ++n) {
            const int tries = tally.tries(n);
            if (tries == 0)
                continue;
            const double d = mu - n;
            const double p = logistic(s * d);
            g += d * (tally.wholes(n) - tries * p);
            h += tries * d * d * p * (1 - p);
        }
        if (!(h > 1e-12))
            break;
        double step = g / h;
        double next = ll(s + step);
        for (int halving = 0; halving < 30 && next < current; ++halving) {
            step /= 2;
            next = ll(s + step);
        }
        if (next < current)
            break;
        s += step;
        const bool settled = std::abs(step) < 1e-9;
        current = next;
        if (settled)
            break;
    }
    return current;
}

// The end of the interval on one side of the span (direction -1 or +1): where the profile's
// deviance reaches the 95 % point. Empty when it does not within the digit counts looked at.
std::optional<double> intervalEnd(const SpanTally &tally, const Fit &fit, double span,
                                  int direction)
{
    double slope = -fit.b;
    auto deviance = [&](double mu) {
        return 2 * (fit.logLikelihood - profileLogLikelihood(tally, mu, slope));
    };
    constexpr double stride = 0.25;
    double inside = span;
    double outside = span;
    for (;;) {
        outside = inside + direction * stride;
        if (outside < lowestSpan || outside > highestSpan)
            return std::nullopt;
        if (deviance(outside) > chiSquare95)
            break;
        inside = outside;
    }
    for (int i = 0; i < 24; ++i) { // to a few millionths of a digit
        const double middle = (inside + outside) / 2;
        (deviance(middle) > chiSquare95 ? outside : inside) = middle;
    }
    return (inside + outside) / 2;
}

} // namespace

SpanEstimate SpanEstimate::of(const SpanTally &tally)
{
    SpanEstimate estimate;
    QString &missing = estimate.m_missing;
    if (tally.results() == 0) {
        missing = QStringLiteral("この表示時間の結果はまだありません。");
    } else if (tally.results() < minResults) {
        missing =
            QStringLiteral("あと %1 回練習すると推定できます。").arg(minResults - tally.results());
    } else if (tally.digitCountsTried() < minDigitCounts) {
        missing = QStringLiteral("ほかの問題数でも練習すると推定できます。");
    } else if (tally.wholeResults() == 0) {
        missing = QStringLiteral("問題数を減らして全問正解すると推定できます。");
    } else if (tally.wholeResults() == tally.results()) {
        missing = QStringLiteral("問題数を増やして練習すると推定できます。"
                                 "今はどの結果も全問正解です。");
    }
    if (!missing.isEmpty())
        return estimate;

    const std::optional<Fit> fit = fitLogistic(tally);
    if (!fit) {
        missing = QStringLiteral("全問正解とそうでない結果が桁数ではっきり分かれているため、"
                                 "境目の桁数でもう少し練習すると推定できます。");
        return estimate;
    }
    const double span = -fit->a / fit->b;
    if (fit->b >= 0 || span < lowestSpan || span > highestSpan) {
        missing = QStringLiteral(
            "桁数が増えても全問正解の割合が下がっていないため、まだ推定できません。");
        return estimate;
    }
    const std::optional<double> low = intervalEnd(tally, *fit, span, -1);
    const std::optional<double> high = intervalEnd(tally, *fit, span, +1);
    if (!low || !high) {
        missing =
            QStringLiteral("結果のばらつきがまだ大きいため、もう少し練習すると推定できます。");
        return estimate;
    }
    estimate.m_intercept = fit->a;
    estimate.m_slope = fit->b;
    estimate.m_span = span;
    estimate.m_low = *low;
    estimate.m_high = *high;
    return estimate;
}

double SpanEstimate::successAt(double digitCount) const
{
    return logistic(m_intercept + m_slope * digitCount);
}
