// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/WeekSpan.h"

#include <QChartView>
#include <QList>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

// The span estimate week by week: a line through each week's estimate and a band of its 95 %
// interval, so the player sees the number move.
class SpanTrendChart : public QChartView
{
    Q_OBJECT

public:
    explicit SpanTrendChart(QWidget *parent = nullptr);

    void showWeeks(const QList<WeekSpan> &weeks);

    QLineSeries *spans() const { return m_spans; }

private:
    QLineSeries *m_spans = nullptr;
    QLineSeries *m_low = nullptr;
    QLineSeries *m_high = nullptr;
    QAreaSeries *m_band = nullptr;
    QCategoryAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
};
