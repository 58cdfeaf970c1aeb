// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsFixture.h"
#include "stats/core/DateTicks.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>

namespace {

HistoryStats statsOf(const std::vector<HistoryRecord> &records)
{
    HistoryStats stats;
    for (const HistoryRecord &record : records)
        stats.add(record);
    return stats;
}

// Rates of 5%, 10%, ... 60% for twelve results of ten digits, one a minute.
std::vector<HistoryRecord> twelveRisingResults()
{
    std::vector<HistoryRecord> records;
    for (int k = 1; k <= 12; ++k)
        records.push_back(statsRecord(QDate(2024, 3, 1), QTime(8, k), u"○○○○○×××××", 50 * k));
    return records;
}

} // namespace

class tst_Stats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void positionShares_data()
    {
        QTest::addColumn<int>("digitCount");
        QTest::addColumn<QList<double>>("shares");
        QTest::addColumn<int>("results");
        QTest::newRow("five digits: the serial-position curve")
            << 5 << QList<double>{75, 75, 50, 75, 75} << 4;
        // The result of three digits, all right, would lift positions 1 to 3 of five digits.
        QTest::newRow("three digits: its own result only")
            << 3 << QList<double>{100, 100, 100} << 1;
        QTest::newRow("four digits: none") << 4 << QList<double>{0, 0, 0, 0} << 0;
    }
    void positionShares()
    {
        QFETCH(int, digitCount);
        QFETCH(QList<double>, shares);
        QFETCH(int, results);
        const HistoryStats stats = statsOf(statsFixture());
        const ResultSeries &series = stats.ofDigitCount(digitCount);
        QCOMPARE(series.results(), results);
        for (int position = 1; position <= shares.size(); ++position)
            QCOMPARE(series.rightSharePercent(position), shares.at(position - 1));
        // Positions beyond the digit count are never right.
        for (int position = digitCount + 1; position <= HistoryRecord::slotCount; ++position)
            QCOMPARE(series.rightCount(position), 0);
    }

    void movingAverage_data()
    {
        QTest::addColumn<std::vector<HistoryRecord>>("records");
        QTest::addColumn<int>("digitCount"); // 0: every digit count
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<QList<double>>("averages");
        QTest::newRow("five digits") << statsFixture() << 5 << QList<double>{80, 40, 100, 60}
                                     << QList<double>{80, 60, 220.0 / 3, 70};
        QTest::newRow("every count together")
            << statsFixture() << 0 << QList<double>{80, 40, 100, 100, 60}
            << QList<double>{80, 60, 220.0 / 3, 80, 76};
        // From the eleventh result on, the oldest drops out of the last ten.
        QTest::newRow("more than ten")
            << twelveRisingResults() << 10
            << QList<double>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}
            << QList<double>{5, 7.5, 10, 12.5, 15, 17.5, 20, 22.5, 25, 27.5, 32.5, 37.5};
    }
    void movingAverage()
    {
        QFETCH(std::vector<HistoryRecord>, records);
        QFETCH(int, digitCount);
        QFETCH(QList<double>, rates);
        QFETCH(QList<double>, averages);
        const HistoryStats stats = statsOf(records);
        const ResultSeries &series = digitCount ? stats.ofDigitCount(digitCount) : stats.all();
        QCOMPARE(qsizetype(series.points().size()), rates.size());
        for (qsizetype i = 0; i < rates.size(); ++i) {
            const RatePoint &point = series.points().at(size_t(i));
            QCOMPARE(point.ratePercent, rates.at(i));
            QCOMPARE(point.averagePercent, averages.at(i));
        }
    }

    void pointsLieAtTheSavedLocalTime()
    {
        const HistoryStats stats = statsOf(statsFixture());
        const std::vector<RatePoint> &points = stats.ofDigitCount(5).points();
        QCOMPARE(points.at(0).msecsSinceEpoch,
                 QDateTime(QDate(2024, 1, 30), QTime(9, 0)).toMSecsSinceEpoch());
        QCOMPARE(points.at(3).msecsSinceEpoch,
                 QDateTime(QDate(2024, 2, 2), QTime(9, 0)).toMSecsSinceEpoch());
    }

    void summaryRows_data()
    {
        QTest::addColumn<std::vector<HistoryRecord>>("records");
        QTest::addColumn<QList<SummaryRow>>("rows");
        QTest::newRow("fixture") << statsFixture()
                                 << QList<SummaryRow>{
                                        {u"3 桁"_qs, 1, u"100.0%"_qs, u"100.0%"_qs, u"100.0%"_qs,
                                         u"2024/01/31"_qs, u"2024/01/31"_qs},
                                        {u"5 桁"_qs, 4, u"70.0%"_qs, u"100.0%"_qs, u"70.0%"_qs,
                                         u"2024/01/30"_qs, u"2024/02/02"_qs},
                                        {u"すべて"_qs, 5, u"76.0%"_qs, u"100.0%"_qs, u"76.0%"_qs,
                                         u"2024/01/30"_qs, u"2024/02/02"_qs},
                                    };
        // The mean of all twelve is 32.5%; of the last ten, 37.5%.
        QTest::newRow("more than ten") << twelveRisingResults()
                                       << QList<SummaryRow>{
                                              {u"10 桁"_qs, 12, u"32.5%"_qs, u"60.0%"_qs,
                                               u"37.5%"_qs, u"2024/03/01"_qs, u"2024/03/01"_qs},
                                              {u"すべて"_qs, 12, u"32.5%"_qs, u"60.0%"_qs,
                                               u"37.5%"_qs, u"2024/03/01"_qs, u"2024/03/01"_qs},
                                          };
        // A clock set back: the dates are the earliest and the latest, not the first and last
        // saved; a mean of 2/3 of a tenth rounds up.
        QTest::newRow("clock set back")
            << std::vector<HistoryRecord>{statsRecord(QDate(2024, 5, 2), QTime(9, 0), u"○", 1000),
                                          statsRecord(QDate(2024, 5, 1), QTime(9, 0), u"×", 0),
                                          statsRecord(QDate(2024, 5, 3), QTime(9, 0), u"×", 0)}
            << QList<SummaryRow>{
                   {u"1 桁"_qs, 3, u"33.3%"_qs, u"100.0%"_qs, u"33.3%"_qs, u"2024/05/01"_qs,
                    u"2024/05/03"_qs},
                   {u"すべて"_qs, 3, u"33.3%"_qs, u"100.0%"_qs, u"33.3%"_qs, u"2024/05/01"_qs,
                    u"2024/05/03"_qs},
               };
        QTest::newRow("empty") << std::vector<HistoryRecord>{} << QList<SummaryRow>{};
    }
    void summaryRows()
    {
        QFETCH(std::vector<HistoryRecord>, records);
        QFETCH(QList<SummaryRow>, rows);
        const QList<SummaryRow> actual = statsOf(records).summaryRows();
        QCOMPARE(actual.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const SummaryRow &a = actual.at(i);
            const SummaryRow &e = rows.at(i);
            QCOMPARE(QStringList({a.digits, QString::number(a.results), a.mean, a.best,
                                  a.lastWindowMean, a.firstDate, a.lastDate}),
                     QStringList({e.digits, QString::number(e.results), e.mean, e.best,
                                  e.lastWindowMean, e.firstDate, e.lastDate}));
        }
    }

    void currentRun_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("run");
        QTest::newRow("played today, across the month end") << QDate(2024, 2, 2) << 4;
        QTest::newRow("not yet today: the run goes on") << QDate(2024, 2, 3) << 4;
        QTest::newRow("a day missed") << QDate(2024, 2, 4) << 0;
        QTest::newRow("later days do not count (clock set back)") << QDate(2024, 2, 1) << 3;
        QTest::newRow("before the first day") << QDate(2024, 1, 29) << 0;
    }
    void currentRun()
    {
        QFETCH(QDate, today);
        QFETCH(int, run);
        const HistoryStats stats = statsOf(statsFixture());
        QCOMPARE(stats.daysPlayed(), 4); // two results on 01/31 make one day
        QCOMPARE(stats.currentRun(today), run);
    }

    void digitCountsPresent()
    {
        HistoryStats stats = statsOf(statsFixture());
        QCOMPARE(stats.digitCounts(), QList<int>({3, 5}));
        QCOMPARE(stats.newestDigitCount(), 5);
        stats.add(statsRecord(QDate(2024, 2, 2), QTime(10, 0), u"○××", 333));
        QCOMPARE(stats.newestDigitCount(), 3);
        QCOMPARE(stats.ofDigitCount(3).results(), 2);
        QCOMPARE(stats.ofDigitCount(5).results(), 4);
        stats.clear();
        QCOMPARE(stats.results(), 0);
        QCOMPARE(stats.digitCounts(), QList<int>());
        QCOMPARE(stats.daysPlayed(), 0);
        QCOMPARE(stats.newestDigitCount(), 0);
    }

    // The window starts on the main window's digit count where there are results of it.
    void startingDigitCount_data()
    {
        QTest::addColumn<int>("mainWindow");
        QTest::addColumn<int>("starting");
        QTest::newRow("a count with results, not the newest") << 3 << 3;
        QTest::newRow("the newest") << 5 << 5;
        QTest::newRow("a count without results: the newest") << 7 << 5;
        QTest::newRow("none given: the newest") << 0 << 5;
    }
    void startingDigitCount()
    {
        QFETCH(int, mainWindow);
        QFETCH(int, starting);
        QCOMPARE(statsOf(statsFixture()).startingDigitCount(mainWindow), starting);
        QCOMPARE(HistoryStats().startingDigitCount(mainWindow), 0);
    }

    // The time axes tick on whole hours, days, Mondays, months or years, from a tick before the
    // first point to one after the last, with no more ticks than asked for.
    void dateTicks_data()
    {
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<QList<QDateTime>>("ticks");
        QTest::addColumn<QString>("format");
        const auto at = [](int y, int m, int d, int h = 0) {
            return QDateTime(QDate(y, m, d), QTime(h, 0));
        };
        QTest::newRow("four days: every day")
            << at(2024, 1, 30, 9) << at(2024, 2, 2, 9)
            << QList{at(2024, 1, 30), at(2024, 1, 31), at(2024, 2, 1), at(2024, 2, 2),
                     at(2024, 2, 3)}
            << u"MM/dd"_qs;
        QTest::newRow("one morning: every two hours")
            << at(2024, 3, 1, 9) << QDateTime(QDate(2024, 3, 1), QTime(16, 30))
            << QList{at(2024, 3, 1, 8),  at(2024, 3, 1, 10), at(2024, 3, 1, 12),
                     at(2024, 3, 1, 14), at(2024, 3, 1, 16), at(2024, 3, 1, 18)}
            << u"MM/dd hh:mm"_qs;
        QTest::newRow("a month: Mondays")
            << at(2024, 1, 1, 9) << at(2024, 1, 31, 9)
            << QList{at(2024, 1, 1),  at(2024, 1, 8),  at(2024, 1, 15),
                     at(2024, 1, 22), at(2024, 1, 29), at(2024, 2, 5)}
            << u"MM/dd"_qs;
        QTest::newRow("a point on midnight: a day of room before it")
            << at(2024, 1, 2) << at(2024, 1, 4, 12)
            << QList{at(2024, 1, 1), at(2024, 1, 2), at(2024, 1, 3), at(2024, 1, 4), at(2024, 1, 5)}
            << u"MM/dd"_qs;
        QTest::newRow("half a year across New Year: first days of months")
            << at(2023, 10, 15, 9) << at(2024, 3, 20, 9)
            << QList{at(2023, 10, 1), at(2023, 11, 1), at(2023, 12, 1), at(2024, 1, 1),
                     at(2024, 2, 1),  at(2024, 3, 1),  at(2024, 4, 1)}
            << u"yyyy/MM"_qs;
        QTest::newRow("three years: New Years")
            << at(2021, 5, 1, 9) << at(2024, 2, 1, 9)
            << QList{at(2021, 1, 1), at(2022, 1, 1), at(2023, 1, 1), at(2024, 1, 1), at(2025, 1, 1)}
            << u"yyyy"_qs;
    }
    void dateTicks()
    {
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, last);
        QFETCH(QList<QDateTime>, ticks);
        QFETCH(QString, format);
        const DateTicks axis = DateTicks::of(first, last);
        QCOMPARE(axis.ticks, ticks);
        QCOMPARE(axis.from, ticks.constFirst());
        QCOMPARE(axis.to, ticks.constLast());
        QVERIFY(axis.from < first && last < axis.to);
        QCOMPARE(axis.format, format);
    }

    // A sentence wraps between phrases only: the marks that hold a phrase together are left
    // out again when it is read back.
    void sentencesWrapBetweenPhrases_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("phrases"); // where a line may break
        QTest::newRow("a figure with its word")
            << u"あと 18 回練習すると推定できます。"_qs
            << QStringList{u"あと "_qs, u"18 回練習すると"_qs, u"推定できます。"_qs};
        QTest::newRow("a word in katakana")
            << u"推定スパンがまだ出せないため、最後に練習した 7 桁のままにします。"_qs
            << QStringList{u"推定スパンがまだ"_qs, u"出せないため、"_qs, u"最後に"_qs,
                           u"練習した "_qs, u"7 桁のままにします。"_qs};
        QTest::newRow("brackets") << u"「3」の所に「8」と入力した"_qs
                                  << QStringList{u"「3」の"_qs, u"所に"_qs, u"「8」と"_qs,
                                                 u"入力した"_qs};
    }
    void sentencesWrapBetweenPhrases()
    {
        QFETCH(QString, sentence);
        QFETCH(QStringList, phrases);
        const QString shown = StatsText::phrased(sentence);
        QCOMPARE(StatsText::plainSentence(shown), sentence);
        // The phrases between the places Qt's own line breaking may break a line.
        QStringList found;
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, shown);
        qsizetype from = 0;
        while (breaks.toNextBoundary() > 0) {
            found.append(StatsText::plainSentence(shown.mid(from, breaks.position() - from)));
            from = breaks.position();
        }
        QCOMPARE(found, phrases);
    }

    // A line of fifteen "－" can be read from a file but is the result of no drill.
    void recordWithoutMarksIsLeftOut()
    {
        HistoryStats stats = statsOf(statsFixture());
        stats.add(statsRecord(QDate(2024, 2, 3), QTime(9, 0), u"", 0));
        QCOMPARE(stats.results(), 5);
        QCOMPARE(stats.daysPlayed(), 4);
        QCOMPARE(stats.newestDigitCount(), 5);
    }

    void percentText_data()
    {
        QTest::addColumn<double>("tenths");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1000.0 << u"100.0%"_qs;
        QTest::newRow("zero") << 0.0 << u"0.0%"_qs;
        QTest::newRow("a half rounds up") << 666.5 << u"66.7%"_qs;
        QTest::newRow("below a half") << 333.33 << u"33.3%"_qs;
        QTest::newRow("under one percent") << 5.0 << u"0.5%"_qs;
    }
    void percentText()
    {
        QFETCH(double, tenths);
        QFETCH(QString, text);
        QCOMPARE(StatsText::percent(tenths), text);
    }
};

QTEST_GUILESS_MAIN(tst_Stats)
#include "tst_stats.moc"
