// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QChartView>

class QCategoryAxis;
class QLineSeries;
class ResultSeries;

// The rate over time: every result a point at the date and time it was saved, and the mean of
// the last ten results as a line. The chart and its series are made once and refilled, which
// is far cheaper than a new chart for every saved result.
class RateChart : public QChartView, public StatsPage
{
    Q_OBJECT

public:
    explicit RateChart(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    // seriesName names whose results these are, such as "5 桁".
    void showSeries(const ResultSeries &series, const QString &seriesName);

    QLineSeries *points() const { return m_points; }
    QCategoryAxis *timeAxis() const { return m_x; }

private:
    QLineSeries *m_points = nullptr;
    QLineSeries *m_average = nullptr;
    QCategoryAxis *m_x = nullptr;
};
