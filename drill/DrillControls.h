// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/ControlArray.h"
#include "base/DigitSlots.h"

class AnswerBox;
class CommandButton;
class QLabel;
class QTimer;
class Shape;
class ValueLabel;

// The controls one drill works on, from Start to scoring, by their names in the window: the two
// buttons it disables, the traffic lights, the cover and the time bar, the digit and answer
// rows, the result labels, and the display timer, which it restarts as the digits appear. The
// drill touches nothing else of the window.
struct DrillControls
{
    CommandButton *cmdStart = nullptr;
    CommandButton *cmdKaitou = nullptr;
    ControlArray<QLabel, 1, 3> imgStart;
    Shape *shpWaku = nullptr;
    Shape *shpJikanK = nullptr;
    ControlArray<ValueLabel, 1, DigitSlots::count> lblMondai;
    ControlArray<AnswerBox, 1, DigitSlots::count> txtKaitou;
    ValueLabel *lblOk = nullptr;
    ValueLabel *lblNg = nullptr;
    ValueLabel *lblRitu = nullptr;
    QTimer *tmrKt = nullptr;
};
