// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/HistoryStats.h"

#include <QWidget>

class CalendarView;
class PositionChart;
class QLabel;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class RateChart;
class SpanPage;
class SpanTrendChart;
class StatsHost;
class SummaryView;

// The window "成績グラフ": the history table's records as charts and a summary, for one digit
// count at a time; the span estimate, its weekly trend and the suggested digit count, for one
// display time or all; the practice calendar and the personal bests. It reads the records the
// table's model holds and follows that model: a saved result is added on, a cleared history
// empties it. It never reads the history file.
class StatsWindow : public QWidget
{
    Q_OBJECT

public:
    enum class View
    {
        Rate,
        Position,
        Summary,
        Span,
        Trend,
        Calendar,
        Bests
    };
    static constexpr int views = 7;

    // owner is the main window, which the window stays with; host gives the records, today's
    // date and the way to pick a digit count in the main window.
    StatsWindow(StatsHost &host, QWidget *owner);

    // The digit count shown; 0 for every count together ("すべて").
    int digitCount() const { return m_digitCount; }
    void chooseDigitCount(int digitCount);
    void chooseView(View view);
    // The display time the span is estimated for; HistoryStats::everyDisplayTime for all.
    int displayTime() const { return m_seconds; }
    void chooseDisplayTime(int seconds);

    const HistoryStats &stats() const { return m_stats; }
    bool showsEmptyState() const;

    QListWidget *digitCountList() const { return m_counts; }
    QListWidget *displayTimeList() const { return m_times; }
    SpanPage *spanPage() const { return m_spanPage; }
    SpanTrendChart *trendChart() const { return m_trendChart; } // null until first shown
    CalendarView *calendarView() const { return m_calendar; }
    QTableWidget *bestsTable() const { return m_bests; }
    RateChart *rateChart() const { return m_rateChart; }
    PositionChart *positionChart() const { return m_positionChart; }
    SummaryView *summaryView() const { return m_summary; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void recount();
    void addRows(int first, int last);
    void addRowsWithoutRefresh(int first, int last);
    void fillDigitCountList();
    void fillDisplayTimeList();
    void showBests();
    void refresh();
    void refreshView();

    StatsHost &m_host;
    HistoryStats m_stats;
    int m_digitCount = 0;
    int m_seconds = HistoryStats::everyDisplayTime;
    int m_rowsCounted = 0; // rows of the model added to the statistics
    // Which views show the present figures; the others are drawn when they are turned to.
    bool m_fresh[views] = {};
    bool m_placed = false;

    QStackedWidget *m_pages = nullptr;
    QLabel *m_empty = nullptr;
    QListWidget *m_counts = nullptr;
    QTabWidget *m_tabs = nullptr;
    RateChart *m_rateChart = nullptr;
    QStackedWidget *m_positionPage = nullptr;
    PositionChart *m_positionChart = nullptr;
    QLabel *m_positionHint = nullptr;
    SummaryView *m_summary = nullptr;
    QListWidget *m_times = nullptr;
    SpanPage *m_spanPage = nullptr;
    QStackedWidget *m_trendPage = nullptr;
    SpanTrendChart *m_trendChart = nullptr;
    QLabel *m_trendHint = nullptr;
    CalendarView *m_calendar = nullptr;
    QTableWidget *m_bests = nullptr;
};
