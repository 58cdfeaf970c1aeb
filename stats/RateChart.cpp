// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/RateChart.h"

#include "stats/ChartLook.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/ResultSeries.h"
#include "stats/core/StatsText.h"

#include <QDateTimeAxis>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <QtMath>

#include <algorithm>

namespace {

constexpr qint64 hourMsecs = 3600 * 1000;
constexpr qint64 dayMsecs = 24 * hourMsecs;
constexpr qreal markerSize = 6;

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

    m_x = new QDateTimeAxis;
    m_x->setTickCount(6);
    ChartLook::addAxes(chart, m_x, ChartLook::percentAxis(QStringLiteral("正解率（%）")));
}

QString RateChart::title() const
{
    return QStringLiteral("正解率の推移");
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

    // A little room either side, so the first and last points are not cut in half.
    const qint64 margin = std::max<qint64>((last - first) / 40, hourMsecs);
    m_x->setTitleText(
        QStringLiteral("保存した日時（%1・%2 回）").arg(seriesName).arg(series.results()));
    m_x->setFormat(last - first < 2 * dayMsecs ? QStringLiteral("MM/dd hh:mm")
                                               : QStringLiteral("yy/MM/dd"));
    m_x->setRange(QDateTime::fromMSecsSinceEpoch(first - margin),
                  QDateTime::fromMSecsSinceEpoch(last + margin));
    ChartLook::apply(chart(), pal, font());
    // A series without a line would show a legend marker in the line's colour: give it the
    // points' colour instead.
    for (QLegendMarker *marker : chart()->legend()->markers(m_points)) {
        marker->setBrush(pointColor);
        marker->setPen(Qt::NoPen);
    }
}
