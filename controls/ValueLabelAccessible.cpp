// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ValueLabelAccessible.h"

#include "controls/AccessibleFactory.h"
#include "controls/ValueLabel.h"

ValueLabelAccessible::ValueLabelAccessible(ValueLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

const ValueLabel *ValueLabelAccessible::label() const
{
    return static_cast<const ValueLabel *>(object());
}

QString ValueLabelAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return label()->spokenName();
    case QAccessible::Value:
        return label()->text();
    default:
        return QAccessibleWidget::text(t);
    }
}

void ValueLabelAccessible::install()
{
    installAccessibleFactory<ValueLabel, ValueLabelAccessible>();
}
