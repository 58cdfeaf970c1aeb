// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

    QChart *chart = this->chart();
    m_shares = new QBarSet(QStringLiteral("○ の割合"));
    auto *bars = new QBarSeries;
    bars->append(m_shares);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value"));
    bars->setLabelsPrecision(3);
    chart->addSeries(bars);
    chart->legend()->hide();

    m_x = new QBarCategoryAxis;
    auto *y = new QValueAxis;
    y->setTitleText(QStringLiteral("○ の割合（%）"));
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(m_x);
    bars->attachAxis(y);
}

void PositionChart::showSeries(const ResultSeries &series, int digitCount)
{
    const QPalette pal = palette();
    m_shares->setColor(pal.color(QPalette::Highlight));
    m_shares->setBorderColor(pal.color(QPalette::Highlight));
    m_shares->setLabelColor(pal.color(QPalette::HighlightedText));
    m_shares->setLabelFont(font());

    QList<qreal> values;
    QStringList positions;
    for (int position = 1; position <= digitCount; ++position) {
        values.append(series.rightSharePercent(position));
        positions.append(QString::number(position));
    }
    m_shares->remove(0, m_shares->count());
    m_shares->append(values);
    m_x->setCategories(positions);
    m_x->setTitleText(
        QStringLiteral("桁の位置（%1 桁の結果 %2 回）").arg(digitCount).arg(series.results()));
    ChartLook::apply(chart(), pal, font());
}
