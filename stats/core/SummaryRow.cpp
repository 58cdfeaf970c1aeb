// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/SummaryRow.h"

#include "stats/core/StatsText.h"

SummaryRow SummaryRow::of(const QString &digits, const ResultSeries &series)
{
    return {digits,
            series.results(),
            StatsText::percent(series.meanTenths()),
            StatsText::percent(series.bestTenths()),
            StatsText::percent(series.lastWindowMeanTenths()),
            StatsText::date(series.firstDate()),
            StatsText::date(series.lastDate())};
}
