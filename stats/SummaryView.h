// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// The summary table: per digit count the number of results, the mean and best rates, the mean
// of the last ten, the first and last day; below it the days played and the current run.
class SummaryView : public QWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit SummaryView(QWidget *parent = nullptr);

    QString title() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;
    // The row of the chosen digit count is marked; with 0, the row of all counts.

    QTableWidget *table() const { return m_table; }
    QLabel *days() const { return m_days; }

private:
    QTableWidget *m_table = nullptr;
    QLabel *m_days = nullptr;
};
