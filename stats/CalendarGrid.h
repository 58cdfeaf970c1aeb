// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/PracticeDays.h"

#include <QDate>
#include <QWidget>

// The last 53 weeks, one cell a day (a column a week, Monday at the top), shaded by the number
// of results saved that day; on a tall page the weeks wrap into bands, to fill it. A day's figures
// show as its tooltip; from the keyboard the arrow keys move a chosen day (left and right by a
// week, up and down by a day), whose figures the page shows below the grid.
class CalendarGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int weeks = 53;

    explicit CalendarGrid(QWidget *parent = nullptr);

    void showDays(const PracticeDays &days, QDate today);

    const PracticeDays &days() const { return m_days; }
    QDate firstDay() const { return m_first; }
    QDate chosenDay() const { return m_chosen; }
    void chooseDay(QDate day);
    // The shade of a day: 0 for no results, 1 to 4 for ever more, the busiest day 4.
    int level(QDate day) const;
    // The rectangle of a day's cell, in the widget.
    QRect cellRect(QDate day) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void chosenDayChanged(QDate day);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Layout
    {
        int columns = weeks; // weeks a band
        int size = 0;        // of a cell, in pixels
        int bandHeight = 0;  // of a band, its month names and the gap below it included
        int left = 0;        // the grid centred across the widget
    };
    Layout layout() const;
    int labelWidth() const;
    QDate dayAt(const QPoint &point) const;

    PracticeDays m_days;
    QDate m_today;
    QDate m_first; // the Monday of the first column
    QDate m_chosen;
};
