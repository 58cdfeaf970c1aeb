// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <optional>

// Where the secondary windows (help, 成績グラフ, message boxes) appear beside the main window.
// Without a window manager (as under Xvfb) a new window would sit at the screen's corner, and with
// one it may still be placed off the screen that holds the main window: the windows place
// themselves by these rules. Frames are whole windows, title bar included, in the screen's logical
// pixels; `available` is the screen's available area (without panels).
namespace WindowPlacement {

// The gap left between the main window and a window placed beside it.
constexpr int gap = 8;

// A screen's available area in logical pixels, as far as whole device pixels of the screen reach:
// at a fractional scale (150 %) the logical size is rounded and may claim half a device pixel
// more than the screen has, so one logical pixel less is used each way.
QRect inDevicePixels(const QRect &available, qreal ratio);

// The screen-edge rule: the frame moved, and cut down to the screen's size where it is larger,
// so that it lies wholly on the screen.
QRect onScreen(QRect frame, const QRect &available);

// A frame of the given size beside the owner, level with its top: on its right, or else on its
// left, where the screen has room; nothing where it has room on neither side.
std::optional<QRect> beside(const QSize &frame, const QRect &owner, const QRect &available);

// Beside the owner where the screen has room; otherwise the place on the screen where the frame
// covers least of the owner (on a tie, the one nearest the owner's right and top). A frame that
// must keep clear of part of the owner (where its drill is played) stays a gap away from it, cut
// down where the room above, below or beside that part is smaller than the frame: the place that
// keeps most of the frame wins, then the one covering least of the owner.
QRect besideOrCoveringLeast(const QSize &frame, const QRect &owner, const QRect &available,
                            const QRect &keepClear = {});

} // namespace WindowPlacement
