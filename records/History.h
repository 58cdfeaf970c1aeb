// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/HistoryTable.h"
#include "records/MessageBoxPrompt.h"

#include <QString>
#include <memory>

class Clock;
class HistoryFile;
class HistoryModel;
class HistoryStore;
class QTableView;
class QWidget;
struct DrillResult;

// The history's handlers: laying out the table msgRireki, loading the file into it at start-up,
// saving a result and clearing the history. The file and the table's model are kept in step by
// the history store; the table shows the newest record; the player is told and asked through
// message boxes over the window. It records the results it is handed, never reading the drill's
// controls.
class History
{
public:
    History(QTableView &msgRireki, QWidget &form, HistoryFile &file, Clock &clock);
    ~History();

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

    HistoryModel &model();
    HistoryStore &store() { return *m_store; }

private:
    QWidget &m_form;
    MessageBoxPrompt m_prompt;
    std::unique_ptr<HistoryStore> m_store;
    HistoryTable m_table;
};
