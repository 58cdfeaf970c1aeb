// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/ResultSeries.h"

#include <QString>

// One row of the summary table: a digit count (or all of them) and its figures as shown.
struct SummaryRow
{
    QString digits;
    int results = 0;
    QString mean;
    QString best;
    QString lastWindowMean;
    QString firstDate;
    QString lastDate;

    static SummaryRow of(const QString &digits, const ResultSeries &series);

    friend bool operator==(const SummaryRow &, const SummaryRow &) = default;
};
