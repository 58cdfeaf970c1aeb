// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CommandButton.h"

#include <QKeyEvent>

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(32, 32));
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    // The keypad's Enter carries the keypad modifier; any other modifier makes it another key.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QToolButton::keyPressEvent(event);
}
