// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
class ResultSeries;

// The rate over time: every result a point at the date and time it was saved, and the mean of
// the last ten results as a line. The chart and its series are made once and refilled, which
// is far cheaper than a new chart for every saved result.
class RateChart : public QChartView
{
    Q_OBJECT

public:
    explicit RateChart(QWidget *parent = nullptr);

    // seriesName names whose results these are, such as "5 桁".
    void showSeries(const ResultSeries &series, const QString &seriesName);

    QLineSeries *points() const { return m_points; }

private:
    QLineSeries *m_points = nullptr;
    QLineSeries *m_average = nullptr;
    QDateTimeAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
};
