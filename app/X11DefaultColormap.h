// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// On X11, Qt gives each window a colormap of its own making, even a window of the screen's default
// visual, where the screen's default colormap shows exactly the same colours. Nothing installs
// that colormap where no window manager runs (as under Xvfb), and a screen dump of the whole
// screen (`xwd -root`), meeting several windows with the same uninstalled colormap, reads every
// one of them after the first as a black rectangle: the drop-down lists, message boxes and other
// windows the player sees painted. Windows of the default visual are therefore given the screen's
// default colormap as soon as they exist; windows of any other visual keep Qt's.
class X11DefaultColormap : public QObject
{
public:
    // Watches every window the program creates from now on, when it runs on X11; elsewhere
    // (Wayland, the offscreen platform) it does nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
