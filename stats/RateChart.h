#pragma once

#include <QChartView>

class ResultSeries;

// The rate over time: every result a point at the date and time it was saved, and the mean of
// the last ten results as a line.
class RateChart : public QChartView
{
    Q_OBJECT

public:
    explicit RateChart(QWidget *parent = nullptr);

    // seriesName names whose results these are, such as "5 桁".
    void showSeries(const ResultSeries &series, const QString &seriesName);
};
