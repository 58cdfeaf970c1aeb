// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AnswerCheck.h"

bool isRightAnswer(const QString &answer, const QString &digit)
{
    return answer.compare(digit, Qt::CaseSensitive) == 0;
}
