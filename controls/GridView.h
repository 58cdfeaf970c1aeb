// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

// A table drawn as a grid with one fixed row (the header, GridHeader) and one fixed column, the
// first: the lines around the fixed column's cells are black like the header's, and the area
// beyond the last row and column is dark grey rather than the window colour of the cells.
class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The part of the viewport the cells cover, in its coordinates.
    QRect cellsArea() const;
};
