// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ChartLook.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QLegend>

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QFont>
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
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value"));
    bars->setLabelsPrecision(3);
    chart->addSeries(bars);
    chart->legend()->hide();
}

QValueAxis *percentAxis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, 100);
    axis->setTickCount(6);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

} // namespace ChartLook
