#include "records/HistoryRecord.h"

#include "drill/RateText.h"

namespace {
QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}
} // namespace

HistoryRecord HistoryRecord::ofResult(const QDateTime &now, const QString &marks, int16_t ok,
                                      int16_t ng, int digitCount, int displaySeconds)
{
    HistoryRecord record;
    record.date = now.date();
    record.time = now.time().toString(QStringLiteral("HH:mm:ss"));
    record.marks = marks;
    record.ok = ok;
    record.ng = ng;
    record.rate = rateText(ok, digitCount);
    record.seconds = QString::number(displaySeconds) + u'秒';
    return record;
}

QString HistoryRecord::fileDate() const
{
    return QString::number(date.year()).rightJustified(4, u'0') + u'/' + twoDigits(date.month()) +
           u'/' + twoDigits(date.day());
}

QString HistoryRecord::tableDate() const
{
    return twoDigits(date.year() % 100) + u'/' + twoDigits(date.month()) + u'/' +
           twoDigits(date.day());
}
