// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryRecord.h"

#include "base/RateText.h"

namespace {
QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}
} // namespace

HistoryRecord HistoryRecord::ofResult(const QDateTime &now, const DrillResult &result)
{
    HistoryRecord record;
    record.date = now.date();
    const QTime time = now.time();
    record.time = QTime(time.hour(), time.minute(), time.second());
    record.marks = result.marks;
    record.ok = result.right;
    record.ng = result.wrong;
    record.rateTenths = ::rateTenths(result.right, result.digitCount);
    record.seconds = result.displaySeconds;
    return record;
}

QChar HistoryRecord::markChar(Mark mark)
{
    switch (mark) {
    case Mark::Right:
        return u'○';
    case Mark::Wrong:
        return u'×';
    case Mark::Unused:
        break;
    }
    return u'－';
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

QString HistoryRecord::timeText() const
{
    return twoDigits(time.hour()) + u':' + twoDigits(time.minute()) + u':' +
           twoDigits(time.second());
}

QString HistoryRecord::marksText() const
{
    QString text(slotCount, Qt::Uninitialized);
    for (int i = 0; i < slotCount; ++i)
        text[i] = markChar(marks[static_cast<size_t>(i)]);
    return text;
}

QString HistoryRecord::percentText() const
{
    return rateText(rateTenths);
}

QString HistoryRecord::secondsText() const
{
    return QString::number(seconds) + u'秒';
}
