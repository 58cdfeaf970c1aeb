// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/Drill.h"

#include "base/DigitSlots.h"
#include "base/RateText.h"
#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"
#include "controls/ConsoleColors.h"
#include "controls/Shape.h"
#include "controls/ValueLabel.h"
#include "drill/core/DrillSession.h"
#include "drill/core/DrillState.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLabel>
#include <QTimer>

Drill::Drill(const DrillControls &ui, const DrillState &state, DrillSession &session)
    : m_ui(ui), m_state(state), m_session(session)
{
    QObject::connect(&session, &DrillSession::started, [this] { showStarted(); });
    QObject::connect(&session, &DrillSession::lightChanged, [this](int step) { showLight(step); });
    QObject::connect(&session, &DrillSession::digitsShown,
                     [this](const QString &row) { showDigits(row); });
    QObject::connect(&session, &DrillSession::barChanged,
                     [this](int width) { m_ui.shpJikanK->setWidthTwips(width); });
    QObject::connect(&session, &DrillSession::answersOpened,
                     [this](int boxes) { openAnswers(boxes); });
    QObject::connect(&session, &DrillSession::focusMoved, [this](int slot) { moveFocus(slot); });
    QObject::connect(&session, &DrillSession::answerEmptied,
                     [this](int slot) { m_ui.txtKaitou(slot)->setText(QString()); });
    QObject::connect(&session, &DrillSession::scored,
                     [this](const DrillResult &result) { showResult(result); });
}

void Drill::cmdStart_Click()
{
    // Text an input method is still composing elsewhere (in the history table, say) is settled
    // now, so that none of it turns up in this drill's answer boxes.
    QGuiApplication::inputMethod()->reset();
    m_session.start();
}

void Drill::tmrStart_Timer()
{
    m_session.countdownTick();
}

void Drill::tmrKt_Timer()
{
    m_session.displayTick();
}

void Drill::txtKaitou_Change(int index)
{
    m_session.setAnswer(index, m_ui.txtKaitou(index)->text());
}

void Drill::txtKaitou_Click(int index)
{
    m_session.emptyAnswer(index);
}

void Drill::cmdKaitou_Click()
{
    m_session.score();
}

void Drill::showStarted()
{
    DrillControls &f = m_ui;
    for (int i = 1; i <= DigitSlots::count; ++i) {
        f.lblMondai(i)->setVisible(false); // its caption keeps the last drill's digit
        f.txtKaitou(i)->setVisible(false);
        f.txtKaitou(i)->setBackColor(QColor(ConsoleColors::white));
        f.txtKaitou(i)->setText(QString());
    }
    f.shpJikanK->setWidthTwips(m_state.intBarWidth);
    f.shpWaku->setVisible(true);
    for (int i = 1; i <= m_state.intMonsu; ++i)
        f.lblMondai(i)->setVisible(true); // still under the cover
    f.lblOk->setText(QString());
    f.lblNg->setText(QString());
    f.lblRitu->setText(QString());
    f.cmdStart->setEnabled(false);
    f.cmdKaitou->setEnabled(false);
}

// The green light stays lit until the next drill's first tick.
void Drill::showLight(int step)
{
    for (int k = 1; k <= 3; ++k)
        m_ui.imgStart(k)->setVisible(k == step);
}

void Drill::showDigits(const QString &row)
{
    DrillControls &f = m_ui;
    f.shpWaku->setVisible(false);
    // Painted now, before the session reads the clock: the display time counts from here.
    for (int i = 1; i <= row.size(); ++i) {
        f.lblMondai(i)->setText(row.mid(i - 1, 1));
        f.lblMondai(i)->repaint();
    }
    // The display ticks are counted from here: the first comes half a second after the digits
    // appear. Left to its own phase it could fall due in this same pass of the event loop and
    // cover the digits of a 0-second display before they were ever painted. Restarting keeps
    // the interval, and a stopped timer stays stopped.
    if (f.tmrKt->isActive())
        f.tmrKt->start();
}

void Drill::openAnswers(int boxes)
{
    DrillControls &f = m_ui;
    f.shpWaku->setVisible(true);
    for (int i = 1; i <= boxes; ++i)
        f.txtKaitou(i)->setVisible(true);
    f.txtKaitou(1)->setFocus();
    f.cmdStart->setEnabled(true);
    f.cmdKaitou->setEnabled(true);
}

void Drill::moveFocus(int slot)
{
    if (slot == DrillSession::answerButton)
        m_ui.cmdKaitou->setFocus();
    else
        m_ui.txtKaitou(slot)->setFocus();
}

// The boxes turn green or magenta, the digits are uncovered beside them, and the counts and the
// rate are shown.
void Drill::showResult(const DrillResult &result)
{
    DrillControls &f = m_ui;
    for (int i = 1; i <= result.digitCount; ++i) {
        const bool right = result.marks[static_cast<size_t>(i - 1)] == DrillResult::Mark::Right;
        f.txtKaitou(i)->setBackColor(
            QColor(right ? ConsoleColors::lightGreen : ConsoleColors::lightMagenta));
    }
    f.shpWaku->setVisible(false);
    f.lblOk->setText(QString::number(result.right));
    f.lblNg->setText(QString::number(result.wrong));
    f.lblRitu->setText(rateText(result.right, result.digitCount));
    f.cmdStart->setFocus();
}
