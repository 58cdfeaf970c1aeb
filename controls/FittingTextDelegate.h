// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws a cell's text narrower when it is wider than its cell, instead of cutting it off with
// "…": the history table's numbering column is 475 twips wide, and "10000" and up do not fit it
// in the table's face. The letters are narrowed as far as needed (to half their width at most),
// keeping their height; a text that fits is drawn as it is.
class FittingTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Narrows option's font until its text fits the room the style leaves for text in
    // option->rect (the widget's style decides that margin).
    static void fitText(QStyleOptionViewItem *option, const QWidget *widget);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
