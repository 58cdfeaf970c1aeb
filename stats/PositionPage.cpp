// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/PositionPage.h"

#include "stats/PositionChart.h"
#include "stats/StatsSentence.h"
#include "stats/core/HistoryStats.h"

#include <QLabel>

PositionPage::PositionPage(QWidget *parent) : QStackedWidget(parent)
{
    m_chart = new PositionChart(this);
    m_chart->setAccessibleName(title());
    m_hint = StatsSentence::make(
        QStringLiteral("桁ごとの正解率は、問題数を 1 つ選ぶと表示されます。"), this);
    addWidget(m_chart);
    addWidget(m_hint);
}

QString PositionPage::title() const
{
    return QStringLiteral("桁ごとの正解率");
}

QString PositionPage::tabTitle() const
{
    return QStringLiteral("桁ごと");
}

void PositionPage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    if (selection.digitCount == 0) {
        setCurrentWidget(m_hint);
    } else {
        m_chart->showSeries(figures.history.ofDigitCount(selection.digitCount),
                            selection.digitCount);
        setCurrentWidget(m_chart);
    }
}
