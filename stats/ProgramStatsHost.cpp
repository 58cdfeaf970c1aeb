// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ProgramStatsHost.h"

#include "base/Clock.h"
#include "records/HistoryModel.h"
#include "resources/JapaneseFont.h"

ProgramStatsHost::ProgramStatsHost(const HistoryModel &model, const Clock &clock,
                                   std::function<void(int digitCount)> chooseDigitCount,
                                   std::function<int()> digitCount)
    : m_model(model), m_clock(clock), m_chooseDigitCount(std::move(chooseDigitCount)),
      m_digitCount(std::move(digitCount))
{
}

const QAbstractItemModel &ProgramStatsHost::historyModel() const
{
    return m_model;
}

int ProgramStatsHost::recordCount() const
{
    return m_model.recordCount();
}

HistoryRecord ProgramStatsHost::record(int row) const
{
    return m_model.record(row);
}

QList<LoggedDrill> ProgramStatsHost::loggedDrills() const
{
    return m_loggedDrills ? m_loggedDrills() : QList<LoggedDrill>();
}

void ProgramStatsHost::setLoggedDrills(std::function<QList<LoggedDrill>()> source)
{
    m_loggedDrills = std::move(source);
}

QDateTime ProgramStatsHost::localNow() const
{
    return m_clock.localNow();
}

QFont ProgramStatsHost::japaneseFont(qreal points) const
{
    return ::japaneseFont(points);
}

void ProgramStatsHost::chooseDigitCount(int digitCount)
{
    if (m_chooseDigitCount)
        m_chooseDigitCount(digitCount);
}

bool ProgramStatsHost::adaptiveDigitCount() const
{
    return m_adaptiveIsOn && m_adaptiveIsOn();
}

void ProgramStatsHost::setAdaptiveDigitCount(bool on)
{
    if (m_turnAdaptive)
        m_turnAdaptive(on);
}

void ProgramStatsHost::setAdaptiveSwitch(std::function<bool()> isOn,
                                         std::function<void(bool on)> turn)
{
    m_adaptiveIsOn = std::move(isOn);
    m_turnAdaptive = std::move(turn);
}

void ProgramStatsHost::setAdaptiveListener(std::function<void(bool on)> listener)
{
    m_adaptiveListener = std::move(listener);
}

void ProgramStatsHost::adaptiveSwitched(bool on)
{
    if (m_adaptiveListener)
        m_adaptiveListener(on);
}

int ProgramStatsHost::digitCount() const
{
    return m_digitCount ? m_digitCount() : 0;
}

QRect ProgramStatsHost::drillArea() const
{
    return m_drillArea ? m_drillArea() : QRect();
}

void ProgramStatsHost::setDrillArea(std::function<QRect()> source)
{
    m_drillArea = std::move(source);
}
