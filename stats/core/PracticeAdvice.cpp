// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/core/PracticeAdvice.h"

#include "stats/core/DrillAnalysis.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <algorithm>

namespace {

// A position this much weaker than the strongest is worth a word; less is the noise of a few
// dozen rows.
constexpr double positionSpreadPercent = 10;

QString share(int part, int whole)
{
    return StatsText::percent(1000.0 * part / whole);
}

// What was typed in a shown digit's place, as the table of 迷いやすい数字 says it.
QString confusionText(int shown, int typed)
{
    return typed == ConfusionTable::emptyBox
               ? QStringLiteral("「%1」の所を空欄にした").arg(shown)
               : QStringLiteral("「%1」の所に「%2」と入力した").arg(shown).arg(typed);
}

// A kind of error as the advice names it, and what to try against it.
struct KindAdvice
{
    QString what;
    QString advice;
};

KindAdvice adviceFor(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::NeighbourSwap:
        return {QStringLiteral("隣り合う数字の入れ替え"),
                QStringLiteral("3 つずつ区切り、順番を声に出して覚えてみましょう。")};
    case ErrorKind::DistantSwap:
        return {QStringLiteral("離れた数字の入れ替え"),
                QStringLiteral("区切りごとに何番目の数字かを意識して覚えてみましょう。")};
    case ErrorKind::Omission:
        return {QStringLiteral("1 つ抜けて後ろがずれる間違い"),
                QStringLiteral("答える前に覚えた数字の数を確かめましょう。")};
    case ErrorKind::Insertion:
        return {QStringLiteral("1 つ多く入って後ろがずれる間違い"),
                QStringLiteral("答える前に覚えた数字の数を確かめましょう。")};
    case ErrorKind::Replacement:
        return {QStringLiteral("1 桁だけ違う間違い"),
                QStringLiteral("似た形の数字に気をつけましょう。")};
    case ErrorKind::EmptyEnd:
        return {QStringLiteral("終わりの桁を空けたままの間違い"),
                QStringLiteral("後半の数字を先に頭の中で繰り返してみましょう。")};
    case ErrorKind::Several:
        break;
    }
    return {QStringLiteral("いくつもの間違いが重なったもの"),
            QStringLiteral("桁数を 1 つ減らして確実に覚えることから始めましょう。")};
}

// Japanese puts a space between a word and a figure written in Latin digits.
QString spaced(const QString &before, const QString &after)
{
    return after.front().isDigit() ? before + u' ' + after : before + after;
}

// Names joined by 「と」: "2 桁目と 4 桁目".
QString joined(const QStringList &names)
{
    QString all = names.value(0);
    for (qsizetype i = 1; i < names.size(); ++i)
        all = spaced(all + u'と', names.at(i));
    return all;
}

// The digit typed most often for another, in the table the page 迷いやすい数字 shows: every
// replaced position of every wrong row, so the figures here are the table's. Said when it comes
// up at least twice; two as common are both named; of more than two as common nothing is said.
QString confusionSentence(const ConfusionTable &table)
{
    int most = 0;
    QStringList cells;
    for (int s = 0; s < ConfusionTable::shownDigits; ++s) {
        for (int t = 0; t < ConfusionTable::typedColumns; ++t) {
            const int count = table.count(s, t);
            if (count > most) {
                most = count;
                cells.clear();
            }
            if (count == most && count > 0)
                cells.append(confusionText(s, t));
        }
    }
    if (most < 2 || cells.size() > 2)
        return {};
    const QString which =
        cells.size() == 1
            ? QStringLiteral("%1のが %2 か所").arg(cells.front()).arg(most)
            : QStringLiteral("%1のと%2のが %3 か所ずつ").arg(cells.front(), cells.back()).arg(most);
    return QStringLiteral("違う数字や空欄を入れた %1 か所のうち、%2で最も多いので、"
                          "%3数字に気をつけましょう。")
        .arg(table.total())
        .arg(which, cells.size() == 1 ? QStringLiteral("この") : QStringLiteral("これらの"));
}

// The kind of error made most, over every digit count. Kinds as common are all named; the
// advice is for the first of them in ErrorKind's order, the simplest reading of a row.
QString errorSentence(const DrillAnalysis &analysis)
{
    const int wrong = analysis.wrongRows();
    if (wrong < PracticeAdvice::minWrongRows)
        return {};
    const ErrorKind kind = analysis.commonError();
    const int count = analysis.errors(kind);
    QStringList tied;
    for (int k = 0; k < ErrorKinds::count; ++k) {
        if (analysis.errors(static_cast<ErrorKind>(k)) == count)
            tied.append(adviceFor(static_cast<ErrorKind>(k)).what);
    }
    const KindAdvice first = adviceFor(kind);
    const QString confused =
        kind == ErrorKind::Replacement ? confusionSentence(analysis.confusion()) : QString();
    if (tied.size() == 1) {
        const QString figure =
            spaced(QStringLiteral("詳細記録に残る間違い %1 回のうち %2 回（%3）が")
                       .arg(wrong)
                       .arg(count)
                       .arg(share(count, wrong)),
                   first.what);
        if (!confused.isEmpty())
            return figure + QStringLiteral("です。") + confused;
        return figure + QStringLiteral("なので、") + first.advice;
    }
    return QStringLiteral("詳細記録に残る間違い %1 回では、%2が %3 回ずつ（%4）で並んでいます。")
               .arg(wrong)
               .arg(joined(tied))
               .arg(count)
               .arg(share(count, wrong)) +
           spaced(QStringLiteral("まず"), first.what) + QStringLiteral("について、") +
           first.advice + confused;
}

// The grouping the pauses show at the digit count. Rows up to five digits are held whole
// without groups; no advice is needed there.
QString groupingSentence(const RecallTiming &timing, int digitCount)
{
    const int rows = timing.rows(digitCount);
    if (digitCount < 6 || rows < PracticeAdvice::minTimedRows)
        return {};
    const RecallTiming::Grouping common = timing.commonGrouping(digitCount);
    const QString figure = QStringLiteral("%1を全問正解した %2 回のうち %3 回は")
                               .arg(StatsText::digitCount(digitCount))
                               .arg(rows)
                               .arg(common.rows);
    if (common.groups.size() == 1) {
        return figure + QStringLiteral("入力に区切りの間がないので、3 つずつ区切って"
                                       "覚えてみましょう。");
    }
    const QString pattern = StatsText::grouping(common.groups);
    if (*std::max_element(common.groups.begin(), common.groups.end()) > 4) {
        return figure + QStringLiteral("「%1」と区切っていますが、5 つ以上のまとまりは崩れやすい"
                                       "ので、3 つか 4 つずつにしてみましょう。")
                            .arg(pattern);
    }
    return figure + QStringLiteral("「%1」と区切って思い出しているので、この区切り方を"
                                   "続けましょう。")
                        .arg(pattern);
}

// The weakest position of the digit count, where it stands out.
QString positionSentence(const HistoryStats &stats, int digitCount)
{
    if (digitCount < 3)
        return {};
    const ResultSeries &series = stats.ofDigitCount(digitCount);
    if (series.results() < PracticeAdvice::minPositionRows)
        return {};
    double low = 100, best = 0;
    for (int p = 1; p <= digitCount; ++p) {
        low = std::min(low, series.rightSharePercent(p));
        best = std::max(best, series.rightSharePercent(p));
    }
    if (best - low < positionSpreadPercent)
        return {};
    // Positions as weak as each other are all named, in their order.
    QStringList weakest;
    for (int p = 1; p <= digitCount; ++p) {
        if (series.rightSharePercent(p) == low)
            weakest.append(QStringLiteral("%1 桁目").arg(p));
    }
    return QStringLiteral("%1の結果 %2 回では %3の正解率が %4 と最も低いので、"
                          "そのあたりを特に意識して覚えましょう。")
        .arg(StatsText::digitCount(digitCount))
        .arg(series.results())
        .arg(joined(weakest), StatsText::percent(low * 10));
}

} // namespace

PracticeAdvice PracticeAdvice::of(const DrillAnalysis &analysis, const HistoryStats &stats,
                                  int digitCount)
{
    if (digitCount == 0)
        digitCount = stats.newestDigitCount();
    PracticeAdvice advice;
    for (const QString &sentence :
         {errorSentence(analysis), groupingSentence(analysis.timing(), digitCount),
          positionSentence(stats, digitCount)}) {
        if (!sentence.isEmpty())
            advice.sentences.append(sentence);
    }
    if (advice.sentences.isEmpty()) {
        advice.missing = QStringLiteral("アドバイスは、詳細記録に残る間違いが %1 回たまると"
                                        "表示されます（今は %2 回）。")
                             .arg(minWrongRows)
                             .arg(analysis.wrongRows());
    }
    return advice;
}
