// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class ChoiceCombo;
class QToolButton;
class QWidget;

// The controls of the player's three choices, and the window that parents the message told
// when the settings file cannot be written.
struct SettingsControls
{
    ChoiceCombo *cboMonsu = nullptr;
    ChoiceCombo *cboJikan = nullptr;
    QToolButton *chkAs = nullptr;
    QWidget *form = nullptr;
};
