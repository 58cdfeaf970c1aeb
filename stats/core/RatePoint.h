// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// One result on the rate-over-time chart: when it was saved, its rate, and the mean rate of the
// last ten results of the same series up to and including it.
struct RatePoint
{
    qint64 msecsSinceEpoch = 0; // the saved local date and time
    double ratePercent = 0;
    double averagePercent = 0;
};
