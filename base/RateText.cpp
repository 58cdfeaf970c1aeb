// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/RateText.h"

#include <cstdlib>

QString rateText(int ok, int count)
{
    return rateText(rateTenths(ok, count));
}

int32_t rateTenths(int ok, int count)
{
    Q_ASSERT(count >= 1);
    // In whole numbers, so the rate shown and the rate stored can never differ by a rounding.
    const int64_t scaled = 2000 * std::abs(static_cast<int64_t>(ok)) + count;
    const int64_t tenths = scaled / (2 * static_cast<int64_t>(count));
    return static_cast<int32_t>(ok < 0 ? -tenths : tenths);
}

QString rateText(int32_t tenths)
{
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    const int64_t magnitude = std::abs(static_cast<int64_t>(tenths)); // -INT32_MIN too
    return sign + QString::number(magnitude / 10) + u'.' + QString::number(magnitude % 10) + u'%';
}
