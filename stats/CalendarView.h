// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QWidget>

class CalendarGrid;
class QLabel;

// The page 練習カレンダー: the grid of the last 53 weeks, the chosen day's figures, and the runs
// of days and the totals below.
class CalendarView : public QWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit CalendarView(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    CalendarGrid *grid() const { return m_grid; }
    QLabel *chosenDay() const { return m_chosenDay; }
    QLabel *totals() const { return m_totals; }

private:
    CalendarGrid *m_grid = nullptr;
    QLabel *m_chosenDay = nullptr;
    QLabel *m_totals = nullptr;
};
