// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>

// The fixed header row of a grid: cells in the button-face colour, their captions centred, and
// black lines between them, as a grid draws its fixed cells; beyond the last one the grid's dark
// grey, as under its last row.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
