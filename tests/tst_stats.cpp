// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsFixture.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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
