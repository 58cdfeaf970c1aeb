// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/DigitCountFollower.h"

#include <QObject>
#include <functional>
#include <optional>

class ChoiceCombo;
class DrillSession;
class ProgramPreferences;
class QLabel;
class QWidget;
struct DrillResult;

// 自動調整, when the player turns it on: after each drill the digit count for the next one is
// decided by DigitCountFollower and said at once in a notice over the title logo, away from the
// digits and the boxes; the next スタート then picks it in 問題数 as the player would. It waits
// for スタート so that the drill just scored keeps its digit count while the player may still
// press 回答 again or save it. A count the player chooses meanwhile, even the one shown, wins.
// Off, it does nothing.
class AdaptiveDigitCount : public QObject
{
    Q_OBJECT

public:
    // The notice takes the logo's place while shown; digitCountList is 問題数, and
    // chooseDigitCount picks a count in it.
    AdaptiveDigitCount(DrillSession &session, ProgramPreferences &preferences, QLabel &logo,
                       ChoiceCombo &digitCountList,
                       std::function<void(int digitCount)> chooseDigitCount);

    bool isOn() const;
    // Turned on or off by the player: remembered, a failed write told in a message box.
    void setOn(bool on);

    // スタート was pressed: the count decided after the last drill is taken before it starts.
    void beforeStart();

    const QLabel &notice() const { return *m_notice; }

Q_SIGNALS:
    void switched(bool on);

private:
    void drillScored(const DrillResult &result);
    void countChosen();
    void tell(const QString &text);

    ProgramPreferences &m_preferences;
    QWidget &m_form;
    ChoiceCombo &m_digitCountList;
    QLabel *m_notice; // a child of the window, over the logo
    std::function<void(int)> m_chooseDigitCount;
    DigitCountFollower m_follower;
    std::optional<DigitCountFollower::Change> m_next; // decided, not yet taken
    bool m_scoredOnce = false; // the drill on screen has been scored: a rescoring is not a drill
};
