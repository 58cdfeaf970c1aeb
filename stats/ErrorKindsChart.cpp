// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ErrorKindsChart.h"

#include "stats/ChartLook.h"
#include "stats/core/DrillAnalysis.h"
#include "stats/core/StatsText.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

ErrorKindsChart::ErrorKindsChart(QWidget *parent) : QChartView(parent)
{
    ChartLook::setUpView(this);

    QChart *chart = this->chart();
    m_shares = new QBarSet(QStringLiteral("間違いに占める割合"));
    ChartLook::addLabelledBars(chart, new QHorizontalBarSeries, m_shares);

    m_kinds = new QBarCategoryAxis;
    // No title under the axis of shares (each bar says its share in %): the room goes to the
    // seven names one above the other, which the chart cuts to "…" where they have too little.
    ChartLook::addAxes(chart, ChartLook::percentAxis(QString()), m_kinds);
}

void ErrorKindsChart::showKinds(const DrillAnalysis &analysis, int digitCount)
{
    const QPalette pal = palette();
    ChartLook::colourBars(m_shares, pal, font());

    // A horizontal chart draws its first category at the bottom: the kinds go in backwards.
    const int wrong = std::max(1, analysis.wrongRows(digitCount));
    QList<qreal> values;
    QStringList names;
    for (int k = ErrorKinds::count - 1; k >= 0; --k) {
        const int count = analysis.errors(static_cast<ErrorKind>(k), digitCount);
        values.append(std::round(100.0 * count / wrong)); // whole percents, as labelled
        names.append(QStringLiteral("%1（%2 回）")
                         .arg(StatsText::errorKind(static_cast<ErrorKind>(k)))
                         .arg(count));
    }
    m_shares->remove(0, m_shares->count());
    m_shares->append(values);
    m_kinds->setCategories(names);
    ChartLook::apply(chart(), pal, font());
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_kinds->setLabelsFont(small);
}

QStringList ErrorKindsChart::kinds() const
{
    QStringList names = m_kinds->categories();
    std::reverse(names.begin(), names.end());
    return names;
}
