// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

// A check box in push-button style, showing a small picture: raised while clear and pressed in
// while set, with the sunken edge and a darker face of a button held down, so that its state
// reads at a glance. The look is drawn here, not left to the style, which draws a set tool
// button as a flat grey square.
class ToggleButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ToggleButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
