// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/DrillAnalyses.h"

void DrillAnalyses::clear()
{
    m_read = false;
    m_drills.clear();
    m_bySeconds.clear();
}

const DrillAnalysis &DrillAnalyses::of(int displaySeconds)
{
    if (!m_read) {
        m_drills = m_source ? m_source() : QList<LoggedDrill>();
        m_read = true;
    }
    if (displaySeconds < 0)
        displaySeconds = everyDisplayTime;
    const auto found = m_bySeconds.find(displaySeconds);
    if (found != m_bySeconds.end())
        return found->second;
    DrillAnalysis &analysis = m_bySeconds[displaySeconds];
    for (const LoggedDrill &drill : m_drills) {
        if (displaySeconds == everyDisplayTime || drill.result.displaySeconds == displaySeconds)
            analysis.add(drill.result);
    }
    return analysis;
}
