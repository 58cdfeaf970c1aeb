// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/controls/ControlArray.h"
#include "app/controls/ValueLabel.h"
#include "drill/core/DigitSlots.h"

class AnswerBox;
class ChoiceCombo;
class CommandButton;
class QFrame;
class QLabel;
class QTableView;
class QTimer;
class QToolButton;
class QWidget;
class Shape;

// Every control of the main window by its design name, and the window itself, which parents the
// message boxes. Like the form class a designer tool generates, setupUi() creates and lays out
// the controls on the window; the window then hands this to the handlers, which reach the
// controls through it and know nothing else of the window.
struct WindowControls
{
    // Creates every control on form as the layout places it, sets the window's caption, icon and
    // fixed size, and the tab order. The timers are created stopped.
    void setupUi(QWidget *form);

    QWidget *form = nullptr;

    // The header band.
    CommandButton *cmdStart = nullptr;
    CommandButton *cmdKaitou = nullptr;
    CommandButton *cmdHozon = nullptr;
    CommandButton *cmdClear = nullptr;
    CommandButton *cmdHelp = nullptr;
    CommandButton *cmdEnd = nullptr;
    QLabel *Image1 = nullptr;
    ControlArray<QWidget, 0, 1> Line1;

    // Frame1: settings and results row, time bar, digit row, answer row, history table.
    QFrame *Frame1 = nullptr;
    QToolButton *chkAs = nullptr;
    QFrame *Frame2 = nullptr;
    QTimer *tmrStart = nullptr;
    QTimer *tmrKt = nullptr;
    ChoiceCombo *cboMonsu = nullptr;
    ChoiceCombo *cboJikan = nullptr;
    ControlArray<AnswerBox, 1, DigitSlots::count> txtKaitou;
    QTableView *msgRireki = nullptr;
    ControlArray<QLabel, 0, 1> Label1;
    Shape *shpWaku = nullptr;
    ControlArray<QLabel, 1, 3> imgStart;
    Shape *shpJikanK = nullptr;
    ControlArray<ValueLabel, 1, DigitSlots::count> lblMondai;
    Shape *shpJikanB = nullptr;

    // Frame2: the results.
    ValueLabel *lblOk = nullptr;
    ValueLabel *lblNg = nullptr;
    ValueLabel *lblRitu = nullptr;

private:
    void nameForScreenReaders();
    void setUpTabOrder();
};
