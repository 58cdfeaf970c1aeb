#include "stats/PositionChart.h"

#include "stats/ChartLook.h"
#include "stats/core/ResultSeries.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QValueAxis>

PositionChart::PositionChart(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
}

void PositionChart::showSeries(const ResultSeries &series, int digitCount)
{
    auto *chart = new QChart;
    const QPalette pal = palette();

    auto *shares = new QBarSet(QStringLiteral("○ の割合"));
    shares->setColor(pal.color(QPalette::Highlight));
    shares->setBorderColor(pal.color(QPalette::Highlight));
    shares->setLabelColor(pal.color(QPalette::HighlightedText));
    shares->setLabelFont(font());
    QStringList positions;
    for (int position = 1; position <= digitCount; ++position) {
        shares->append(series.rightSharePercent(position));
        positions.append(QString::number(position));
    }
    auto *bars = new QBarSeries;
    bars->append(shares);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value"));
    bars->setLabelsPrecision(3);
    chart->addSeries(bars);
    chart->legend()->hide();

    auto *x = new QBarCategoryAxis;
    x->append(positions);
    x->setTitleText(
        QStringLiteral("桁の位置（%1 桁の結果 %2 回）").arg(digitCount).arg(series.results()));
    auto *y = new QValueAxis;
    y->setTitleText(QStringLiteral("○ の割合（%）"));
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    ChartLook::apply(chart, pal, font());

    QChart *old = this->chart();
    setChart(chart);
    delete old;
}
