#include "drill/core/RateText.h"

QString rateText(int ok, int count)
{
    Q_ASSERT(count >= 1);
    const double percent = static_cast<double>(ok) / static_cast<double>(count) * 100.0;
    return QString::number(percent, 'f', 1) + QLatin1Char('%');
}
