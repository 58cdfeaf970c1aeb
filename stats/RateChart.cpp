// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/RateChart.h"

#include "stats/ChartLook.h"
#include "stats/core/DateTicks.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/ResultSeries.h"
#include "stats/core/StatsText.h"

#include <QCategoryAxis>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <QtMath>

#include <algorithm>

namespace {

constexpr qreal markerSize = 6;
// Room above 100 % and below 0 %, so that the points there are drawn whole.
constexpr double rateRoom = 4;

QImage markerImage(const QColor &color, qreal size)
{
    const int pixels = qCeil(size);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0, 0, pixels, pixels));
    return image;
}

} // namespace

RateChart::RateChart(QWidget *parent) : QChartView(parent)
{
    ChartLook::setUpView(this);
    setAccessibleName(title());

    QChart *chart = this->chart();
    m_points = new QLineSeries;
    m_points->setName(QStringLiteral("各回の正解率"));
    m_points->setMarkerSize(markerSize);
    m_average = new QLineSeries;
    m_average->setName(QStringLiteral("最近 10 回の平均"));
    chart->addSeries(m_points);
    chart->addSeries(m_average);

    m_x = ChartLook::timeAxis();
    ChartLook::addAxes(chart, m_x, ChartLook::percentAxis(QStringLiteral("正解率（%）"), rateRoom));
}

QString RateChart::title() const
{
    return QStringLiteral("正解率の推移");
}

QString RateChart::tabTitle() const
{
    return QStringLiteral("正解率");
}

void RateChart::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const int n = selection.digitCount;
    showSeries(n ? figures.history.ofDigitCount(n) : figures.history.all(),
               n ? StatsText::digitCount(n) : StatsText::allDigitCounts());
}

void RateChart::showSeries(const ResultSeries &series, const QString &seriesName)
{
    const QPalette pal = palette();
    QColor pointColor = pal.color(QPalette::Highlight);
    pointColor.setAlpha(160);
    m_points->setColor(pointColor);
    m_points->setPen(Qt::NoPen);
    // The points are a line series without a line, each point painted as a light marker by the
    // series itself: a scatter series makes every point an item of its own and takes seconds
    // to draw a long history.
    m_points->setLightMarker(markerImage(pointColor, markerSize * devicePixelRatio()));
    m_average->setPen(QPen(pal.color(QPalette::WindowText), 2));

    QList<QPointF> pointList, averageList;
    pointList.reserve(series.results());
    averageList.reserve(series.results());
    qint64 first = series.points().empty() ? 0 : series.points().front().msecsSinceEpoch;
    qint64 last = first;
    for (const RatePoint &p : series.points()) {
        const auto x = static_cast<qreal>(p.msecsSinceEpoch);
        pointList.append(QPointF(x, p.ratePercent));
        averageList.append(QPointF(x, p.averagePercent));
        first = std::min(first, p.msecsSinceEpoch);
        last = std::max(last, p.msecsSinceEpoch);
    }
    m_points->replace(pointList);
    m_average->replace(averageList);

    // Ticks on whole hours, days, weeks or months, from the one before the first point to the
    // one after the last.
    m_x->setTitleText(
        QStringLiteral("保存した日時（%1・%2 回）").arg(seriesName).arg(series.results()));
    ChartLook::setTimeTicks(m_x, DateTicks::of(QDateTime::fromMSecsSinceEpoch(first),
                                               QDateTime::fromMSecsSinceEpoch(last)));
    ChartLook::apply(chart(), pal, font());
    // A series without a line would show a legend marker in the line's colour: give it the
    // points' colour instead.
    for (QLegendMarker *marker : chart()->legend()->markers(m_points)) {
        marker->setBrush(pointColor);
        marker->setPen(Qt::NoPen);
    }
}
