// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GridView.h"

#include "controls/ConsoleColors.h"
#include "controls/GridHeader.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

GridView::GridView(QWidget *parent) : QTableView(parent)
{
    setHorizontalHeader(new GridHeader(this));
}

QRect GridView::cellsArea() const
{
    const QAbstractItemModel *items = model();
    if (!items || items->rowCount() == 0 || items->columnCount() == 0)
        return {};
    const int lastRow = items->rowCount() - 1;
    const int lastColumn = items->columnCount() - 1;
    const int right = columnViewportPosition(lastColumn) + columnWidth(lastColumn);
    const int bottom = rowViewportPosition(lastRow) + rowHeight(lastRow);
    return QRect(QPoint(0, 0), QPoint(right - 1, bottom - 1));
}

void GridView::paintEvent(QPaintEvent *event)
{
    {
        // The cells paint over the window colour only where they are; the rest stays grey.
        QPainter painter(viewport());
        painter.setClipRegion(event->region());
        painter.fillRect(viewport()->rect(), QColor(ConsoleColors::darkGrey));
        painter.fillRect(cellsArea(), palette().brush(QPalette::Base));
    }
    QTableView::paintEvent(event);

    const QRect cells = cellsArea();
    if (cells.isEmpty() || isColumnHidden(0))
        return;
    // The fixed column: black lines right of it and under each of its cells, where the table has
    // just drawn its own grid lines (one pixel at the right and bottom edge of every cell).
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.setPen(QColor(ConsoleColors::black));
    const int left = columnViewportPosition(0);
    const int right = left + columnWidth(0) - 1;
    painter.drawLine(right, 0, right, cells.bottom());
    const int first = qMax(0, rowAt(0));
    const int last = rowAt(viewport()->height() - 1) < 0 ? model()->rowCount() - 1
                                                         : rowAt(viewport()->height() - 1);
    for (int row = first; row <= last; ++row) {
        const int y = rowViewportPosition(row) + rowHeight(row) - 1;
        painter.drawLine(left, y, right, y);
    }
}
