// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/LoggedDrill.h"

#include "records/core/HistoryLine.h"

namespace {

// 9999-12-31 23:59:59.999 UTC: the history's dates have four-digit years.
constexpr qint64 latestMoment = Q_INT64_C(253402300799999);
constexpr int widestOffset = 18 * 60 * 60;

bool isTime(qint64 ms)
{
    return ms == -1 || (ms >= 0 && ms <= LoggedDrill::longestMs);
}

} // namespace

bool LoggedDrill::makesSense(qint64 historyLines) const
{
    const DrillResult &r = result;
    const qsizetype count = r.digitCount;
    if (count < 1 || count > DigitSlots::count || r.displaySeconds < 0 || r.displaySeconds > 30)
        return false;
    if (r.shown.size() != count || r.answers.size() != count || r.entryMs.size() != count ||
        r.refills.size() != count)
        return false;
    for (const QChar digit : r.shown) {
        if (digit < u'0' || digit > u'8')
            return false;
    }
    int right = 0;
    for (qsizetype i = 0; i < DigitSlots::count; ++i) {
        const DrillResult::Mark mark = r.marks[size_t(i)];
        if ((i < count) == (mark == DrillResult::Mark::Unused))
            return false;
        right += mark == DrillResult::Mark::Right;
    }
    if (r.right != right || r.wrong != count - right)
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        if (r.answers.at(i).size() > longestAnswer || !isTime(r.entryMs.at(i)) ||
            r.refills.at(i) < 0 || r.refills.at(i) > mostRefills)
            return false;
    }
    if (!isTime(r.answerMs))
        return false;
    if (savedAtUtcMs < 0 || savedAtUtcMs > latestMoment || utcOffsetSeconds < -widestOffset ||
        utcOffsetSeconds > widestOffset)
        return false;
    if (lineNumber < 1 || lineNumber > historyLines)
        return false;
    // The line's own marks and seconds: a detail never says other than its line.
    const std::optional<HistoryRecord> line = HistoryLine::parse(historyLine);
    return line && line->marks == r.marks && line->seconds == r.displaySeconds &&
           line->ok == r.right && line->ng == r.wrong;
}
