// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/ControlArray.h"
#include "controls/ValueLabel.h"
#include "base/DigitSlots.h"

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

// The controls keep the window's original romanised Japanese names, after a prefix for their
// kind (cmd button, lbl label, txt text box, cbo choice list, chk check box, shp shape, img
// image, tmr timer, msg the history table); the drill's state uses int, lng, bln and str for
// its numbers, long numbers, flags and texts:
//   Monsu   問数     the number of digits in a drill (問題数)
//   Jikan   時間     the display time in seconds (表示秒数); shpJikanK and shpJikanB are the
//                    time bar's blue front and red back, tmrKt the timer of the display time
//   Nokori  残り     the display seconds left
//   Mondai  問題     a digit to remember, shown in a digit slot
//   Kaitou  回答     an answer, typed into an answer box; cmdKaitou scores them
//   Waku    枠       the cover over the digit row
//   Ok, Ng           the numbers of right and wrong answers
//   Ritu    率       the rate correct
//   Hozon   保存     saving a result to the history
//   Rireki  履歴     the history, its file and its table
//   As               auto-save (自動保存): every scored result is saved
//   Start            the countdown and the traffic light (imgStart) that shows it
//
// Every control of the main window by its name, and the window itself, which parents the
// message boxes. Like the form class a designer tool generates, setupUi() creates and lays out
// the controls on the window; the window then hands each handler the controls it works on.
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
    void makeHeaderBand();
    void makeSettingsAndResults();
    void makeTimeBar();
    void makeDigitRow();
    void makeAnswerRow();
    void nameForScreenReaders();
    void setUpTabOrder();
};
