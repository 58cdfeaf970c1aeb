// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drill/DrillControls.h"

class DrillSession;
struct DrillResult;
struct DrillState;

// The drill on the window's controls: the handlers of Start, the two timers, the answer boxes and
// Answer hand each event to the drill session, and what the session says happened is shown on
// the drill's controls. It decides nothing itself.
//
// Handlers carry the design's names, control and event joined as in cmdStart_Click.
class Drill
{
public:
    Drill(const DrillControls &ui, const DrillState &state, DrillSession &session);

    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrKt_Timer();
    void txtKaitou_Change(int index);
    void txtKaitou_Click(int index);
    void cmdKaitou_Click();

private:
    void showStarted();
    void showLight(int step);
    void showDigits(const QString &row);
    void openAnswers(int boxes);
    void moveFocus(int slot);
    void showResult(const DrillResult &result);

    DrillControls m_ui;
    const DrillState &m_state;
    DrillSession &m_session;
};
