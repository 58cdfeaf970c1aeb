// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/StatsText.h"

#include <cmath>
#include <cstdlib>

namespace StatsText {

QString percent(double tenths)
{
    const long long rounded = std::llround(tenths);
    const QString sign = rounded < 0 ? QStringLiteral("-") : QString();
    const long long magnitude = std::llabs(rounded);
    return sign + QString::number(magnitude / 10) + u'.' + QString::number(magnitude % 10) + u'%';
}

QString date(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString digitCount(int digits)
{
    return QStringLiteral("%1 桁").arg(digits);
}

QString allDigitCounts()
{
    return QStringLiteral("すべて");
}

QString days(int days)
{
    return QStringLiteral("%1 日").arg(days);
}

} // namespace StatsText
