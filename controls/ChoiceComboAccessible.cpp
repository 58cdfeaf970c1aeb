// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ChoiceComboAccessible.h"

#include "controls/AccessibleFactory.h"
#include "controls/ChoiceCombo.h"

ChoiceComboAccessible::ChoiceComboAccessible(ChoiceCombo *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QString ChoiceComboAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return static_cast<const ChoiceCombo *>(object())->currentText();
    return QAccessibleWidget::text(t);
}

void ChoiceComboAccessible::install()
{
    installAccessibleFactory<ChoiceCombo, ChoiceComboAccessible>();
}
