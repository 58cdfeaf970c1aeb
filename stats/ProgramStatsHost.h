// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsHost.h"

#include <functional>

class Clock;
class HistoryModel;

// The program's side of StatsHost: the history table's model, the drill's clock, the program's
// font, and the main window's way of choosing a digit count.
class ProgramStatsHost : public StatsHost
{
public:
    ProgramStatsHost(const HistoryModel &model, const Clock &clock,
                     std::function<void(int digitCount)> chooseDigitCount,
                     std::function<int()> digitCount = {});

    const QAbstractItemModel &historyModel() const override;
    int recordCount() const override;
    HistoryRecord record(int row) const override;
    QList<LoggedDrill> loggedDrills() const override;
    // Where the logged drills come from; none until it is set.
    void setLoggedDrills(std::function<QList<LoggedDrill>()> source);
    QDateTime localNow() const override;
    QFont japaneseFont(qreal points) const override;
    void chooseDigitCount(int digitCount) override;
    bool adaptiveDigitCount() const override;
    void setAdaptiveDigitCount(bool on) override;
    // How 自動調整 is asked and switched; off, and not to be switched, until it is set.
    void setAdaptiveSwitch(std::function<bool()> isOn, std::function<void(bool on)> turn);
    bool canSwitchAdaptive() const { return bool(m_turnAdaptive); }
    void setAdaptiveListener(std::function<void(bool on)> listener) override;
    // 自動調整 was switched: tells the listener.
    void adaptiveSwitched(bool on);
    int digitCount() const override;
    QRect drillArea() const override;
    // Where the drill is played; nothing until it is set.
    void setDrillArea(std::function<QRect()> source);

private:
    const HistoryModel &m_model;
    const Clock &m_clock;
    std::function<void(int)> m_chooseDigitCount;
    std::function<QList<LoggedDrill>()> m_loggedDrills;
    std::function<bool()> m_adaptiveIsOn;
    std::function<void(bool)> m_turnAdaptive;
    std::function<void(bool)> m_adaptiveListener;
    std::function<int()> m_digitCount;
    std::function<QRect()> m_drillArea;
};
