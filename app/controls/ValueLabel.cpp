// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls/ValueLabel.h"

#include <QAccessible>

ValueLabel::ValueLabel(const QString &caption, const QString &text, QWidget *parent)
    : QLabel(text, parent), m_caption(caption)
{
}

QString ValueLabel::spokenName() const
{
    return text().isEmpty() ? m_caption : m_caption + QStringLiteral("：") + text();
}

void ValueLabel::setText(const QString &text)
{
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    QAccessibleEvent renamed(this, QAccessible::NameChanged); // dropped without a reader
    QAccessible::updateAccessibility(&renamed);
}
