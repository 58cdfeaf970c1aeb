// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class Clock;
class DigitSource;
struct DrillState;
struct WindowControls;

// One drill from Start to scoring: the Click of cmdStart, the countdown and display timers, the
// answer boxes' events and the Click of cmdKaitou. Each handler works on the window's controls
// and its DrillState; scoring calls Save through the function it is given.
//
// Handlers carry the design's names, control and event joined as in cmdStart_Click; helpers of
// the program's own are ordinary camelCase.
class Drill
{
public:
    Drill(WindowControls &ui, DrillState &state, Clock &clock, DigitSource &digits,
          std::function<void()> save);

    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrKt_Timer();
    void txtKaitou_Change(int index);
    void txtKaitou_Click(int index);
    void cmdKaitou_Click();

private:
    WindowControls &m_ui;
    DrillState &m_state;
    Clock &m_clock;
    DigitSource &m_digits;
    std::function<void()> m_save;
};
