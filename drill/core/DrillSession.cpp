// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/DrillSession.h"

#include "base/Clock.h"
#include "drill/core/BarWidth.h"
#include "drill/core/DigitSource.h"
#include "drill/core/DisplaySeconds.h"
#include "drill/core/DrillState.h"

#include <QStringList>

namespace {

constexpr int countdownSteps = 3;

} // namespace

DrillSession::DrillSession(DrillState &state, Clock &clock, DigitSource &digits, QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_digitSource(digits)
{
}

DrillSession::Phase DrillSession::phase() const
{
    if (m_state.blnCountdown)
        return Phase::Countdown;
    if (m_state.blnDisplay)
        return Phase::Display;
    return m_after;
}

// Start: clears the answers, covers the row and begins the countdown.
void DrillSession::start()
{
    m_state.blnCountdown = true;
    // The countdown always begins at the red light. Without this, Start pressed between the last
    // countdown tick and the next one (possible after a display of 0 or 1 seconds) would carry
    // step 3 into the new countdown and step past the third light.
    m_state.intCountStep = 0;
    m_after = Phase::Idle;
    m_openBoxes = 0;
    m_openedAtMs = -1;
    m_answers.fill(QString());
    m_entryMs.fill(-1);
    m_fills.fill(0);
    Q_EMIT started();
}

// Countdown: red, yellow, green, one light per tick; the digits show with the green light.
void DrillSession::countdownTick()
{
    DrillState &st = m_state;
    if (!st.blnCountdown) {
        st.intCountStep = 0;
        return;
    }
    ++st.intCountStep;
    Q_EMIT lightChanged(st.intCountStep);
    if (st.intCountStep < countdownSteps)
        return;

    st.blnCountdown = false;
    m_digitSource.reseed();
    QString row;
    for (int i = 1; i <= st.intMonsu; ++i) {
        m_digits[index(i)] = QString::number(m_digitSource.nextDigit());
        row.append(m_digits[index(i)]);
    }
    Q_EMIT digitsShown(row);
    // The display time counts from the moment the digits are on the screen, not from when they
    // were asked for: painting them can take a noticeable part of a second.
    const qint64 shownAt = m_clock.milliseconds();
    m_displayClock.start(shownAt);
    st.lngNow = clockSecond(m_displayClock.wholeSeconds(shownAt));
    st.lngEnd = endSecond(st.lngNow, st.intJikan);
    st.blnDisplay = true;
}

// Display: the bar shrinks with the seconds left; when none are left the answer boxes open.
void DrillSession::displayTick()
{
    DrillState &st = m_state;
    if (!st.blnDisplay)
        return;
    st.lngNow = clockSecond(m_displayClock.wholeSeconds(m_clock.milliseconds()));
    st.intNokori = remainingSeconds(st.lngEnd, st.lngNow);
    Q_EMIT barChanged(barWidth(st.intNokori, st.intJikan, st.intBarWidth));
    if (st.intNokori > 0)
        return;

    st.blnDisplay = false;
    m_after = Phase::Answering;
    m_openBoxes = st.intMonsu;
    m_openedAtMs = m_clock.milliseconds();
    Q_EMIT answersOpened(m_openBoxes);
}

qint64 DrillSession::sinceOpened() const
{
    return m_openedAtMs < 0 ? -1 : m_clock.milliseconds() - m_openedAtMs;
}

// One character in a box moves the player on to the next box, from the last one to Answer.
void DrillSession::setAnswer(int slot, const QString &text)
{
    const size_t i = index(slot);
    m_answers[i] = text;
    if (text.isEmpty())
        return; // the program or a click emptied the box
    m_entryMs[i] = sinceOpened();
    ++m_fills[i];

    // The digit count may have been raised while the boxes were open; the next box is then
    // still closed, so the player goes on to Answer instead.
    if (slot == m_state.intMonsu || slot >= DigitSlots::count || slot >= m_openBoxes)
        Q_EMIT focusMoved(answerButton);
    else
        Q_EMIT focusMoved(slot + 1);
}

// A click empties the box so that the player can enter that answer again.
void DrillSession::emptyAnswer(int slot)
{
    m_answers[index(slot)].clear();
    Q_EMIT answerEmptied(slot);
}

// Answer: scores the boxes afresh against the digits their slots hold. The result is kept whole,
// so that Save records it as it was scored, whatever the player does afterwards.
void DrillSession::score()
{
    DrillState &st = m_state;
    QStringList answers, digits;
    for (int i = 1; i <= st.intMonsu; ++i) {
        answers.append(m_answers[index(i)]);
        digits.append(m_digits[index(i)]);
    }
    DrillResult result = DrillResult::score(answers, digits, st.intMonsu, st.intJikan);
    for (int i = 1; i <= st.intMonsu; ++i) {
        const bool empty = m_answers[index(i)].isEmpty();
        result.entryMs.append(empty ? -1 : m_entryMs[index(i)]);
        result.refills.append(qMax(0, m_fills[index(i)] - 1));
    }
    result.answerMs = sinceOpened();
    st.lastResult = result;
    st.intOk = result.right;
    st.intNg = result.wrong;
    m_after = Phase::Scored;
    Q_EMIT scored(st.lastResult);
}

const DrillResult *DrillSession::resultToSave() const
{
    const DrillState &st = m_state;
    if ((st.intOk == 0 && st.intNg == 0) || st.blnDisplay || st.blnCountdown)
        return nullptr;
    return &st.lastResult;
}
