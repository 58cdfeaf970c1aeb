// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/TrendPage.h"

#include "stats/SpanTrendChart.h"
#include "stats/StatsSentence.h"
#include "stats/core/HistoryStats.h"

#include "stats/core/SpanEstimate.h"
#include <QLabel>

TrendPage::TrendPage(QWidget *parent) : QStackedWidget(parent)
{
    m_hint =
        StatsSentence::make(QStringLiteral("推定スパンを出せる週がまだありません。1 週のうちに "
                                           "%1 回以上、2 つ以上の桁数で練習すると表示されます。")
                                .arg(SpanEstimate::minResults),
                            this);
    addWidget(m_hint);
}

QString TrendPage::title() const
{
    return QStringLiteral("スパンの推移");
}

QString TrendPage::tabTitle() const
{
    return QStringLiteral("スパン推移");
}

void TrendPage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const QList<WeekSpan> weeks = figures.history.weeklySpans(selection.displaySeconds);
    if (weeks.isEmpty()) {
        setCurrentWidget(m_hint);
        return;
    }
    // Made when first needed, as the span's chart is.
    if (!m_chart) {
        m_chart = new SpanTrendChart(this);
        m_chart->setAccessibleName(QStringLiteral("週ごとの推定スパン"));
        addWidget(m_chart);
    }
    m_chart->showWeeks(weeks);
    setCurrentWidget(m_chart);
}
