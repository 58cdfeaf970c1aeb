// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SpanTrendChart.h"

#include "stats/ChartLook.h"
#include "stats/core/DateTicks.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// A week at its middle, Thursday noon, so that its point sits inside the week on the axis.
qreal weekX(QDate monday)
{
    return static_cast<qreal>(QDateTime(monday.addDays(3), QTime(12, 0)).toMSecsSinceEpoch());
}

} // namespace

SpanTrendChart::SpanTrendChart(QWidget *parent) : QChartView(parent)
{
    ChartLook::setUpView(this);

    QChart *chart = this->chart();
    m_low = new QLineSeries(this);
    m_high = new QLineSeries(this);
    m_band = new QAreaSeries(m_high, m_low);
    m_band->setName(QStringLiteral("95% 区間"));
    m_spans = new QLineSeries;
    m_spans->setName(QStringLiteral("週ごとの推定スパン"));
    m_spans->setPointsVisible(true);
    chart->addSeries(m_band);
    chart->addSeries(m_spans);

    m_x = ChartLook::timeAxis();
    m_x->setTitleText(QStringLiteral("週"));
    m_y = new QValueAxis;
    m_y->setTitleText(QStringLiteral("推定スパン（桁）"));
    m_y->setLabelFormat(QStringLiteral("%.0f"));
    ChartLook::addAxes(chart, m_x, m_y);
}

void SpanTrendChart::showWeeks(const QList<WeekSpan> &weeks)
{
    const QPalette pal = palette();
    QColor band = pal.color(QPalette::Highlight);
    band.setAlpha(70);
    m_band->setBrush(band);
    m_band->setPen(Qt::NoPen);
    m_spans->setPen(QPen(pal.color(QPalette::WindowText), 2));

    QList<QPointF> spans, low, high;
    double bottom = SpanTally::maxDigits, top = 1;
    for (const WeekSpan &week : weeks) {
        const qreal x = weekX(week.monday);
        spans.append(QPointF(x, week.estimate.span()));
        low.append(QPointF(x, week.estimate.low()));
        high.append(QPointF(x, week.estimate.high()));
        bottom = std::min(bottom, week.estimate.low());
        top = std::max(top, week.estimate.high());
    }
    m_spans->replace(spans);
    m_low->replace(low);
    m_high->replace(high);

    if (!weeks.isEmpty()) {
        // From the Monday of the first week to the Monday after the last, on whole weeks or
        // months.
        ChartLook::setTimeTicks(
            m_x, DateTicks::of(QDateTime(weeks.constFirst().monday, QTime(0, 0)),
                               QDateTime(weeks.constLast().monday.addDays(7), QTime(0, 0))));
    }
    // Whole digits on the axis: a tick a digit, or every second one over a wide range.
    const int from = std::max(0, static_cast<int>(std::floor(bottom)) - 1);
    int to = static_cast<int>(std::ceil(top)) + 1;
    const int step = to - from > 10 ? 2 : 1;
    to += (to - from) % step;
    m_y->setRange(from, to);
    m_y->setTickCount((to - from) / step + 1);
    ChartLook::apply(chart(), pal, font());
}
