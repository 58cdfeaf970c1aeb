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

// The cells fill the page: the weeks in one band of columns, or, where the page is tall, in
// two or three bands one above the other (the older weeks first), whichever gives the larger
// cells; never larger than three lines of text, never smaller than six pixels.
CalendarGrid::Layout CalendarGrid::layout() const
{
    const int header = fontMetrics().height();
    const int gap = header / 2;
    const int most = 3 * header;
    Layout best;
    for (int bands = 1; bands <= 3; ++bands) {
        const int columns = (weeks + bands - 1) / bands;
        const int fromWidth = (width() - labelWidth()) / columns;
        const int fromHeight = (height() - bands * header - (bands - 1) * gap) / (7 * bands);
        const int size = std::clamp(std::min(fromWidth, fromHeight), 6, most);
        if (size > best.size) {
            best.columns = columns;
            best.size = size;
        }
    }
    best.bandHeight = header + 7 * best.size + gap;
    best.left = std::max(0, (width() - labelWidth() - best.columns * best.size) / 2);
    return best;
}

int CalendarGrid::labelWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("月")) + fontMetrics().height() / 2;
}

QRect CalendarGrid::cellRect(QDate day) const
{
    const Layout l = layout();
    const auto index = m_first.daysTo(day);
    const int column = static_cast<int>(index / 7);
    const int row = static_cast<int>(index % 7);
    const int band = column / l.columns;
    return QRect(l.left + labelWidth() + (column % l.columns) * l.size,
                 band * l.bandHeight + fontMetrics().height() + row * l.size, l.size, l.size);
}

QDate CalendarGrid::dayAt(const QPoint &point) const
{
    const Layout l = layout();
    const int band = point.y() / l.bandHeight;
    const int x = point.x() - l.left - labelWidth();
    const int y = point.y() - band * l.bandHeight - fontMetrics().height();
    if (x < 0 || y < 0 || x >= l.columns * l.size || y >= 7 * l.size)
        return {};
    const int column = band * l.columns + x / l.size;
    if (column >= weeks)
        return {};
    const QDate day = m_first.addDays(column * 7 + y / l.size);
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
    const Layout l = layout();
    const int size = l.size;
    const int gap = std::max(1, size / 8);

    // Month names over the column holding each month's first day, weekday names on the left of
    // every band.
    painter.setPen(pal.color(QPalette::WindowText));
    for (int column = 0; column < weeks; ++column) {
        const QDate monday = m_first.addDays(7 * column);
        const int band = column / l.columns;
        const int inBand = column % l.columns;
        for (int d = 0; d < 7; ++d) {
            const QDate day = monday.addDays(d);
            if (day.day() == 1 && day <= m_today && inBand < l.columns - 1) {
                painter.drawText(QPoint(l.left + labelWidth() + inBand * size,
                                        band * l.bandHeight + fontMetrics().ascent()),
                                 QStringLiteral("%1月").arg(day.month()));
            }
        }
    }
    const QString weekdays[] = {QStringLiteral("月"), QStringLiteral("水"), QStringLiteral("金")};
    const int bands = (weeks + l.columns - 1) / l.columns;
    for (int band = 0; band < bands; ++band) {
        for (int i = 0; i < 3; ++i) {
            const QRect row(l.left, band * l.bandHeight + fontMetrics().height() + 2 * i * size,
                            labelWidth(), size);
            painter.drawText(row, Qt::AlignVCenter | Qt::AlignLeft, weekdays[i]);
        }
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
