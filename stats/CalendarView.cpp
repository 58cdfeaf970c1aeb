// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/CalendarView.h"

#include "stats/CalendarGrid.h"
#include "stats/StatsSentence.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QLabel>
#include <QVBoxLayout>

CalendarView::CalendarView(QWidget *parent) : QWidget(parent)
{
    m_grid = new CalendarGrid(this);
    m_chosenDay = new QLabel(this);
    m_chosenDay->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_totals = new QLabel(this);
    m_totals->setWordWrap(true);
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1); // the grid takes the page, the figures below it
    layout->addWidget(m_chosenDay);
    layout->addWidget(m_totals);

    connect(m_grid, &CalendarGrid::chosenDayChanged, this, [this](QDate day) {
        const QString text = StatsText::practiceDay(day, m_grid->days().day(day));
        StatsSentence::setText(m_chosenDay, QStringLiteral("選んだ日：") + text);
        m_grid->setAccessibleDescription(text);
    });
}

QString CalendarView::title() const
{
    return QStringLiteral("練習カレンダー");
}

QString CalendarView::tabTitle() const
{
    return QStringLiteral("練習日");
}

void CalendarView::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const HistoryStats &stats = figures.history;
    const QDate today = selection.today;
    const PracticeDays &days = stats.days();
    m_grid->showDays(days, today);
    StatsSentence::setText(
        m_totals,
        QStringLiteral("今の連続：%1　　最長の連続：%2　　合計：%3 回・%4")
            .arg(StatsText::days(days.currentRun(today)), StatsText::days(days.longestRun()))
            .arg(stats.results())
            .arg(StatsText::days(days.daysPlayed())));
}
