// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/LoggedDrill.h"

#include <QByteArray>
#include <QList>

// The drill log as a CSV file for a spreadsheet, one row per drill after a header row: UTF-8
// with a byte order mark (without it a spreadsheet takes the texts for the local code page),
// every line ended by CR LF. The columns are those of the log's tables (docs/drill-log.md),
// the boxes' side by side: shown_1, answer_1, correct_1, entry_ms_1, refills_1, then slot 2 and
// on to slot 15, empty beyond the drill's digit count. Times are in milliseconds; a time the
// log does not hold is an empty cell.
namespace DrillLogCsv {

QByteArray bytes(const QList<LoggedDrill> &drills);

} // namespace DrillLogCsv
