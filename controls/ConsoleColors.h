// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>

// The fixed colours of the window, from the 16-colour console palette and the layout. Every
// other colour follows the desktop's theme.
namespace ConsoleColors {
constexpr QRgb black = qRgb(0, 0, 0);
constexpr QRgb white = qRgb(255, 255, 255);      // palette 15: answer boxes at reset, the cover
constexpr QRgb lightGreen = qRgb(0, 255, 0);     // palette 10: a right answer
constexpr QRgb lightMagenta = qRgb(255, 0, 255); // palette 13: a wrong answer
constexpr QRgb green = qRgb(0, 128, 0);          // the right count
constexpr QRgb red = qRgb(255, 0, 0);            // the wrong count, the time used
constexpr QRgb blue = qRgb(0, 0, 255);           // the time left
constexpr QRgb lightGrey = qRgb(192, 192, 192);  // the cover's hatch, lines between cells
constexpr QRgb darkGrey = qRgb(128, 128, 128);   // the cover's border, beyond the last cell
} // namespace ConsoleColors
