// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// The texts of the statistics window's figures.
namespace StatsText {

// A rate in tenths of a percent, rounded to a whole tenth (halves away from zero): "66.7%".
QString percent(double tenths);
// A date in full, as the history file writes it: "2024/04/01"; empty for no date.
QString date(QDate date);
// "5 桁"
QString digitCount(int digits);
// The entry for every digit count together.
QString allDigitCounts();
// "12 日"
QString days(int days);

} // namespace StatsText
