// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <functional>

// Runs the event loop with one action queued until something ends the program (as 終了 does), so
// that its exit is spent on this loop and not on the next one a test opens. Returns the loop's
// exit code, or -1 if nothing ended it within five seconds.
inline int runUntilExit(const std::function<void()> &action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(-1); });
    guard.start(5000);
    return QCoreApplication::exec();
}
