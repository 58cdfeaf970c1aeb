// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class StatsHost;
class QWidget;

// The window "成績グラフ" is built into a module of its own, beside the program, and loaded the
// first time the player opens it: Qt Charts and the OpenGL libraries beneath it are then linked
// only when charts are asked for, not at every start-up. The module reaches the program only
// through the StatsHost it is handed (the history, the clock, the font, the choice of digit count);
// built with the program, the two are always installed together.
class StatsWindowModule
{
public:
    // The module's file name, as the build names it.
    static QString fileName();
    // The module beside the running program.
    static QString defaultPath();

    // The module's one entry point: makes the window, as StatsWindow's constructor does.
    using Entry = QWidget *(*)(StatsHost &host, QWidget *owner);
    static constexpr char entryName[] = "ketamoriMakeStatsWindow";

    // Loads the module at path (once; it stays loaded) and makes the window. When the module is
    // missing or cannot be loaded, returns null and a message for the player naming it.
    static QWidget *makeWindow(const QString &path, StatsHost &host, QWidget *owner,
                               QString *error);
};
