// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drill/DrillControls.h"
#include "drill/core/DisplayClock.h"

class Clock;
class DigitSource;
class History;
struct DrillState;

// One drill from Start to scoring: the Click of cmdStart, the countdown and display timers, the
// answer boxes' events and the Click of cmdKaitou. Each handler works on the drill's controls and
// the window's DrillState; scoring keeps its result there as a value and, with auto-save on,
// calls Save, which records that value.
//
// Handlers carry the design's names, control and event joined as in cmdStart_Click; helpers of
// the program's own are ordinary camelCase.
class Drill
{
public:
    Drill(const DrillControls &ui, DrillState &state, Clock &clock, DigitSource &digits,
          History &history);

    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrKt_Timer();
    void txtKaitou_Change(int index);
    void txtKaitou_Click(int index);
    void cmdKaitou_Click();

private:
    DrillControls m_ui;
    DrillState &m_state;
    Clock &m_clock;
    DigitSource &m_digits;
    History &m_history;
    DisplayClock m_displayClock;
};
