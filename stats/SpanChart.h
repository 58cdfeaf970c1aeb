// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

class QLineSeries;
class QScatterSeries;
class SpanEstimate;
class SpanTally;
class QValueAxis;

// The share of whole rows right at each digit count tried, with the fitted curve and the 50 %
// line where it crosses the span: the estimate made visible.
class SpanChart : public QChartView
{
    Q_OBJECT

public:
    explicit SpanChart(QWidget *parent = nullptr);

    void showSpan(const SpanTally &tally, const SpanEstimate &estimate);

    QScatterSeries *shares() const { return m_shares; }
    QLineSeries *curve() const { return m_curve; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QValueAxis *m_y = nullptr;
    QScatterSeries *m_shares = nullptr;
    QLineSeries *m_curve = nullptr;
    QLineSeries *m_half = nullptr;
};
