// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/HistoryStats.h"

#include <QWidget>

class Clock;
class HistoryModel;
class PositionChart;
class QLabel;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class RateChart;
class SummaryView;

// The window "成績グラフ": the history table's records as charts and a summary, for one digit
// count at a time. It reads the records the table's model holds and follows that model: a
// saved result is added on, a cleared history empties it. It never reads the history file.
class StatsWindow : public QWidget
{
    Q_OBJECT

public:
    enum class View
    {
        Rate,
        Position,
        Summary
    };

    // owner is the main window, which the window stays with; clock gives today's date for the
    // run of days.
    StatsWindow(const HistoryModel &model, const Clock &clock, QWidget *owner);

    // The digit count shown; 0 for every count together ("すべて").
    int digitCount() const { return m_digitCount; }
    void chooseDigitCount(int digitCount);
    void chooseView(View view);

    const HistoryStats &stats() const { return m_stats; }
    bool showsEmptyState() const;

    QListWidget *digitCountList() const { return m_counts; }
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
    void refresh();
    void refreshView();

    const HistoryModel &m_model;
    const Clock &m_clock;
    HistoryStats m_stats;
    int m_digitCount = 0;
    int m_rowsCounted = 0; // rows of the model added to the statistics
    // Which views show the present figures; the others are drawn when they are turned to.
    bool m_fresh[3] = {};
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
};
