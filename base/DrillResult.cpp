// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/DrillResult.h"

#include "base/AnswerCheck.h"

#include <QStringList>

DrillResult DrillResult::score(const QStringList &answers, const QStringList &digits,
                               int16_t digitCount, int16_t displaySeconds)
{
    DrillResult result;
    result.digitCount = digitCount;
    result.displaySeconds = displaySeconds;
    for (int i = 0; i < digitCount; ++i) {
        result.shown.append(digits.at(i));
        result.answers.append(answers.at(i));
    }
    for (int i = 0; i < DigitSlots::count; ++i) {
        Mark &mark = result.marks[static_cast<size_t>(i)];
        if (i >= digitCount) {
            mark = Mark::Unused;
        } else if (isRightAnswer(answers.at(i), digits.at(i))) {
            mark = Mark::Right;
            ++result.right;
        } else {
            mark = Mark::Wrong;
            ++result.wrong;
        }
    }
    return result;
}
