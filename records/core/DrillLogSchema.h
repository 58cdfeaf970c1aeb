// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct sqlite3;

// The tables of the drill log, as docs/drill-log.md describes them: making them, upgrading an
// older version in place, and telling whether a file holds them. Each function returns SQLite's
// result code.
namespace DrillLogSchema {

// The version of the tables this program writes.
constexpr int version = 1;

// The version of the tables the file says it holds (its user_version); 0 for none yet.
int userVersion(sqlite3 *db, int *version);

// SQLite's own check of the whole file; ok tells whether it found nothing wrong.
int quickCheck(sqlite3 *db, bool *ok);

// Whether the file's tables are those its version says: at version 0 none of the log's tables
// may be there yet; at this program's version both must have exactly its columns.
int hasShape(sqlite3 *db, int fileVersion, bool *same);

// Takes the tables from the file's version to this program's, in place and in one transaction:
// the file is upgraded whole or not at all.
int upgrade(sqlite3 *db);

} // namespace DrillLogSchema
