// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/LoggedDrill.h"

#include <QByteArrayView>
#include <QList>

#include <optional>

struct sqlite3;

// The drills of the drill log as rows of its tables (DrillLogSchema): one of drill, one of
// entry per box. Rows are read back only as far as they make sense (LoggedDrill::makesSense);
// the others are counted and never trusted. Each function returns SQLite's result code.
namespace DrillLogRows {

// Writes the drill, in one transaction.
int insert(sqlite3 *db, const LoggedDrill &drill);

// Every drill in the order of saving, those that make sense for a history of historyLines lines
// in drills, the others counted in skipped.
int readAll(sqlite3 *db, qint64 historyLines, QList<LoggedDrill> *drills, qint64 *skipped);

// The newest drill saved as the history line at lineNumber with these bytes (without the line
// end), when it makes sense; nothing otherwise.
int readLine(sqlite3 *db, qint64 lineNumber, QByteArrayView lineBytes,
             std::optional<LoggedDrill> *drill);

} // namespace DrillLogRows
