// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GridHeader.h"

#include "controls/ConsoleColors.h"

#include <QPaintEvent>
#include <QPainter>

GridHeader::GridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

void GridHeader::paintEvent(QPaintEvent *event)
{
    QHeaderView::paintEvent(event);
    const int sections = count();
    if (sections == 0)
        return;
    const int last = logicalIndex(sections - 1);
    const int end = sectionViewportPosition(last) + sectionSize(last);
    if (end >= viewport()->width())
        return;
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.fillRect(QRect(end, 0, viewport()->width() - end, viewport()->height()),
                     QColor(ConsoleColors::darkGrey));
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setFont(font());
    const QVariant alignment =
        model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const Qt::Alignment align =
        alignment.isValid() ? Qt::Alignment(alignment.toInt()) : defaultAlignment();
    painter->drawText(rect.adjusted(2, 0, -3, -1), int(align),
                      model()->headerData(logicalIndex, orientation()).toString());
    // The lines between fixed cells: right and bottom of each, black.
    painter->setPen(QColor(ConsoleColors::black));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}
