// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/DrillDetailText.h"

#include <QStringList>

namespace {

const QString none = QStringLiteral("－");

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000, 'f', 1) + QStringLiteral("秒");
}

} // namespace

QString drillDetailText(const LoggedDrill &drill)
{
    const DrillResult &r = drill.result;
    QStringList shown, typed, times, refills;
    for (int i = 0; i < r.digitCount; ++i) {
        shown.append(r.shown.mid(i, 1));
        const QString answer = r.answers.value(i);
        typed.append(answer.isEmpty() ? none : answer);
        const qint64 ms = r.entryMs.value(i, -1);
        times.append(ms < 0 ? none : seconds(ms));
        if (r.refills.value(i) > 0)
            refills.append(QStringLiteral("%1番目の欄で%2回").arg(i + 1).arg(r.refills.value(i)));
    }
    QStringList lines{
        QStringLiteral("表示された数字：") + shown.join(u' '),
        QStringLiteral("入力した数字：") + typed.join(u' '),
    };
    if (times.count(none) < times.size())
        lines.append(QStringLiteral("入力の時刻（回答欄が開いてから）：") + times.join(u'、'));
    if (r.answerMs >= 0)
        lines.append(QStringLiteral("回答ボタン：") + seconds(r.answerMs));
    if (!refills.isEmpty())
        lines.append(QStringLiteral("入れ直し：") + refills.join(u'、'));
    return lines.join(u'\n');
}
