// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/BarWidth.h"

#include <cmath>
#include <limits>

int barWidth(int remaining, int displaySeconds, int fullWidth)
{
    if (displaySeconds < 1)
        return 0;
    const double width = static_cast<double>(remaining) / static_cast<double>(displaySeconds) *
                         100.0 * static_cast<double>(fullWidth) / 100.0;
    const double whole = std::floor(width);
    if (!(whole > 0.0)) // also catches NaN
        return 0;
    // Converting a double beyond int's range is undefined; the bar cannot be that wide anyway.
    if (whole >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}
