// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsFixture.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/PracticeSuggestion.h"
#include "stats/core/SpanEstimate.h"
#include "stats/core/StatsText.h"

#include <QTest>

#include <cmath>
#include <ctime>
#include <random>

// The span estimate, its weekly trend, the suggestion, the runs of days and the personal bests,
// each against an answer known beforehand.
namespace {

// A result of a digit count, wholly right or with its last digit wrong.
HistoryRecord result(QDate date, QTime time, int digits, bool wholeRight, int seconds = 5)
{
    QString marks(digits, u'○');
    if (!wholeRight)
        marks[digits - 1] = u'×';
    HistoryRecord record =
        statsRecord(date, time, marks, wholeRight ? 1000 : 1000 * (digits - 1) / digits);
    record.seconds = static_cast<int16_t>(seconds);
    return record;
}

SpanTally tallyOf(const QList<std::tuple<int, int, int>> &digitsTriesWholes)
{
    SpanTally tally;
    for (const auto &[digits, tries, wholes] : digitsTriesWholes) {
        for (int i = 0; i < tries; ++i)
            tally.add(digits, i < wholes);
    }
    return tally;
}

// 4 digits right 15 times in 20, 6 digits 5 times in 20. With two digit counts the fit goes
// through both shares exactly: logit 0.75 = ln 3, logit 0.25 = -ln 3, so a + 4b = ln 3 and
// a + 6b = -ln 3, b = -ln 3, a = 5 ln 3, and the span is 5.0.
SpanTally handComputed()
{
    return tallyOf({{4, 20, 15}, {6, 20, 5}});
}

} // namespace

Q_DECLARE_METATYPE(SpanTally)

class tst_SpanStats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Summer time starts on 2024/03/31 at 02:00 and ends on 2024/10/27 at 03:00 here.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    // Results drawn from a logistic with a known span: the estimate lands within 0.3 digit of it
    // and the interval holds it.
    void spanOfKnownLogistic_data()
    {
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("steepness");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("triesEach");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("6.3 digits") << 6.3 << 1.5 << 3 << 10 << 40 << 1u;
        QTest::newRow("8.7 digits, shallow") << 8.7 << 1.0 << 5 << 12 << 40 << 2u;
        QTest::newRow("4.2 digits, steep") << 4.2 << 2.0 << 2 << 7 << 60 << 3u;
        QTest::newRow("11.5 digits, few counts") << 11.5 << 1.2 << 10 << 13 << 80 << 4u;
    }
    void spanOfKnownLogistic()
    {
        QFETCH(double, span);
        QFETCH(double, steepness);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QFETCH(int, triesEach);
        QFETCH(unsigned, seed);
        std::mt19937 random(seed); // its output is fixed by the standard, unlike distributions
        SpanTally tally;
        for (int n = fewest; n <= most; ++n) {
            const double p = 1 / (1 + std::exp(-steepness * (span - n)));
            for (int i = 0; i < triesEach; ++i)
                tally.add(n, (random() >> 8) * 0x1p-24 < p);
        }
        const SpanEstimate estimate = SpanEstimate::of(tally);
        QVERIFY2(estimate.isValid(), qPrintable(estimate.missing()));
        QVERIFY2(std::abs(estimate.span() - span) <= 0.3,
                 qPrintable(QString::number(estimate.span())));
        QVERIFY(estimate.low() < span && span < estimate.high());
        QVERIFY(estimate.low() < estimate.span() && estimate.span() < estimate.high());
        QCOMPARE(estimate.successAt(estimate.span()), 0.5);
    }

    void spanOfHandComputedCase()
    {
        const SpanEstimate estimate = SpanEstimate::of(handComputed());
        QVERIFY(estimate.isValid());
        QVERIFY(std::abs(estimate.span() - 5.0) < 1e-6);
        QVERIFY(std::abs(estimate.successAt(4) - 0.75) < 1e-6);
        QVERIFY(std::abs(estimate.successAt(6) - 0.25) < 1e-6);
        // The data are symmetric about 5 digits, and so is the profile.
        QVERIFY(std::abs((5 - estimate.low()) - (estimate.high() - 5)) < 1e-3);
        QVERIFY(estimate.low() > 4 && estimate.high() < 6);
        QCOMPARE(StatsText::spanEstimate(estimate),
                 QStringLiteral("推定スパン：5.0 桁（95% 区間 %1 桁～%2 桁）")
                     .arg(estimate.low(), 0, 'f', 1)
                     .arg(estimate.high(), 0, 'f', 1));
    }

    // Too little to say: no estimate, and one sentence of what is missing.
    void noEstimate_data()
    {
        QTest::addColumn<SpanTally>("tally");
        QTest::addColumn<QString>("missing");
        QTest::newRow("nothing") << SpanTally() << u"この表示時間の結果はまだありません。"_qs;
        QTest::newRow("19 results")
            << tallyOf({{4, 10, 8}, {6, 9, 3}}) << u"あと 1 回練習すると推定できます。"_qs;
        QTest::newRow("one digit count")
            << tallyOf({{5, 30, 15}}) << u"ほかの問題数でも練習すると推定できます。"_qs;
        QTest::newRow("only whole successes")
            << tallyOf({{3, 15, 15}, {4, 15, 15}})
            << u"問題数を増やして練習すると推定できます。今はどの結果も全問正解です。"_qs;
        QTest::newRow("only misses") << tallyOf({{8, 15, 0}, {9, 15, 0}})
                                     << u"問題数を減らして全問正解すると推定できます。"_qs;
        QTest::newRow("split cleanly by digit count")
            << tallyOf({{5, 15, 15}, {7, 15, 0}})
            << u"全問正解とそうでない結果が桁数ではっきり分かれているため、境目の桁数でもう少し練習すると推定できます。"_qs;
        QTest::newRow("longer rows no harder")
            << tallyOf({{4, 20, 5}, {6, 20, 15}})
            << u"桁数が増えても全問正解の割合が下がっていないため、まだ推定できません。"_qs;
        QTest::newRow("interval unbounded")
            << tallyOf({{4, 10, 5}, {5, 10, 4}})
            << u"結果のばらつきがまだ大きいため、もう少し練習すると推定できます。"_qs;
    }
    void noEstimate()
    {
        QFETCH(SpanTally, tally);
        QFETCH(QString, missing);
        const SpanEstimate estimate = SpanEstimate::of(tally);
        QVERIFY(!estimate.isValid());
        QCOMPARE(estimate.missing(), missing);
        QCOMPARE(StatsText::spanEstimate(estimate), missing);
    }

    // p(n) = σ(ln 3 · (5 − n)): p(3) = 0.9, p(4) = 0.75, p(5) = 0.5. 0.75 lies nearest 0.707.
    void suggestionOfHandComputedCase()
    {
        const PracticeSuggestion suggestion =
            PracticeSuggestion::of(handComputed(), SpanEstimate::of(handComputed()), 6);
        QCOMPARE(suggestion.digitCount, 4);
        // Said in the player's terms: 0.75 is about eight rows in ten, and what the player did.
        QCOMPARE(
            suggestion.reason,
            u"4 桁なら 10 回に約 8 回、全問正解できる見込みです（これまで 20 回のうち 15 回）。"
            "少し難しいくらいのこの問題数で、いちばん力が伸びます。"_qs);
    }

    void suggestionBeforeEnoughData()
    {
        const PracticeSuggestion suggestion =
            PracticeSuggestion::of(tallyOf({{7, 3, 1}}), SpanEstimate::of(tallyOf({{7, 3, 1}})), 7);
        QCOMPARE(suggestion.digitCount, 7);
        QCOMPARE(suggestion.reason,
                 u"推定スパンがまだ出せないため、最後に練習した 7 桁のままにします。"_qs);
        QCOMPARE(PracticeSuggestion::of(SpanTally(), SpanEstimate::of(SpanTally()), 0).digitCount,
                 0);
    }

    // Runs of days are counted on the calendar, whatever the month, the year or the clock's
    // summer time does in between.
    void runsOfDays_data()
    {
        QTest::addColumn<QList<QDateTime>>("saved");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("currentRun");
        QTest::addColumn<int>("longestRun");
        auto at = [](int y, int m, int d, int h = 9, int min = 0) {
            return QDateTime(QDate(y, m, d), QTime(h, min));
        };
        QTest::newRow("across a month's end")
            << QList{at(2024, 1, 30), at(2024, 1, 31), at(2024, 2, 1)} << QDate(2024, 2, 1) << 3
            << 3;
        QTest::newRow("across a year's end, nothing yet today")
            << QList{at(2023, 12, 30), at(2023, 12, 31), at(2024, 1, 1), at(2024, 1, 2)}
            << QDate(2024, 1, 3) << 4 << 4;
        QTest::newRow("across the start of summer time, in the hour it skips")
            << QList{at(2024, 3, 30, 23, 59), at(2024, 3, 31, 2, 30), at(2024, 4, 1, 0, 0)}
            << QDate(2024, 4, 1) << 3 << 3;
        QTest::newRow("across the end of summer time, in the hour it repeats")
            << QList{at(2024, 10, 26, 2, 30), at(2024, 10, 27, 2, 30), at(2024, 10, 27, 2, 45),
                     at(2024, 10, 28, 2, 30)}
            << QDate(2024, 10, 28) << 3 << 3;
        QTest::newRow("an old run longer than today's")
            << QList{at(2024, 2, 27), at(2024, 2, 28), at(2024, 2, 29),
                     at(2024, 3, 1),  at(2024, 3, 5),  at(2024, 3, 6)}
            << QDate(2024, 3, 6) << 2 << 4;
        QTest::newRow("broken off")
            << QList{at(2024, 1, 1), at(2024, 1, 2)} << QDate(2024, 1, 4) << 0 << 2;
    }
    void runsOfDays()
    {
        QFETCH(QList<QDateTime>, saved);
        QFETCH(QDate, today);
        QFETCH(int, currentRun);
        QFETCH(int, longestRun);
        HistoryStats stats;
        for (const QDateTime &when : saved)
            stats.add(result(when.date(), when.time(), 5, true));
        QCOMPARE(stats.currentRun(today), currentRun);
        QCOMPARE(stats.days().longestRun(), longestRun);
        QCOMPARE(stats.days().daysPlayed(), stats.daysPlayed());
    }

    void dayFigures()
    {
        PracticeDays days;
        days.add(QDate(2024, 3, 5), 800);
        days.add(QDate(2024, 3, 5), 650);
        days.add(QDate(2024, 3, 6), 1000);
        QCOMPARE(days.day(QDate(2024, 3, 5)).results, 2);
        QCOMPARE(days.day(QDate(2024, 3, 5)).meanTenths(), 725.0);
        QCOMPARE(days.day(QDate(2024, 3, 7)).results, 0);
        QCOMPARE(days.mostResults(), 2);
        QCOMPARE(StatsText::practiceDay(QDate(2024, 3, 5), days.day(QDate(2024, 3, 5))),
                 u"2024/03/05（火）：2 回、平均正解率 72.5%"_qs);
        QCOMPARE(StatsText::practiceDay(QDate(2024, 3, 7), {}), u"2024/03/07（木）：練習なし"_qs);
    }

    // The longest row wholly right of each display time, and the first time it was reached.
    void personalBests()
    {
        HistoryStats stats;
        stats.add(result(QDate(2024, 5, 1), QTime(9, 0), 5, true));
        stats.add(result(QDate(2024, 5, 2), QTime(9, 0), 7, true));
        stats.add(result(QDate(2024, 5, 3), QTime(9, 0), 7, true));
        stats.add(result(QDate(2024, 5, 3), QTime(9, 5), 9, false));
        stats.add(result(QDate(2024, 5, 3), QTime(9, 10), 4, true, 0));
        stats.add(result(QDate(2024, 5, 4), QTime(9, 10), 6, false, 10));
        const QList<PersonalBest> bests = stats.personalBests();
        QCOMPARE(bests.size(), 2);
        QCOMPARE(bests.at(0).seconds, 0);
        QCOMPARE(bests.at(0).digitCount, 4);
        QCOMPARE(bests.at(1).seconds, 5);
        QCOMPARE(bests.at(1).digitCount, 7);
        QCOMPARE(bests.at(1).date, QDate(2024, 5, 2));
        QCOMPARE(bests.at(1).time, QTime(9, 0));
        QCOMPARE(stats.displayTimes(), QList<int>({0, 5, 10}));
        QCOMPARE(stats.spanTally(5).results(), 4);
        QCOMPARE(stats.spanTally(HistoryStats::everyDisplayTime).results(), 6);
        QCOMPARE(stats.spanTally(HistoryStats::everyDisplayTime).wholeResults(), 4);
    }

    // A week runs Monday to Sunday; a week with too few results has no point on the trend.
    void weeklySpans()
    {
        HistoryStats stats;
        // The hand-computed case, spread from Monday 2024/04/08 to Sunday 2024/04/14.
        const QDate monday(2024, 4, 8);
        for (int i = 0; i < 40; ++i) {
            const int digits = i < 20 ? 4 : 6;
            const bool whole = i < 20 ? i < 15 : i < 25;
            stats.add(result(monday.addDays(i % 7), QTime(10, i), digits, whole));
        }
        // The next week: ten results only.
        for (int i = 0; i < 10; ++i)
            stats.add(result(QDate(2024, 4, 15), QTime(10, i), 4 + i % 3, i % 2 == 0));
        // The same week's estimate with the results of another display time left out.
        stats.add(result(monday, QTime(11, 0), 6, true, 3));

        const QList<WeekSpan> weeks = stats.weeklySpans(5);
        QCOMPARE(weeks.size(), 1);
        QCOMPARE(weeks.at(0).monday, monday);
        QVERIFY(std::abs(weeks.at(0).estimate.span() - 5.0) < 1e-6);
        QCOMPARE(stats.weeklySpans(HistoryStats::everyDisplayTime).size(), 1);
        QVERIFY(std::abs(stats.weeklySpans(HistoryStats::everyDisplayTime).at(0).estimate.span() -
                         5.0) > 1e-3);
    }
};

QTEST_GUILESS_MAIN(tst_SpanStats)
#include "tst_spanstats.moc"
