// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ChartLook.h"

#include "stats/core/DateTicks.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QLegend>

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QGraphicsLayout>
#include <QLegend>
#include <QPalette>
#include <QValueAxis>

namespace ChartLook {

void apply(QChart *chart, const QPalette &palette, const QFont &font)
{
    const QColor text = palette.color(QPalette::WindowText);
    chart->setBackgroundBrush(palette.brush(QPalette::Window));
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundBrush(palette.brush(QPalette::Base));
    chart->setPlotAreaBackgroundPen(QPen(palette.color(QPalette::Mid)));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitleBrush(text);
    chart->setTitleFont(font);
    chart->setDropShadowEnabled(false);
    chart->setAnimationOptions(QChart::NoAnimation);

    QLegend *legend = chart->legend();
    legend->setFont(font);
    legend->setLabelColor(text);
    legend->setAlignment(Qt::AlignBottom);

    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsFont(font);
        axis->setLabelsColor(text);
        axis->setTitleFont(font);
        axis->setTitleBrush(text);
        axis->setLinePenColor(palette.color(QPalette::Mid));
        axis->setGridLineColor(palette.color(QPalette::Midlight));
        axis->setShadesVisible(false);
    }
}

void setUpView(QChartView *view)
{
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    // The page's room goes to the plot, not to blank margins round the chart: the window
    // placed below the main window on a small screen is short.
    view->chart()->layout()->setContentsMargins(0, 0, 0, 0);
    view->chart()->setMargins(QMargins(0, 4, 8, 0));
}

void addAxes(QChart *chart, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void addLabelledBars(QChart *chart, QAbstractBarSeries *bars, QBarSet *set)
{
    bars->append(set);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideBase);
    bars->setLabelsFormat(QStringLiteral("@value%"));
    bars->setLabelsPrecision(3); // whole percents up to 100
    chart->addSeries(bars);
    chart->legend()->hide();
}

void colourBars(QBarSet *set, const QPalette &palette, const QFont &font)
{
    // A light bar under text of the window's colour: a label reads the same on the bar and,
    // where the bar is shorter than its label, on the plot beside it.
    QColor bar = palette.color(QPalette::Highlight);
    bar.setAlphaF(0.45);
    set->setColor(bar);
    set->setBorderColor(palette.color(QPalette::Highlight));
    set->setLabelColor(palette.color(QPalette::WindowText));
    set->setLabelFont(font);
}

QValueAxis *percentAxis(const QString &title, double room)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(-room, 100 + room);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(20);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

QCategoryAxis *timeAxis()
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

void setTimeTicks(QCategoryAxis *axis, const DateTicks &ticks)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    const auto at = [](const QDateTime &moment) {
        return static_cast<qreal>(moment.toMSecsSinceEpoch());
    };
    axis->setRange(at(ticks.from), at(ticks.to));
    axis->setStartValue(at(ticks.from));
    for (const QDateTime &tick : ticks.ticks)
        axis->append(tick.toString(ticks.format), at(tick));
}

} // namespace ChartLook
