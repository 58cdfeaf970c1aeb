// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

class QBarCategoryAxis;
class QBarSet;
class ResultSeries;

// Accuracy by position for one digit count: for positions 1 to n, the share of ○ among the
// results of n digits, as bars. Its shape is the serial-position curve: memory is best at the
// start and the end of a row and weakest in the middle.
class PositionChart : public QChartView
{
    Q_OBJECT

public:
    explicit PositionChart(QWidget *parent = nullptr);

    void showSeries(const ResultSeries &series, int digitCount);

    QBarSet *shares() const { return m_shares; }

private:
    QBarSet *m_shares = nullptr;
    QBarCategoryAxis *m_x = nullptr;
};
