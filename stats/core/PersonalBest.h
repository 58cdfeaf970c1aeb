// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QTime>

// The longest row answered wholly right at one display time, and when it first was.
struct PersonalBest
{
    int seconds = 0;
    int digitCount = 0;
    QDate date;
    QTime time;
};
