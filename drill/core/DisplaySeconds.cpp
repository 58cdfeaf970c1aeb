// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/DisplaySeconds.h"

#include <algorithm>
#include <limits>

namespace {

template <typename T> T clampInto(qint64 value)
{
    return static_cast<T>(
        std::clamp<qint64>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

} // namespace

int32_t clockSecond(qint64 wholeSeconds)
{
    return clampInto<int32_t>(wholeSeconds);
}

int32_t endSecond(int32_t now, int displaySeconds)
{
    return clampInto<int32_t>(static_cast<qint64>(now) + displaySeconds);
}

int16_t remainingSeconds(int32_t end, int32_t now)
{
    return clampInto<int16_t>(static_cast<qint64>(end) - now);
}
