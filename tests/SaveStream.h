// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DrillResult.h"
#include "records/core/HistoryRecord.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

// The n-th result that the save_stream helper saves (n from 1): each one a second after the
// last, its marks and counts varying with n, so that every line of the stream is told apart
// from the others and its place in the file can be checked. The result carries how it was
// played too, for the drill log: the digits shown, the boxes' texts (an empty box now and
// then), entry times that grow from box to box, and refills.
inline QDateTime streamMoment(int n)
{
    return QDateTime(QDate(2002, 1, 1), QTime(0, 0, 0)).addSecs(n);
}

// How drill n of a result whose marks are set went: the digits shown, each box's text (the
// slot's digit where it is right, now and then empty where wrong), entry times that grow from
// box to box, a refill now and then, and the press of 回答.
inline void streamPlay(DrillResult &result, int n)
{
    for (int i = 0; i < result.digitCount; ++i) {
        const QChar digit = QChar(u'0' + (n + i) % 9);
        result.shown += digit;
        const bool right = result.marks[size_t(i)] == DrillResult::Mark::Right;
        const bool empty = !right && (n + i) % 3 == 0;
        result.answers.append(right   ? QString(digit)
                              : empty ? QString()
                                      : QString(QChar(u'0' + (n + i + 1) % 9)));
        result.entryMs.append(empty ? -1 : 700 + 450 * i + n % 50);
        result.refills.append(empty ? 0 : (n + i) % 4 == 0);
    }
    result.answerMs = 1200 + 450 * result.digitCount + n % 50;
}

inline DrillResult streamResult(int n)
{
    DrillResult result;
    result.digitCount = int16_t(n % 15 + 1);
    result.displaySeconds = int16_t(n % 31);
    for (int i = 0; i < DigitSlots::count; ++i) {
        DrillResult::Mark &mark = result.marks[size_t(i)];
        if (i >= result.digitCount) {
            mark = DrillResult::Mark::Unused;
            continue;
        }
        const bool right = (n >> i) & 1;
        mark = right ? DrillResult::Mark::Right : DrillResult::Mark::Wrong;
        ++(right ? result.right : result.wrong);
    }
    streamPlay(result, n);
    return result;
}

inline HistoryRecord streamRecord(int n)
{
    return HistoryRecord::ofResult(streamMoment(n), streamResult(n));
}
