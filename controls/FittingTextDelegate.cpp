// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FittingTextDelegate.h"

#include <QApplication>
#include <QStyle>

void FittingTextDelegate::fitText(QStyleOptionViewItem *option, const QWidget *widget)
{
    if (option->text.isEmpty())
        return;
    // The margin Qt's styles leave on either side of an item's text.
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int room = option->rect.width() - 2 * margin;
    // Whole when the style would not elide it, by the style's own measure.
    const auto whole = [&option, room](const QFontMetrics &metrics) {
        return metrics.elidedText(option->text, Qt::ElideRight, room) == option->text;
    };
    if (room <= 0 || whole(option->fontMetrics))
        return;
    constexpr int narrowest = 50; // per cent of the face's own width
    const int needed = option->fontMetrics.horizontalAdvance(option->text);
    QFont font = option->font;
    for (int stretch = qBound(narrowest, 100 * room / qMax(1, needed), 100); stretch >= narrowest;
         --stretch) {
        font.setStretch(stretch);
        if (whole(QFontMetrics(font)))
            break;
    }
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
}

void FittingTextDelegate::initStyleOption(QStyleOptionViewItem *option,
                                          const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    fitText(option, option->widget);
}
