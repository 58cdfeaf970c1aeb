// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// The layout is measured in twips, 15 to a logical pixel (96 dots per inch); Qt scales logical
// pixels for high-DPI screens.
namespace Twips {
constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips >= 0 ? twips + perPixel / 2 : twips - perPixel / 2) / perPixel;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace Twips
