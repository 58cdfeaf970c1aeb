#include "drill/Drill.h"

#include "app/frmMain.h"

Drill::Drill(frmMain &form, Clock &clock, DigitSource &digits)
    : m_form(form), m_clock(clock), m_digits(digits)
{
}

// The drill's handlers are filled in as the drill is built.
void Drill::cmdStart_Click() {}
void Drill::tmrStart_Timer() {}
void Drill::tmrKt_Timer() {}
void Drill::txtKaitou_Change(int) {}
void Drill::txtKaitou_Click(int) {}
void Drill::cmdKaitou_Click() {}
