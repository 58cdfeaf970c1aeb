// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/LoggedDrill.h"
#include "stats/core/DrillAnalysis.h"

#include <QList>
#include <functional>
#include <map>

// The analysis of the logged drills, of one display time or of all, each made when first asked
// for and kept until the log may have changed: the drill log is read once for all of them.
class DrillAnalyses
{
public:
    static constexpr int everyDisplayTime = -1;
    using Source = std::function<QList<LoggedDrill>()>;

    explicit DrillAnalyses(Source source) : m_source(std::move(source)) {}

    // The log may have changed: it is read again when an analysis is next asked for.
    void clear();
    const DrillAnalysis &of(int displaySeconds);

private:
    Source m_source;
    bool m_read = false;
    QList<LoggedDrill> m_drills;
    std::map<int, DrillAnalysis> m_bySeconds;
};
