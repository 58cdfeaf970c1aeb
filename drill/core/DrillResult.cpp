// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drill/core/DrillResult.h"

#include "drill/core/AnswerCheck.h"

#include <QStringList>

DrillResult DrillResult::score(const QStringList &answers, const QStringList &digits,
                               int16_t digitCount, int16_t displaySeconds)
{
    DrillResult result;
    result.intMonsu = digitCount;
    result.intJikan = displaySeconds;
    for (int i = 0; i < DigitSlots::count; ++i) {
        Mark &mark = result.marks[static_cast<size_t>(i)];
        if (i >= digitCount) {
            mark = Mark::Unused;
        } else if (isRightAnswer(answers.at(i), digits.at(i))) {
            mark = Mark::Right;
            ++result.intOk;
        } else {
            mark = Mark::Wrong;
            ++result.intNg;
        }
    }
    return result;
}
