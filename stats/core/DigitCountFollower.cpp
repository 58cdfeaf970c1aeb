// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/DigitCountFollower.h"

namespace {

QString because(bool up)
{
    return up ? QStringLiteral("2 回続けて全問正解したので") : QStringLiteral("間違いがあったので");
}

} // namespace

QString DigitCountFollower::Change::announcement() const
{
    return QStringLiteral("自動調整：%1、\n次の問題から問題数を %2 にします。")
        .arg(because(up))
        .arg(to);
}

QString DigitCountFollower::Change::explanation() const
{
    return QStringLiteral("自動調整：%1、\n問題数を %2 から %3 にしました。")
        .arg(because(up))
        .arg(from)
        .arg(to);
}

std::optional<DigitCountFollower::Change> DigitCountFollower::follow(int digitCount,
                                                                     bool wholeRowRight)
{
    if (!m_staircase || m_staircase->digitCount() != digitCount)
        m_staircase.emplace(digitCount);
    const int next = m_staircase->step(wholeRowRight);
    if (next == digitCount)
        return std::nullopt;
    return Change{digitCount, next, next > digitCount};
}
