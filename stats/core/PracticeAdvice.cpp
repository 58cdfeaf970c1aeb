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

QString typedText(int typed)
{
    return typed == ConfusionTable::emptyBox ? QStringLiteral("空欄")
                                             : QStringLiteral("「%1」").arg(typed);
}

// The kind of error made most, over every digit count.
QString errorSentence(const DrillAnalysis &analysis)
{
    const int wrong = analysis.wrongRows();
    if (wrong < PracticeAdvice::minWrongRows)
        return {};
    const ErrorKind kind = analysis.commonError();
    const int count = analysis.errors(kind);
    const QString figure = QStringLiteral("詳しい記録のある間違い %1 回のうち %2 回（%3）が")
                               .arg(wrong)
                               .arg(count)
                               .arg(share(count, wrong));
    switch (kind) {
    case ErrorKind::NeighbourSwap:
        return figure + QStringLiteral("隣り合う数字の入れ替えなので、3 つずつ区切り、"
                                       "順番を声に出して覚えてみましょう。");
    case ErrorKind::DistantSwap:
        return figure + QStringLiteral("離れた数字の入れ替えなので、区切りごとに何番目の数字かを"
                                       "意識して覚えてみましょう。");
    case ErrorKind::Omission:
        return figure + QStringLiteral(" 1 つ抜けて後ろがずれる間違いなので、答える前に覚えた"
                                       "数字の数を確かめましょう。");
    case ErrorKind::Insertion:
        return figure + QStringLiteral(" 1 つ多く入って後ろがずれる間違いなので、答える前に覚えた"
                                       "数字の数を確かめましょう。");
    case ErrorKind::Replacement: {
        const ConfusionTable &table = analysis.confusion();
        int most = 0, shown = 0, typed = 0;
        for (int s = 0; s < ConfusionTable::shownDigits; ++s) {
            for (int t = 0; t < ConfusionTable::typedColumns; ++t) {
                if (table.count(s, t) > most) {
                    most = table.count(s, t);
                    shown = s;
                    typed = t;
                }
            }
        }
        if (most >= 2) {
            return figure + QStringLiteral(" 1 桁だけ違う間違いで、「%1」を%2にしたのが最も多い"
                                           "（%3 回）ので、この数字に気をつけましょう。")
                                .arg(shown)
                                .arg(typedText(typed))
                                .arg(most);
        }
        return figure +
               QStringLiteral(" 1 桁だけ違う間違いなので、似た形の数字に気をつけましょう。");
    }
    case ErrorKind::EmptyEnd:
        return figure + QStringLiteral("終わりの桁を空けたままの間違いなので、後半の数字を先に"
                                       "頭の中で繰り返してみましょう。");
    case ErrorKind::Several:
        break;
    }
    return figure + QStringLiteral("いくつもの間違いが重なったものなので、桁数を 1 つ減らして"
                                   "確実に覚えることから始めましょう。");
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
    int weakest = 1;
    double best = 0;
    for (int p = 1; p <= digitCount; ++p) {
        if (series.rightSharePercent(p) < series.rightSharePercent(weakest))
            weakest = p;
        best = std::max(best, series.rightSharePercent(p));
    }
    const double low = series.rightSharePercent(weakest);
    if (best - low < positionSpreadPercent)
        return {};
    return QStringLiteral("%1の結果 %2 回では %3 桁目の正解率が %4 と最も低いので、"
                          "そのあたりを特に意識して覚えましょう。")
        .arg(StatsText::digitCount(digitCount))
        .arg(series.results())
        .arg(weakest)
        .arg(StatsText::percent(low * 10));
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
        advice.missing = QStringLiteral("アドバイスには、詳しい記録のある間違いがあと %1 回必要です"
                                        "（%2 回からアドバイスします）。")
                             .arg(minWrongRows - analysis.wrongRows())
                             .arg(minWrongRows);
    }
    return advice;
}
