#include "stats/core/StatsText.h"

#include "drill/core/RateText.h"

#include <cmath>

namespace StatsText {

QString percent(double tenths)
{
    // Means of rates the history holds, so within the range of one.
    return rateText(static_cast<int32_t>(std::lround(tenths)));
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
