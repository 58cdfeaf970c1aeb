#include "stats/RateChart.h"

#include "stats/ChartLook.h"
#include "stats/core/ResultSeries.h"

#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

constexpr qint64 hourMsecs = 3600 * 1000;
constexpr qint64 dayMsecs = 24 * hourMsecs;

} // namespace

RateChart::RateChart(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
}

void RateChart::showSeries(const ResultSeries &series, const QString &seriesName)
{
    auto *chart = new QChart;
    const QPalette pal = palette();

    auto *points = new QScatterSeries;
    points->setName(QStringLiteral("各回の正解率"));
    points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    points->setMarkerSize(6);
    QColor pointColor = pal.color(QPalette::Highlight);
    pointColor.setAlpha(160);
    points->setColor(pointColor);
    points->setBorderColor(Qt::transparent);

    auto *average = new QLineSeries;
    average->setName(QStringLiteral("最近 10 回の平均"));
    average->setPen(QPen(pal.color(QPalette::WindowText), 2));

    QList<QPointF> pointList, averageList;
    pointList.reserve(series.results());
    averageList.reserve(series.results());
    for (const RatePoint &p : series.points()) {
        const auto x = static_cast<qreal>(p.msecsSinceEpoch);
        pointList.append(QPointF(x, p.ratePercent));
        averageList.append(QPointF(x, p.averagePercent));
    }
    points->replace(pointList);
    average->replace(averageList);
    chart->addSeries(points);
    chart->addSeries(average);

    qint64 first = 0, last = 0;
    if (!series.points().empty()) {
        first = series.points().front().msecsSinceEpoch;
        last = first;
        for (const RatePoint &p : series.points()) {
            first = std::min(first, p.msecsSinceEpoch);
            last = std::max(last, p.msecsSinceEpoch);
        }
    }
    // A little room either side, so the first and last points are not cut in half.
    const qint64 margin = std::max<qint64>((last - first) / 40, hourMsecs);

    auto *x = new QDateTimeAxis;
    x->setTitleText(
        QStringLiteral("保存した日時（%1・%2 回）").arg(seriesName).arg(series.results()));
    x->setFormat(last - first < 2 * dayMsecs ? QStringLiteral("MM/dd hh:mm")
                                             : QStringLiteral("yy/MM/dd"));
    x->setTickCount(6);
    x->setRange(QDateTime::fromMSecsSinceEpoch(first - margin),
                QDateTime::fromMSecsSinceEpoch(last + margin));
    auto *y = new QValueAxis;
    y->setTitleText(QStringLiteral("正解率（%）"));
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    ChartLook::apply(chart, pal, font());

    QChart *old = this->chart();
    setChart(chart);
    delete old;
}
