// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

class DrillAnalysis;
class QBarCategoryAxis;
class QBarSet;

// The share of each kind of error among the wrong rows, a bar a kind, the first kind at the
// top, each named with its count.
class ErrorKindsChart : public QChartView
{
    Q_OBJECT

public:
    explicit ErrorKindsChart(QWidget *parent = nullptr);

    // digitCount 0 for every count together.
    void showKinds(const DrillAnalysis &analysis, int digitCount);

    QBarSet *shares() const { return m_shares; }
    QStringList kinds() const; // the bars' names, top first

private:
    QBarSet *m_shares = nullptr;
    QBarCategoryAxis *m_kinds = nullptr;
};
