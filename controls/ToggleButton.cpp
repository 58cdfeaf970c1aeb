// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ToggleButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

ToggleButton::ToggleButton(QWidget *parent) : QToolButton(parent)
{
    setCheckable(true);
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ToggleButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool pressedIn = isChecked() || isDown();
    const QPalette pal = palette();
    const QBrush face(pressedIn ? pal.color(QPalette::Button).darker(118)
                                : pal.color(QPalette::Button));
    // Two-pixel bevel: light above and left when raised, dark there when sunken.
    qDrawWinButton(&painter, rect(), pal, pressedIn, &face);

    // The picture sits centred, one pixel down and right while pressed in, as a pushed face does.
    QRect picture(QPoint(0, 0), iconSize());
    picture.moveCenter(rect().center());
    if (pressedIn)
        picture.translate(1, 1);
    icon().paint(&painter, picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = face.color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
