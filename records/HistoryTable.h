// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class HistoryModel;
class QTableView;

// The history table msgRireki as the player sees it: its layout, and the newest record kept in
// view and current.
class HistoryTable
{
public:
    HistoryTable(QTableView &grid, HistoryModel &model) : m_grid(grid), m_model(model) {}

    // Lays out the table on the model, with its header row only.
    void setUp();
    // After records came or went: the newest record current and, once the table is on screen
    // and has more rows than it shows at once, scrolled into view.
    void showNewest();
    // The newest record scrolled into view, as showNewest() does.
    void scrollToNewest();

private:
    void makeNewestCurrent();

    QTableView &m_grid;
    HistoryModel &m_model;
};
