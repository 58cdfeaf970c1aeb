// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Prepares what the window needs first on a thread of its own, while QApplication loads the
// platform plugin and connects to the display (some 13 ms in which the window's thread mostly
// waits for the X server): it reads the desktop's font configuration (fontconfig's XML files and
// font list, the largest single piece of any Qt window's start-up), then does what it is given
// as well (the program decodes its pictures there). By the time the controls are made all is
// ready.
//
// Made once, on the window's thread, before QApplication. japaneseFont() and Pictures wait for it
// before they first use what it prepares; two threads asking fontconfig at once would each read
// the whole configuration.
//
// The thread is the process's own, kept in StartupWarmUp.cpp; an object of this class only
// starts it and, going out of scope, waits for it, so that main() never returns while it runs.
class StartupWarmUp
{
public:
    // Starts the work, unless it was started before; andThen, if given, runs on the same thread
    // after the font configuration and must need no QGuiApplication.
    explicit StartupWarmUp(void (*andThen)() = nullptr);
    ~StartupWarmUp(); // waits for it
    StartupWarmUp(const StartupWarmUp &) = delete;
    StartupWarmUp &operator=(const StartupWarmUp &) = delete;

    // Waits until the work in progress, if any, is over. Window's thread only.
    static void wait();
};
