// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

class DrillAnalyses;
class HistoryStats;
class QWidget;

// The figures every page of 成績グラフ is drawn from.
struct StatsFigures
{
    const HistoryStats &history;
    DrillAnalyses &drills; // of the drill log, made when a page first asks
};

// What the player chose in the window: the digit count (0 for every count together), the
// display time (HistoryStats::everyDisplayTime for all) and today's date.
struct StatsSelection
{
    int digitCount = 0;
    int displaySeconds = -1;
    QDate today;
};

// A page of 成績グラフ, one tab: its caption, its widget and the one way it is drawn. The window
// draws a page when it is turned to, if the figures or the selection changed since it was last
// drawn; a new page is one class and one line in the window's list of pages.
class StatsPage
{
public:
    virtual ~StatsPage() = default;

    // The page's name, as the help and the screen reader give it.
    virtual QString title() const = 0;
    // The tab's caption, short enough that every tab of the window reads whole.
    virtual QString tabTitle() const { return title(); }
    // The tab's content: the page itself, which is a widget too.
    virtual QWidget *widget() = 0;
    virtual void refresh(const StatsFigures &figures, const StatsSelection &selection) = 0;
};
