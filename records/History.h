// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryContents.h"

#include <QList>
#include <QString>

class Clock;
class HistoryFile;
class HistoryModel;
class QTableView;
class QWidget;
struct DrillResult;

// The history file and the history table msgRireki: laying out the table, loading the file into
// it at start-up, saving a result and clearing the history. File and table always agree: a
// record reaches the table only once its line is on disk, and the table is emptied only once the
// file is. It works on the table and on the window that parents its message boxes, and records
// the results it is handed, never reading the drill's controls.
class History
{
public:
    History(QTableView &msgRireki, QWidget &form, HistoryFile &file, Clock &clock);

    // Lays out the history table with its header row only.
    void InitRireki();
    // Loads the history file into the table and scrolls to the newest record. Returns false
    // with a message for the player when the file is missing or cannot be read.
    bool LoadHistory(QString *error);
    // The Click of cmdHozon, also called after scoring when auto-save is on: appends a scored
    // result, exactly as it was scored, to the file and the table.
    void Save(const DrillResult &result);
    // The Click of cmdClear: empties the file and the table after the player confirms.
    void ClearHistory();

    // The window is on screen for the first time: the table has its size and can scroll, and the
    // player is told of lines the table left out.
    void tableShown();

    HistoryModel &model() { return *m_model; }

    // What the player is told of the lines of the file the table left out; empty when none.
    QString skippedLinesText() const;

private:
    void takeContents(HistoryContents &&contents);
    // Before the file is written: when another program changed it since it was loaded, the
    // player is told and the table loaded again, so that it shows what the file holds before
    // `next` ("保存", "クリア") goes on. Returns false, having shown the failure with consequence
    // (under errorTitle, or the usual title of a failed write), when the file cannot be read.
    bool followFileChanges(const QString &next, const QString &consequence,
                           const QString &errorTitle = QString());
    void leaveCurrentAtLastCell();
    void applyScrollRule();

    QTableView &m_grid;
    QWidget &m_form;
    HistoryFile &m_file;
    Clock &m_clock;
    HistoryModel *m_model = nullptr; // owned by the table
    QList<qint64> m_skippedLines;    // of the file as loaded: see HistoryContents
    qint64 m_skippedCount = 0;
};
