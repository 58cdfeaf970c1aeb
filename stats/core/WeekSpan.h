// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/SpanEstimate.h"

#include <QDate>

// The span estimate of the results of one calendar week, Monday to Sunday.
struct WeekSpan
{
    QDate monday;
    SpanEstimate estimate;
};
