// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class HistoryStats;
class QDate;
class QLabel;
class QTableWidget;

// The summary table: per digit count the number of results, the mean and best rates, the mean
// of the last ten, the first and last day; below it the days played and the current run.
class SummaryView : public QWidget
{
    Q_OBJECT

public:
    explicit SummaryView(QWidget *parent = nullptr);

    // digitCount is the row to mark as chosen; 0 marks the row of all counts.
    void showStats(const HistoryStats &stats, int digitCount, QDate today);

    QTableWidget *table() const { return m_table; }
    QLabel *days() const { return m_days; }

private:
    QTableWidget *m_table = nullptr;
    QLabel *m_days = nullptr;
};
