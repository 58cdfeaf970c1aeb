// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DigitSlots.h"
#include "base/DrillResult.h"
#include "drill/core/DisplayClock.h"

#include <QObject>
#include <QString>
#include <array>

class Clock;
class DigitSource;
struct DrillState;

// One drill after another, from Start to scoring, with no widgets: the countdown, the digits
// shown, the seconds left, the answers as they are entered and when, and the scoring. It keeps
// the window's DrillState up to date and says what happened through its signals; the window's
// drill handlers show it on the controls, and the window hands each scored result on to the
// history.
//
// Its inputs are the player's actions and the two timers' ticks. The digit count and display
// time are read from DrillState at each step, so a choice made during a drill takes effect at
// its next use.
class DrillSession : public QObject
{
    Q_OBJECT

public:
    enum class Phase
    {
        Idle,      // no drill yet
        Countdown, // the traffic light is counting down
        Display,   // the digits are on show
        Answering, // the answer boxes are open, not scored since
        Scored,    // scored; the answers may be changed and scored again
    };
    Q_ENUM(Phase)

    // Answer's place in the focus order, after the boxes 1..15.
    static constexpr int answerButton = 0;

    DrillSession(DrillState &state, Clock &clock, DigitSource &digits, QObject *parent = nullptr);

    // The player's actions.
    void start();
    void setAnswer(int slot, const QString &text); // the box's text changed, by typing or not
    void emptyAnswer(int slot);                    // a click empties the box
    void score();

    // The timers' ticks: the countdown's every second, the display's every half second.
    void countdownTick();
    void displayTick();

    Phase phase() const;
    // The digit slot i (1..15) holds: the last digit a drill wrote there, kept when a later
    // drill uses fewer slots, empty until one does.
    QString digit(int slot) const { return m_digits[index(slot)]; }
    QString answer(int slot) const { return m_answers[index(slot)]; }
    // What Save records now: the last scored result, or null before the first scoring and while
    // a drill is counting down or showing its digits.
    const DrillResult *resultToSave() const;

Q_SIGNALS:
    void started();                       // the row is cleared and covered, the buttons disabled
    void lightChanged(int step);          // the countdown's light 1..3 is the one lit
    void digitsShown(const QString &row); // slot 1 first; the display time counts from here
    void barChanged(int widthTwips);      // the time bar's blue part
    void answersOpened(int boxes);        // boxes 1..boxes open, the first to be filled in
    void focusMoved(int slot);            // the next box to fill in, or answerButton
    void answerEmptied(int slot);         // the box was emptied for the player to enter again
    void scored(const DrillResult &result);

private:
    static size_t index(int slot) { return static_cast<size_t>(slot - 1); }
    qint64 sinceOpened() const;

    DrillState &m_state;
    Clock &m_clock;
    DigitSource &m_digitSource;
    DisplayClock m_displayClock;
    Phase m_after = Phase::Idle; // the phase whenever neither the countdown nor the display runs
    int m_openBoxes = 0;         // how many boxes the last display opened
    qint64 m_openedAtMs = -1;

    std::array<QString, DigitSlots::count> m_digits;
    std::array<QString, DigitSlots::count> m_answers;
    std::array<qint64, DigitSlots::count> m_entryMs{};
    std::array<int, DigitSlots::count> m_fills{};
};
