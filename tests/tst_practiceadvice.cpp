// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsFixture.h"
#include "base/DrillResult.h"
#include "stats/core/DigitCountFollower.h"
#include "stats/core/DigitStaircase.h"
#include "stats/core/DrillAnalysis.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/PracticeAdvice.h"

#include <QTest>

// The advice chosen for prepared sets of drills, and the staircase the suggestion rests on.
namespace {

DrillResult drill(const QString &shown, const QString &typed, const QList<qint64> &entryMs = {})
{
    QStringList digits, answers;
    for (QChar c : shown)
        digits.append(QString(c));
    for (QChar c : typed)
        answers.append(c == u'_' ? QString() : QString(c));
    const auto n = static_cast<int16_t>(shown.size());
    DrillResult result = DrillResult::score(answers, digits, n, 5);
    result.entryMs = entryMs;
    result.refills = QList<int>(n, 0);
    return result;
}

// Eight digits typed in groups of three, three and two: pauses of 900 ms, a pace of 300.
QList<qint64> threeThreeTwo()
{
    return {1500, 1800, 2100, 3000, 3300, 3600, 4500, 4800};
}

// The drills of a prepared set: counts of neighbour swaps, of "3" typed as "8", of rows of
// eight digits right in groups 3-3-2, and of five-digit results whose third digit is wrong
// (each followed by one wholly right).
// Rows typed for "12345", each with how often it was typed.
using Rows = QList<std::pair<QString, int>>;

struct Set
{
    int swaps = 0;
    int threesAsEights = 0;
    int groupedRows = 0;
    int weakThirds = 0;
};

} // namespace

Q_DECLARE_METATYPE(Set)

class tst_PracticeAdvice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adviceForPreparedDrills_data()
    {
        QTest::addColumn<Set>("set");
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<QString>("missing");
        const QString swaps =
            u"詳細記録に残る間違い 20 回のうち 12 回（60.0%）が隣り合う数字の"
            "入れ替えなので、3 つずつ区切り、順番を声に出して覚えてみましょう。"_qs;
        const QString threes =
            u"詳細記録に残る間違い 20 回のうち 14 回（70.0%）が 1 桁だけ違う"
            "間違いです。違う数字や空欄を入れた 14 か所のうち、「3」の所に「8」と"
            "入力したのが 14 か所で最も多いので、この数字に気をつけましょう。"_qs;
        const QString grouped = u"8 桁を全問正解した 12 回のうち 12 回は「3-3-2」と区切って"
                                "思い出しているので、この区切り方を続けましょう。"_qs;
        const QString third = u"5 桁の結果 20 回では 3 桁目の正解率が 50.0% と最も低いので、"
                              "そのあたりを特に意識して覚えましょう。"_qs;
        QTest::newRow("swaps most") << Set{12, 8, 0, 0} << QStringList{swaps} << QString();
        QTest::newRow("one digit confused") << Set{6, 14, 0, 0} << QStringList{threes} << QString();
        QTest::newRow("too few wrong rows")
            << Set{3, 2, 0, 0} << QStringList{}
            << u"アドバイスは、詳細記録に残る間違いが 20 回たまると表示されます（今は 5 回）。"_qs;
        QTest::newRow("grouping only") << Set{0, 0, 12, 0} << QStringList{grouped} << QString();
        QTest::newRow("too few grouped rows")
            << Set{0, 0, 9, 0} << QStringList{}
            << u"アドバイスは、詳細記録に残る間違いが 20 回たまると表示されます（今は 0 回）。"_qs;
        QTest::newRow("weak position") << Set{0, 0, 0, 10} << QStringList{third} << QString();
        QTest::newRow("all three")
            << Set{12, 8, 12, 10} << QStringList{swaps, grouped} << QString();
    }
    void adviceForPreparedDrills()
    {
        QFETCH(Set, set);
        QFETCH(QStringList, sentences);
        QFETCH(QString, missing);
        DrillAnalysis analysis;
        HistoryStats stats;
        for (int i = 0; i < set.swaps; ++i)
            analysis.add(drill(u"12345"_qs, u"12435"_qs));
        for (int i = 0; i < set.threesAsEights; ++i)
            analysis.add(drill(u"12345"_qs, u"12845"_qs));
        for (int i = 0; i < set.groupedRows; ++i)
            analysis.add(drill(u"12345678"_qs, u"12345678"_qs, threeThreeTwo()));
        for (int i = 0; i < set.weakThirds; ++i) {
            stats.add(statsRecord(QDate(2024, 3, 1), QTime(9, 0), u"○○×○○", 800));
            stats.add(statsRecord(QDate(2024, 3, 1), QTime(9, 1), u"○○○○○", 1000));
        }
        const int digitCount = set.weakThirds > 0 && set.groupedRows == 0 ? 5 : 8;
        const PracticeAdvice advice = PracticeAdvice::of(analysis, stats, digitCount);
        QCOMPARE(advice.sentences, sentences);
        QCOMPARE(advice.missing, missing);
    }

    // Figures as common as each other are all named, in a fixed order (the kinds of error in
    // ErrorKind's, the digits by shown then typed, the positions from the first); the advice
    // is for the first. The digit confused most is counted by position, over every wrong row,
    // as the table of 迷いやすい数字 counts it.
    void tiesAndConfusedDigits_data()
    {
        QTest::addColumn<Rows>("rows");     // typed for 12345, how often
        QTest::addColumn<int>("weakPairs"); // of ○×○×○ and ○○○○○ in the history
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("threesAsEights"); // the table's cell, as the sentence says it
        QTest::newRow("two kinds as common")
            << Rows{{u"12435"_qs, 10}, {u"12845"_qs, 10}} << 0
            << u"詳細記録に残る間違い 20 回では、隣り合う数字の入れ替えと 1 桁だけ違う間違いが "
               "10 回ずつ（50.0%）で並んでいます。まず隣り合う数字の入れ替えについて、3 つずつ"
               "区切り、順番を声に出して覚えてみましょう。"_qs
            << 10;
        QTest::newRow("two digits as confused")
            << Rows{{u"12845"_qs, 10}, {u"12365"_qs, 10}} << 0
            << u"詳細記録に残る間違い 20 回のうち 20 回（100.0%）が 1 桁だけ違う間違いです。"
               "違う数字や空欄を入れた 20 か所のうち、「3」の所に「8」と入力したのと「4」の所に"
               "「6」と入力したのが 10 か所ずつで最も多いので、これらの数字に気をつけましょう。"_qs
            << 10;
        // 12 rows with one 3 typed as 8, 8 rows with three digits typed as 8 (one of them the 3):
        // 20 positions of 3 typed as 8 out of 36 in the table, not 12 rows.
        QTest::newRow("confused digits counted by position")
            << Rows{{u"12845"_qs, 12}, {u"18885"_qs, 8}} << 0
            << u"詳細記録に残る間違い 20 回のうち 12 回（60.0%）が 1 桁だけ違う間違いです。"
               "違う数字や空欄を入れた 36 か所のうち、「3」の所に「8」と入力したのが 20 か所で"
               "最も多いので、この数字に気をつけましょう。"_qs
            << 20;
        QTest::newRow("two positions as weak")
            << Rows{} << 10
            << u"5 桁の結果 20 回では 2 桁目と 4 桁目の正解率が 50.0% と最も低いので、"
               "そのあたりを特に意識して覚えましょう。"_qs
            << 0;
    }
    void tiesAndConfusedDigits()
    {
        QFETCH(Rows, rows);
        QFETCH(int, weakPairs);
        QFETCH(QString, sentence);
        QFETCH(int, threesAsEights);
        DrillAnalysis analysis;
        for (const auto &[typed, times] : rows) {
            for (int i = 0; i < times; ++i)
                analysis.add(drill(u"12345"_qs, typed));
        }
        HistoryStats stats;
        for (int i = 0; i < weakPairs; ++i) {
            stats.add(statsRecord(QDate(2024, 3, 1), QTime(9, 0), u"○×○×○", 600));
            stats.add(statsRecord(QDate(2024, 3, 1), QTime(9, 1), u"○○○○○", 1000));
        }
        QCOMPARE(PracticeAdvice::of(analysis, stats, 5).sentences, QStringList{sentence});
        QCOMPARE(analysis.confusion().count(3, 8), threesAsEights);
    }

    // Up one after two whole rows right in a row, down one after a miss, never past 1 or 15.
    void staircaseSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("rows"); // R wholly right, W with a miss
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("up after two") << 5 << "RR" << QList<int>{5, 6};
        QTest::newRow("a miss breaks the pair") << 5 << "RWR" << QList<int>{5, 4, 4};
        QTest::newRow("down after a miss") << 5 << "WW" << QList<int>{4, 3};
        QTest::newRow("1: a miss stays") << 1 << "WW" << QList<int>{1, 1};
        QTest::newRow("1: two right go up") << 1 << "WRR" << QList<int>{1, 1, 2};
        QTest::newRow("15: two right stay") << 15 << "RRRR" << QList<int>{15, 15, 15, 15};
        QTest::newRow("15: a miss goes down") << 15 << "RW" << QList<int>{15, 14};
        QTest::newRow("15: the pair at the top is spent")
            << 14 << "RRRW" << QList<int>{14, 15, 15, 14};
    }
    void staircaseSteps()
    {
        QFETCH(int, start);
        QFETCH(QString, rows);
        QFETCH(QList<int>, counts);
        DigitStaircase staircase(start);
        QList<int> seen;
        for (QChar row : rows)
            seen.append(staircase.step(row == u'R'));
        QCOMPARE(seen, counts);
        QCOMPARE(staircase.digitCount(), counts.last());
    }
    // 自動調整 follows the drills as they come: each drill's digit count and whether it was
    // wholly right, and the count it then chooses for the next drill (0: none, no change).
    void followerChanges_data()
    {
        QTest::addColumn<QString>("drills"); // "5R 5W": digit count, R wholly right, W a miss
        QTest::addColumn<QList<int>>("changes");
        QTest::newRow("up after two right") << "5R 5R" << QList<int>{0, 6};
        QTest::newRow("down after a miss") << "5W" << QList<int>{4};
        QTest::newRow("goes on at its own count") << "5R 5R 6W 5W" << QList<int>{0, 6, 5, 4};
        QTest::newRow("the player's choice starts afresh") << "5R 7R 7R" << QList<int>{0, 0, 8};
        QTest::newRow("nothing below 1 or above 15") << "1W 15R 15R" << QList<int>{0, 0, 0};
    }
    void followerChanges()
    {
        QFETCH(QString, drills);
        QFETCH(QList<int>, changes);
        DigitCountFollower follower;
        QList<int> seen;
        for (const QString &drill : drills.split(u' ')) {
            const int count = drill.chopped(1).toInt();
            const auto change = follower.follow(count, drill.endsWith(u'R'));
            seen.append(change ? change->to : 0);
            if (change)
                QCOMPARE(change->from, count);
        }
        QCOMPARE(seen, changes);
    }
    void followerTellsWhy()
    {
        DigitCountFollower follower;
        follower.follow(5, true);
        const auto up = follower.follow(5, true);
        QVERIFY(up);
        QCOMPARE(up->announcement(),
                 QStringLiteral(
                     "自動調整：2 回続けて全問正解したので、\n次の問題から問題数を 6 にします。"));
        const auto down = follower.follow(6, false);
        QVERIFY(down);
        QCOMPARE(down->explanation(),
                 QStringLiteral("自動調整：間違いがあったので、\n問題数を 6 から 5 にしました。"));
    }
};

QTEST_GUILESS_MAIN(tst_PracticeAdvice)
#include "tst_practiceadvice.moc"
