// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SpanChart.h"

#include "stats/ChartLook.h"
#include "stats/core/SpanEstimate.h"

#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

SpanChart::SpanChart(QWidget *parent) : QChartView(parent)
{
    ChartLook::setUpView(this);

    QChart *chart = this->chart();
    m_shares = new QScatterSeries;
    m_shares->setName(QStringLiteral("全問正解の割合"));
    m_shares->setMarkerSize(9);
    m_curve = new QLineSeries;
    m_curve->setName(QStringLiteral("当てはめた曲線"));
    m_half = new QLineSeries;
    m_half->setName(QStringLiteral("50%"));
    chart->addSeries(m_half);
    chart->addSeries(m_curve);
    chart->addSeries(m_shares);

    auto *x = new QValueAxis;
    x->setTitleText(QStringLiteral("問題数（桁）"));
    x->setRange(0.5, SpanTally::maxDigits + 0.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(1);
    x->setLabelFormat(QStringLiteral("%d"));
    m_y = ChartLook::percentAxis(QString(), 4); // its title as the chart's height allows
    ChartLook::addAxes(chart, x, m_y);
    m_half->append({QPointF(0.5, 50), QPointF(SpanTally::maxDigits + 0.5, 50)});
}

void SpanChart::showSpan(const SpanTally &tally, const SpanEstimate &estimate)
{
    const QPalette pal = palette();
    m_shares->setColor(pal.color(QPalette::Highlight));
    m_shares->setBorderColor(pal.color(QPalette::Highlight));
    m_curve->setPen(QPen(pal.color(QPalette::WindowText), 2));
    m_half->setPen(QPen(pal.color(QPalette::Mid), 1, Qt::DashLine));

    QList<QPointF> shares;
    for (int n = 1; n <= SpanTally::maxDigits; ++n) {
        if (tally.tries(n) > 0)
            shares.append(QPointF(n, 100.0 * tally.wholes(n) / tally.tries(n)));
    }
    m_shares->replace(shares);

    QList<QPointF> curve;
    if (estimate.isValid()) {
        for (int step = 0; step <= 10 * SpanTally::maxDigits; ++step) {
            const double n = 0.5 + step / 10.0;
            curve.append(QPointF(n, 100 * estimate.successAt(n)));
        }
    }
    m_curve->replace(curve);
    ChartLook::apply(chart(), pal, font());
    // The legend names only what is drawn: no fitted curve before there is an estimate.
    for (QLegendMarker *marker : chart()->legend()->markers(m_curve))
        marker->setVisible(estimate.isValid());
}

void SpanChart::resizeEvent(QResizeEvent *event)
{
    // A short chart (the window below the main window on a small screen) labels 0, 50 and 100
    // only and leaves out the axis's title, which the legend says too: a title or labels taller
    // than the plot make the chart cut every label to "…".
    const bool low = height() < 15 * fontMetrics().height();
    m_y->setTickInterval(low ? 50 : 20);
    m_y->setTitleText(low ? QString() : QStringLiteral("全問正解の割合（%）"));
    QChartView::resizeEvent(event);
}
