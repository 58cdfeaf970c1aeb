// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"
#include "stats/core/DrillAnalyses.h"
#include "stats/core/HistoryStats.h"

#include <QList>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QTabWidget;
class StatsChoiceList;
class StatsHost;

// The window "成績グラフ": the history table's records as pages of charts and tables (StatsPage),
// each drawn from the figures and what the player chose at the side: a digit count (or all
// counts) and a display time (or all). It reads the records the table's model holds and follows
// that model: a saved result is added on, a cleared history empties it. It never reads the
// history file.
class StatsWindow : public QWidget
{
    Q_OBJECT

public:
    // owner is the main window, which the window stays with; host gives the records, today's
    // date and the way to pick a digit count in the main window.
    StatsWindow(StatsHost &host, QWidget *owner);

    // The digit count shown; 0 for every count together ("すべて").
    int digitCount() const { return m_selection.digitCount; }
    void chooseDigitCount(int digitCount);
    // The display time the span is estimated for; HistoryStats::everyDisplayTime for all.
    int displayTime() const { return m_selection.displaySeconds; }
    void chooseDisplayTime(int seconds);

    // The page of a class, as the tabs hold it; null if there is none.
    template <class Page> Page *page() const
    {
        for (StatsPage *each : m_pageList) {
            if (auto *found = dynamic_cast<Page *>(each))
                return found;
        }
        return nullptr;
    }
    // Turns to a page, which is drawn if it is not up to date.
    template <class Page> void choosePage() { choosePage(page<Page>()); }
    void choosePage(StatsPage *page);

    const HistoryStats &stats() const { return m_stats; }
    bool showsEmptyState() const;

    StatsChoiceList *digitCountList() const { return m_counts; }
    StatsChoiceList *displayTimeList() const { return m_times; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void recount();
    void addRows(int first, int last);
    void addRowsWithoutRefresh(int first, int last);
    void fillChoiceLists();
    void refresh();
    void refreshPage();

    StatsHost &m_host;
    HistoryStats m_stats;
    DrillAnalyses m_drills;
    StatsSelection m_selection{0, HistoryStats::everyDisplayTime, {}};
    int m_rowsCounted = 0;         // rows of the model added to the statistics
    QList<StatsPage *> m_pageList; // in the order of the tabs
    // The pages that show the present figures; the others are drawn when they are turned to.
    QList<StatsPage *> m_freshPages;
    bool m_placed = false;

    QStackedWidget *m_pages = nullptr;
    QLabel *m_empty = nullptr;
    StatsChoiceList *m_counts = nullptr;
    StatsChoiceList *m_times = nullptr;
    QTabWidget *m_tabs = nullptr;
};
