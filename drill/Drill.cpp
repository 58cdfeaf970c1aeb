// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/Drill.h"

#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"
#include "controls/ConsoleColors.h"
#include "controls/Shape.h"
#include "controls/ValueLabel.h"
#include "drill/core/BarWidth.h"
#include "base/Clock.h"
#include "base/DigitSlots.h"
#include "drill/core/DigitSource.h"
#include "drill/core/DisplayClock.h"
#include "drill/core/DisplaySeconds.h"
#include "drill/core/DrillState.h"
#include "base/RateText.h"
#include "records/History.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int countdownSteps = 3;

} // namespace

Drill::Drill(const DrillControls &ui, DrillState &state, Clock &clock, DigitSource &digits,
             History &history)
    : m_ui(ui), m_state(state), m_clock(clock), m_digits(digits), m_history(history)
{
}

// Start: clears the row, covers it and begins the countdown. The settings are read here and at
// every later step, so a choice made during a drill takes effect at its next use.
void Drill::cmdStart_Click()
{
    DrillControls &f = m_ui;
    DrillState &st = m_state;

    // Text an input method is still composing elsewhere (in the history table, say) is settled
    // now, so that none of it turns up in this drill's answer boxes.
    QGuiApplication::inputMethod()->reset();

    st.blnCountdown = true;
    // The countdown always begins at the red light. Without this, Start pressed between the last
    // countdown tick and the next one (possible after a display of 0 or 1 seconds) would carry
    // step 3 into the new countdown and step past the third light.
    st.intCountStep = 0;

    for (int i = 1; i <= DigitSlots::count; ++i) {
        f.lblMondai(i)->setVisible(false); // its caption keeps the last drill's digit
        f.txtKaitou(i)->setVisible(false);
        f.txtKaitou(i)->setBackColor(QColor(ConsoleColors::white));
        f.txtKaitou(i)->setText(QString());
    }
    f.shpJikanK->setWidthTwips(st.intBarWidth);
    f.shpWaku->setVisible(true);
    for (int i = 1; i <= st.intMonsu; ++i)
        f.lblMondai(i)->setVisible(true); // still under the cover
    f.lblOk->setText(QString());
    f.lblNg->setText(QString());
    f.lblRitu->setText(QString());
    f.cmdStart->setEnabled(false);
    f.cmdKaitou->setEnabled(false);
}

// Countdown: red, yellow, green, one light per tick; the digits show with the green light, which
// stays lit until the next drill's first tick.
void Drill::tmrStart_Timer()
{
    DrillControls &f = m_ui;
    DrillState &st = m_state;

    if (!st.blnCountdown) {
        st.intCountStep = 0;
        return;
    }
    for (int k = 1; k <= countdownSteps; ++k)
        f.imgStart(k)->setVisible(false);
    ++st.intCountStep;
    f.imgStart(st.intCountStep)->setVisible(true);

    if (st.intCountStep == countdownSteps) {
        st.blnCountdown = false;
        f.shpWaku->setVisible(false);
        m_digits.reseed();
        // The display time counts from the moment the digits are on the screen, not from when
        // they were asked for: painting them first can take a noticeable part of a second.
        for (int i = 1; i <= st.intMonsu; ++i) {
            f.lblMondai(i)->setText(QString::number(m_digits.nextDigit()));
            f.lblMondai(i)->repaint();
        }
        const qint64 shownAt = m_clock.milliseconds();
        m_displayClock.start(shownAt);
        st.lngNow = clockSecond(m_displayClock.wholeSeconds(shownAt));
        st.lngEnd = endSecond(st.lngNow, st.intJikan);
        st.blnDisplay = true;
        // The display ticks are counted from here: the first comes half a second after the
        // digits appear. Left to its own phase it could fall due in this same pass of the event
        // loop and cover the digits of a 0-second display before they were ever painted.
        // Restarting keeps the interval, and a stopped timer stays stopped.
        if (f.tmrKt->isActive())
            f.tmrKt->start();
    }
}

// Display: the blue bar shrinks with the seconds left; when none are left the digits are
// covered and the answer boxes open.
void Drill::tmrKt_Timer()
{
    DrillControls &f = m_ui;
    DrillState &st = m_state;

    if (!st.blnDisplay)
        return;
    st.lngNow = clockSecond(m_displayClock.wholeSeconds(m_clock.milliseconds()));
    st.intNokori = remainingSeconds(st.lngEnd, st.lngNow);
    f.shpJikanK->setWidthTwips(barWidth(st.intNokori, st.intJikan, st.intBarWidth));

    if (st.intNokori <= 0) {
        st.blnDisplay = false;
        f.shpWaku->setVisible(true);
        for (int i = 1; i <= st.intMonsu; ++i)
            f.txtKaitou(i)->setVisible(true);
        f.txtKaitou(1)->setFocus();
        f.cmdStart->setEnabled(true);
        f.cmdKaitou->setEnabled(true);
    }
}

// One character in a box moves the player on to the next box, from the last one to Answer.
void Drill::txtKaitou_Change(int index)
{
    DrillControls &f = m_ui;

    if (f.txtKaitou(index)->text().isEmpty())
        return; // the program or a click emptied the box
    if (index == m_state.intMonsu) {
        f.cmdKaitou->setFocus();
        return;
    }
    // The digit count may have been raised while the boxes were open; the next box is then
    // still hidden and cannot take the focus, so the player goes on to Answer instead.
    if (index >= DigitSlots::count || f.txtKaitou(index + 1)->isHidden())
        f.cmdKaitou->setFocus();
    else
        f.txtKaitou(index + 1)->setFocus();
}

// A click empties the box so that the player can enter that answer again; the focus stays.
void Drill::txtKaitou_Click(int index)
{
    m_ui.txtKaitou(index)->setText(QString());
}

// Answer: scores the boxes afresh, shows the digits beside the coloured answers and the result.
// The result is kept whole, so that Save records it as it was scored, whatever the player does
// with the boxes or the choices afterwards.
void Drill::cmdKaitou_Click()
{
    DrillControls &f = m_ui;
    DrillState &st = m_state;

    QStringList answers, digits;
    for (int i = 1; i <= st.intMonsu; ++i) {
        answers.append(f.txtKaitou(i)->text());
        digits.append(f.lblMondai(i)->text());
    }
    st.lastResult = DrillResult::score(answers, digits, st.intMonsu, st.intJikan);
    st.intOk = st.lastResult.right;
    st.intNg = st.lastResult.wrong;
    for (int i = 1; i <= st.intMonsu; ++i) {
        const bool right =
            st.lastResult.marks[static_cast<size_t>(i - 1)] == DrillResult::Mark::Right;
        f.txtKaitou(i)->setBackColor(
            QColor(right ? ConsoleColors::lightGreen : ConsoleColors::lightMagenta));
    }
    f.shpWaku->setVisible(false);
    f.lblOk->setText(QString::number(st.intOk));
    f.lblNg->setText(QString::number(st.intNg));
    f.lblRitu->setText(rateText(st.intOk, st.intMonsu));
    if (st.intAs == 1)
        m_history.Save();
    f.cmdStart->setFocus();
}
