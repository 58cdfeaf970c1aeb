// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/StatsText.h"

#include "base/RateText.h"
#include "stats/core/ErrorKind.h"
#include "stats/core/SpanEstimate.h"

#include <QLocale>

#include <cmath>

namespace StatsText {

QString percent(double tenths)
{
    // Means of rates the history holds, so within the range of one.
    return rateText(static_cast<int32_t>(std::lround(tenths)));
}

QString date(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString digitCount(int digits)
{
    return QStringLiteral("%1 桁").arg(digits);
}

QString allDigitCounts()
{
    return QStringLiteral("すべて");
}

QString days(int days)
{
    return QStringLiteral("%1 日").arg(days);
}

QString displayTime(int seconds)
{
    return seconds < 0 ? allDigitCounts() : QStringLiteral("%1 秒").arg(seconds);
}

QString grouping(const QList<int> &groups)
{
    QStringList sizes;
    for (int size : groups)
        sizes.append(QString::number(size));
    return sizes.join(u'-');
}

QString errorKind(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::NeighbourSwap:
        return QStringLiteral("隣どうしの入れ替え");
    case ErrorKind::DistantSwap:
        return QStringLiteral("離れた数字の入れ替え");
    case ErrorKind::Omission:
        return QStringLiteral("1 つ抜けてずれた");
    case ErrorKind::Insertion:
        return QStringLiteral("1 つ増えてずれた");
    case ErrorKind::Replacement:
        return QStringLiteral("1 つだけ違う数字");
    case ErrorKind::EmptyEnd:
        return QStringLiteral("終わりが空欄");
    case ErrorKind::Several:
        break;
    }
    return QStringLiteral("いくつもの間違い");
}

QString digits(double digits)
{
    return QStringLiteral("%1 桁").arg(digits, 0, 'f', 1);
}

QString practiceDay(QDate date, const PracticeDays::Day &day)
{
    const QString when =
        QStringLiteral("%1（%2）")
            .arg(StatsText::date(date),
                 QLocale(QLocale::Japanese).dayName(date.dayOfWeek(), QLocale::ShortFormat));
    if (day.results == 0)
        return when + QStringLiteral("：練習なし");
    return when +
           QStringLiteral("：%1 回、平均正解率 %2").arg(day.results).arg(percent(day.meanTenths()));
}

QString spanEstimate(const SpanEstimate &estimate)
{
    if (!estimate.isValid())
        return estimate.missing();
    return QStringLiteral("推定スパン：%1（95% 区間 %2～%3）")
        .arg(digits(estimate.span()), digits(estimate.low()), digits(estimate.high()));
}

namespace {

constexpr char16_t wordJoiner = u'\u2060';
constexpr char16_t noBreakSpace = u'\u00a0';

bool isHiragana(QChar c)
{
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309f;
}

// Marks that never start a line: closing brackets and stops, the long vowel mark.
bool closes(QChar c)
{
    return QStringView(u"、。，．）」』】〕％%：・ー～").contains(c);
}

bool mayBreakBetween(QChar before, QChar after)
{
    if (closes(after))
        return false;
    if (before == u'、' || before == u'。' || before == u'\u3000')
        return true;
    if (before == u'）' || before == u'」')
        return !isHiragana(after);
    return isHiragana(before) && !isHiragana(after);
}

} // namespace

QString phrased(const QString &sentence)
{
    QString shown;
    shown.reserve(sentence.size() * 2);
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        const QChar c = sentence.at(i);
        if (c == u' ' && i > 0 && i + 1 < sentence.size()) {
            shown.append(mayBreakBetween(sentence.at(i - 1), sentence.at(i + 1))
                             ? QChar(u' ')
                             : QChar(noBreakSpace));
            continue;
        }
        if (i > 0 && c != u' ' && sentence.at(i - 1) != u' ' && c != u'\n' &&
            sentence.at(i - 1) != u'\n' && !mayBreakBetween(sentence.at(i - 1), c))
            shown.append(QChar(wordJoiner));
        shown.append(c);
    }
    return shown;
}

QString plainSentence(const QString &shown)
{
    QString plain = shown;
    plain.remove(QChar(wordJoiner));
    plain.replace(QChar(noBreakSpace), QChar(u' '));
    return plain;
}

} // namespace StatsText
