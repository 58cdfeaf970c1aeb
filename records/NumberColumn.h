// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTableView;

// The width of the history table's numbering column 回. Up to 99,999 records every column keeps
// its width as laid out (the numbers from 10,000 on are drawn narrower to fit). Beyond, the
// column grows to show the largest number whole at the table's own width, taking what it needs
// from 成績詳細, whose fifteen marks leave room to spare: the eight columns still fill the table
// as before, without a horizontal scroll bar.
class NumberColumn
{
public:
    // The most records for which every column keeps its width as laid out.
    static constexpr int designedRecords = 99999;

    // Sets the widths of columns 0 and 3 for a table of this many records.
    static void fit(QTableView &grid, int recordCount);
};
