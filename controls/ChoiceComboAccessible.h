// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ChoiceCombo;

// How a screen reader sees a ChoiceCombo: a combo box named by its accessible name ("問題数")
// whose value is the entry shown. Qt's own interface for an editable combo box gives the edit
// field's text as the name as well, so the reader would hear "5" and never what the 5 counts.
class ChoiceComboAccessible : public QAccessibleWidget
{
public:
    explicit ChoiceComboAccessible(ChoiceCombo *combo);

    QString text(QAccessible::Text t) const override;

    // Makes Qt build this interface for every ChoiceCombo; once is enough, before the first
    // screen reader asks.
    static void install();
};
