// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the module "ketamori-stats.so", which holds the window "成績グラフ" and
// its charts; the program finds it by name when the player first opens the window.
#include "stats/StatsWindow.h"
#include "stats/StatsWindowModule.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT QWidget *ketamoriMakeStatsWindow(StatsHost &host, QWidget *owner)
{
    return new StatsWindow(host, owner);
}

static_assert(std::is_same_v<decltype(&ketamoriMakeStatsWindow), StatsWindowModule::Entry>);
