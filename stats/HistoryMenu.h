// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/HistoryExport.h"
#include "stats/ProgramStatsHost.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>

class Clock;
class HistoryModel;
class StatsHost;

class QPoint;
class QTableView;
class QWidget;

// The history table's context menu (right click, the Menu key, Shift+F10): the window
// "成績グラフ", the history as a CSV file, and the chosen rows copied as tab-separated text. It
// also keeps that window: one at a time, made only when first asked for, closed with the main
// window.
class HistoryMenu : public QObject
{
    Q_OBJECT

public:
    // chooseDigitCount picks a digit count in the main window's 問題数, for the window's
    // suggestion of what to practise next; digitCount tells the one it shows now.
    HistoryMenu(QTableView &table, const HistoryModel &model, const Clock &clock, QWidget &owner,
                std::function<void(int digitCount)> chooseDigitCount = {},
                std::function<int()> digitCount = {});
    ~HistoryMenu() override;

    // Opens the menu at a point of the screen.
    void popup(const QPoint &globalPos);
    QMenu *menu() const { return m_menu; } // null until first opened

    // "成績グラフ…": opens the window, or raises it when it is open already.
    void openStatsWindow();
    void closeStatsWindow();
    QWidget *statsWindow() const { return m_window; }

    // Makes the window "成績グラフ"; null and a message for the player when it cannot. The
    // window from the program's module (StatsWindowModule) unless a test puts something else
    // here.
    std::function<QWidget *(StatsHost &host, QWidget *owner, QString *error)> makeStatsWindow;
    // Where the window's pages of errors and recall find the drill log's drills.
    void setLoggedDrills(std::function<QList<LoggedDrill>()> source)
    {
        m_host.setLoggedDrills(std::move(source));
    }
    // Where the main window's drill is played (down to the answer boxes), which the window
    // keeps clear of.
    void setDrillArea(std::function<QRect()> source) { m_host.setDrillArea(std::move(source)); }

    // 自動調整, switched from the menu and from the window's suggestion page; the menu's item
    // shows only once this is set.
    void setAdaptiveDigitCount(std::function<bool()> isOn, std::function<void(bool on)> turn);
    // 自動調整 was switched, here or elsewhere: the window's page shows it.
    void adaptiveSwitched(bool on) { m_host.adaptiveSwitched(on); }

    // The menu's "CSV に書き出す…" and "コピー".
    HistoryExport &exporter() { return m_export; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popupAtCurrentCell();

    QTableView &m_table;
    QWidget &m_owner;
    HistoryExport m_export;
    ProgramStatsHost m_host;       // what the window "成績グラフ" is handed
    QPointer<QMenu> m_menu;        // a child of the table
    QAction *m_adaptive = nullptr; // in m_menu, checkable
    QPointer<QWidget> m_window;    // the window "成績グラフ"
};
