// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

// A raised push button showing its 32x32 picture centred above its caption. Like the buttons of
// a dialog, it answers Return and Enter as well as Space when it has the focus.
class CommandButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
