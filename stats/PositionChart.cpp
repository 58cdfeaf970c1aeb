// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/PositionChart.h"

#include "stats/ChartLook.h"
#include "stats/core/ResultSeries.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QValueAxis>

#include <cmath>

PositionChart::PositionChart(QWidget *parent) : QChartView(parent)
{
    ChartLook::setUpView(this);

    QChart *chart = this->chart();
    m_shares = new QBarSet(QStringLiteral("○ の割合"));
    ChartLook::addLabelledBars(chart, new QBarSeries, m_shares);

    m_x = new QBarCategoryAxis;
    ChartLook::addAxes(chart, m_x, ChartLook::percentAxis(QStringLiteral("○ の割合（%）")));
}

void PositionChart::showSeries(const ResultSeries &series, int digitCount)
{
    const QPalette pal = palette();
    ChartLook::colourBars(m_shares, pal, font());

    QList<qreal> values;
    QStringList positions;
    for (int position = 1; position <= digitCount; ++position) {
        values.append(std::round(series.rightSharePercent(position))); // as labelled
        positions.append(QString::number(position));
    }
    m_shares->remove(0, m_shares->count());
    m_shares->append(values);
    m_x->setCategories(positions);
    m_x->setTitleText(
        QStringLiteral("桁の位置（%1 桁の結果 %2 回）").arg(digitCount).arg(series.results()));
    ChartLook::apply(chart(), pal, font());
}
