// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ValueLabel.h"

#include "controls/FittingFont.h"

#include <QAccessible>
#include <QPainter>
#include <QStyle>

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

QFont ValueLabel::drawnFont()
{
    // Fitted to every digit too, so that a row of digit slots draws all its digits alike.
    return FittingFont::narrowedToFit(font(), FittingFont::digits() << text(),
                                      contentsRect().width(), this);
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    const QFont drawn = drawnFont();
    if (drawn == font()) {
        QLabel::paintEvent(event);
        return;
    }
    // As QLabel draws a plain text, in the narrowed font.
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(drawn);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}
