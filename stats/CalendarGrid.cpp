// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/CalendarGrid.h"

#include "stats/core/StatsText.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <cmath>

CalendarGrid::CalendarGrid(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("練習カレンダー"));
}

void CalendarGrid::showDays(const PracticeDays &days, QDate today)
{
    m_days = days;
    m_today = today;
    m_first = today.addDays(-(today.dayOfWeek() - 1) - 7 * (weeks - 1));
    if (!m_chosen.isValid() || m_chosen < m_first || m_chosen > m_today)
        m_chosen = today;
    updateGeometry();
    update();
    Q_EMIT chosenDayChanged(m_chosen);
}

void CalendarGrid::chooseDay(QDate day)
{
    day = std::clamp(day, m_first, m_today);
    if (day == m_chosen)
        return;
    m_chosen = day;
    update();
    Q_EMIT chosenDayChanged(m_chosen);
}

int CalendarGrid::level(QDate day) const
{
    const int results = m_days.day(day).results;
    if (results == 0 || m_days.mostResults() == 0)
        return 0;
    return std::max(1, static_cast<int>(std::ceil(4.0 * results / m_days.mostResults())));
}

// The cells follow the font, so the grid is as readable at 200 % as at 100 %, but shrink to
// the width there is.
int CalendarGrid::cellSize() const
{
    const int fromFont = fontMetrics().height();
    const int fromWidth = (width() - labelWidth()) / weeks;
    return std::max(6, std::min(fromFont, fromWidth));
}

int CalendarGrid::labelWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("月")) + fontMetrics().height() / 2;
}

QRect CalendarGrid::cellRect(QDate day) const
{
    const int size = cellSize();
    const auto index = m_first.daysTo(day);
    const int column = static_cast<int>(index / 7);
    const int row = static_cast<int>(index % 7);
    return QRect(labelWidth() + column * size, fontMetrics().height() + row * size, size, size);
}

QDate CalendarGrid::dayAt(const QPoint &point) const
{
    const int size = cellSize();
    const int x = point.x() - labelWidth();
    const int y = point.y() - fontMetrics().height();
    if (x < 0 || y < 0 || x >= weeks * size || y >= 7 * size)
        return {};
    const QDate day = m_first.addDays((x / size) * 7 + y / size);
    return day <= m_today ? day : QDate();
}

QSize CalendarGrid::sizeHint() const
{
    const int size = fontMetrics().height();
    return {labelWidth() + weeks * size + 1, fontMetrics().height() + 7 * size + 1};
}

QSize CalendarGrid::minimumSizeHint() const
{
    return {labelWidth() + weeks * 6 + 1, fontMetrics().height() + 7 * 6 + 1};
}

bool CalendarGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QDate day = dayAt(help->pos());
        if (day.isValid())
            QToolTip::showText(help->globalPos(), StatsText::practiceDay(day, m_days.day(day)),
                               this, cellRect(day));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CalendarGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        chooseDay(m_chosen.addDays(-7));
        break;
    case Qt::Key_Right:
        chooseDay(m_chosen.addDays(7));
        break;
    case Qt::Key_Up:
        chooseDay(m_chosen.addDays(-1));
        break;
    case Qt::Key_Down:
        chooseDay(m_chosen.addDays(1));
        break;
    case Qt::Key_Home:
        chooseDay(m_first);
        break;
    case Qt::Key_End:
        chooseDay(m_today);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent *event)
{
    const QDate day = dayAt(event->position().toPoint());
    if (day.isValid())
        chooseDay(day);
    QWidget::mousePressEvent(event);
}

void CalendarGrid::paintEvent(QPaintEvent *)
{
    if (!m_today.isValid())
        return;
    QPainter painter(this);
    const QPalette pal = palette();
    const int size = cellSize();
    const int gap = std::max(1, size / 8);

    // Month names over the column holding each month's first day, weekday names on the left.
    painter.setPen(pal.color(QPalette::WindowText));
    for (int column = 0; column < weeks; ++column) {
        const QDate monday = m_first.addDays(7 * column);
        for (int d = 0; d < 7; ++d) {
            const QDate day = monday.addDays(d);
            if (day.day() == 1 && day <= m_today && column < weeks - 1) {
                painter.drawText(QPoint(labelWidth() + column * size, fontMetrics().ascent()),
                                 QStringLiteral("%1月").arg(day.month()));
            }
        }
    }
    const QString weekdays[] = {QStringLiteral("月"), QStringLiteral("水"), QStringLiteral("金")};
    for (int i = 0; i < 3; ++i) {
        const QRect row(0, fontMetrics().height() + 2 * i * size, labelWidth(), size);
        painter.drawText(row, Qt::AlignVCenter | Qt::AlignLeft, weekdays[i]);
    }

    const QColor highlight = pal.color(QPalette::Highlight);
    for (QDate day = m_first; day <= m_today; day = day.addDays(1)) {
        const QRect cell = cellRect(day).adjusted(0, 0, -gap, -gap);
        const int shade = level(day);
        QColor fill = pal.color(QPalette::Base);
        if (shade > 0) {
            fill = highlight;
            fill.setAlphaF(0.25 + 0.1875 * shade);
        }
        painter.fillRect(cell, fill);
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    if (hasFocus() && m_chosen.isValid()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cellRect(m_chosen).adjusted(-1, -1, -gap + 1, -gap + 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        painter.setPen(QPen(pal.color(QPalette::WindowText), 2));
        painter.drawRect(option.rect);
    }
}
