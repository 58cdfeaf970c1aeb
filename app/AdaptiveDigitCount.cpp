// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AdaptiveDigitCount.h"

#include "base/DrillResult.h"
#include "controls/ChoiceCombo.h"
#include "drill/core/DrillSession.h"
#include "records/WriteWarning.h"
#include "records/core/ProgramPreferences.h"
#include "resources/JapaneseFont.h"

#include <QLabel>

AdaptiveDigitCount::AdaptiveDigitCount(DrillSession &session, ProgramPreferences &preferences,
                                       QLabel &logo, ChoiceCombo &digitCountList,
                                       std::function<void(int digitCount)> chooseDigitCount)
    : m_preferences(preferences), m_form(*logo.parentWidget()), m_digitCountList(digitCountList),
      m_notice(new QLabel(logo.parentWidget())), m_chooseDigitCount(std::move(chooseDigitCount))
{
    // Drawn like a tooltip, in the logo's place: a note beside the drill, not a part of it.
    m_notice->setObjectName(QStringLiteral("adaptiveNotice"));
    m_notice->setGeometry(logo.geometry());
    m_notice->setFont(japaneseFont(10.5));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_notice->setFrameShape(QFrame::Box);
    m_notice->setMargin(4);
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->hide();
    tell(QString());

    connect(&session, &DrillSession::started, this, [this] { m_scoredOnce = false; });
    connect(&session, &DrillSession::scored, this, &AdaptiveDigitCount::drillScored);
    connect(&digitCountList, &ChoiceCombo::chosen, this, &AdaptiveDigitCount::countChosen);
}

bool AdaptiveDigitCount::isOn() const
{
    return m_preferences.adaptiveDigitCount();
}

void AdaptiveDigitCount::setOn(bool on)
{
    if (on == isOn())
        return;
    QString error;
    if (!m_preferences.setAdaptiveDigitCount(on, &error)) {
        warnNotWritten(
            &m_form, error,
            QStringLiteral("この切り替えはこのまま使いますが、次回の起動時には元に戻ります。"));
    }
    if (!on)
        m_next.reset();
    tell(QString());
    Q_EMIT switched(on);
}

void AdaptiveDigitCount::drillScored(const DrillResult &result)
{
    if (m_scoredOnce || !isOn())
        return;
    m_scoredOnce = true;
    m_next = m_follower.follow(result.digitCount, result.wrong == 0);
    tell(m_next ? m_next->announcement() : QString());
}

void AdaptiveDigitCount::beforeStart()
{
    if (!m_next)
        return;
    const DigitCountFollower::Change change = *m_next;
    m_next.reset();
    if (!isOn())
        return;
    m_chooseDigitCount(change.to);
    tell(change.explanation());
}

// A count chosen in 問題数 while a change waits: the player's choice wins, and the notice of
// what would have been goes. (The change itself, taken at スタート, is no longer waiting then.)
void AdaptiveDigitCount::countChosen()
{
    if (!m_next)
        return;
    m_next.reset();
    tell(QString());
}

// The notice stays until the next drill is scored; the same words are 問題数's tooltip and
// description, for a player who looks there or a screen reader that reads it.
void AdaptiveDigitCount::tell(const QString &text)
{
    m_notice->setText(text);
    // A screen reader reads the notice's words as its name.
    m_notice->setAccessibleName(text.isEmpty() ? QStringLiteral("自動調整のお知らせ") : text);
    m_notice->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        m_notice->raise();
    QString about;
    if (isOn()) {
        about =
            text.isEmpty() ? QStringLiteral("自動調整：問題数は結果に合わせて変わります。") : text;
    }
    m_digitCountList.setToolTip(about);
    m_digitCountList.setAccessibleDescription(about);
}
