#pragma once

class Clock;
class DigitSource;
class frmMain;

// One drill from Start to scoring: the Click of cmdStart, the countdown and display timers, the
// answer boxes' events and the Click of cmdKaitou. Each handler works on the window's controls
// and its DrillState.
class Drill
{
public:
    Drill(frmMain &form, Clock &clock, DigitSource &digits);

    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrKt_Timer();
    void txtKaitou_Change(int index);
    void txtKaitou_Click(int index);
    void cmdKaitou_Click();

private:
    frmMain &m_form;
    Clock &m_clock;
    DigitSource &m_digits;
};
