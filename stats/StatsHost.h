// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"
#include "records/core/LoggedDrill.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QRect>

#include <functional>

class QAbstractItemModel;

// What the window "成績グラフ" needs of the program, handed to it when it is made. The window
// lives in a module of its own (StatsWindowModule) that calls no function of the program by
// name: all it uses of the program comes through these virtual functions, so the program needs
// to export nothing and the module loads into any build of it with the same interface.
class StatsHost
{
public:
    virtual ~StatsHost() = default;

    // The history table's model, whose signals the window follows (a save, a clear).
    virtual const QAbstractItemModel &historyModel() const = 0;
    virtual int recordCount() const = 0;
    virtual HistoryRecord record(int row) const = 0;
    // The drills of the drill log, oldest first: what was shown, typed and when, for the pages
    // of how the player fails and recalls. Asked for again after every change of the model.
    virtual QList<LoggedDrill> loggedDrills() const = 0;

    // The local date and time now, for the runs of days and the calendar.
    virtual QDateTime localNow() const = 0;
    // The program's Japanese face at a size in points.
    virtual QFont japaneseFont(qreal points) const = 0;

    // Picks a digit count (1 to 15) in the main window's 問題数 as choosing it from that list
    // does: the settings file is rewritten, and a failed write is told to the player there.
    virtual void chooseDigitCount(int digitCount) = 0;

    // The digit count the main window's 問題数 shows now: the one the window opens on.
    virtual int digitCount() const = 0;
    // Where the main window's drill is played, on the screen in logical pixels: from its top
    // (the buttons, the choices) down to the answer boxes. A window that cannot stand beside the
    // main window keeps clear of it. Empty when there is nothing to keep clear.
    virtual QRect drillArea() const = 0;

    // 自動調整: whether the main window's digit count follows the player drill by drill, and
    // turning it on or off (remembered; a failed write is told to the player there).
    virtual bool adaptiveDigitCount() const = 0;
    virtual void setAdaptiveDigitCount(bool on) = 0;
    // Told of every switch of 自動調整, from wherever it is made (the history table's menu, the
    // window's own page); an empty function stops it. One at a time.
    virtual void setAdaptiveListener(std::function<void(bool on)> listener) = 0;
};
