// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QStackedWidget>

class QLabel;
class QTableWidget;

// The page 迷いやすい数字: the digits shown (rows, 0 to 8) against what was typed in their place
// (columns, 0 to 9 and an empty box), as a grid shaded by how often, the count in each cell's
// tooltip and accessible text; of the chosen display time, every digit count together.
class ConfusionPage : public QStackedWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit ConfusionPage(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    QTableWidget *grid() const { return m_grid; }
    QLabel *caption() const { return m_caption; }
    // Under the grid: the wrong positions the grid leaves out (swaps, shifts, other text).
    QLabel *leftOut() const { return m_leftOut; }

private:
    QLabel *m_hint = nullptr;
    QWidget *m_content = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_leftOut = nullptr;
    QTableWidget *m_grid = nullptr;
};
