// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AnswerCheck.h"
#include "drill/core/BarWidth.h"
#include "drill/core/DisplayClock.h"
#include "drill/core/DisplaySeconds.h"
#include "base/DrillResult.h"

#include <QTest>
#include <limits>

// The drill's plain pieces: the time bar's width, the clock arithmetic and the answer check.
class tst_DrillParts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void barWidthFormula_data()
    {
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("full");
        QTest::addColumn<int>("width");
        QTest::newRow("full time left") << 10 << 10 << 3000 << 3000;
        QTest::newRow("nine of ten") << 9 << 10 << 3000 << 2700;
        QTest::newRow("one of ten") << 1 << 10 << 3000 << 300;
        QTest::newRow("time up") << 0 << 10 << 3000 << 0;
        QTest::newRow("late tick is not negative") << -1 << 10 << 3000 << 0;
        QTest::newRow("very late tick") << -32768 << 1 << 8745 << 0;
        QTest::newRow("no display time") << 0 << 0 << 8745 << 0;
        QTest::newRow("no display time, late") << -1 << 0 << 8745 << 0;
        QTest::newRow("fraction rounds down") << 29 << 30 << 8745 << 8453;
        QTest::newRow("one of seven") << 1 << 7 << 8745 << 1249;
        // Division first, in double: 1/3 × 100 × 8745 / 100 comes out just under 2915.
        QTest::newRow("order of operations, 1 of 3") << 1 << 3 << 8745 << 2914;
        QTest::newRow("order of operations, 10 of 30") << 10 << 30 << 8745 << 2914;
        QTest::newRow("order of operations, 2 of 3") << 2 << 3 << 8745 << 5829;
        // The display time was lowered during the display: the scale changes, the end does not.
        QTest::newRow("time lowered during display") << 25 << 5 << 8745 << 43725;
        QTest::newRow("largest values") << 32767 << 1 << 32767 << 32767 * 32767;
        QTest::newRow("beyond int saturates")
            << std::numeric_limits<int>::max() << 1 << 2 << std::numeric_limits<int>::max();
    }
    void barWidthFormula()
    {
        QFETCH(int, remaining);
        QFETCH(int, seconds);
        QFETCH(int, full);
        QFETCH(int, width);
        QCOMPARE(barWidth(remaining, seconds, full), width);
    }

    void clockArithmetic()
    {
        constexpr qint64 max32 = std::numeric_limits<int32_t>::max();
        QCOMPARE(clockSecond(0), 0);
        QCOMPARE(clockSecond(86400), 86400);
        QCOMPARE(clockSecond(max32 + 1), max32);
        QCOMPARE(clockSecond(-1), -1);
        QCOMPARE(clockSecond(std::numeric_limits<qint64>::min()),
                 std::numeric_limits<int32_t>::min());

        QCOMPARE(endSecond(86398, 5), 86403); // no wrap at midnight on a monotonic clock
        QCOMPARE(endSecond(max32 - 2, 5), max32);

        QCOMPARE(remainingSeconds(86403, 86398), int16_t(5));
        QCOMPARE(remainingSeconds(86403, 86404), int16_t(-1));
        // What seconds since midnight would have given across midnight, and a day-late tick.
        QCOMPARE(remainingSeconds(86403, 2), int16_t(32767));
        QCOMPARE(remainingSeconds(0, 100000), int16_t(-32768));
        QCOMPARE(remainingSeconds(std::numeric_limits<int32_t>::min(), max32), int16_t(-32768));
    }

    void displayClockCountsFromTheDigits_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("reading");
        QTest::addColumn<qint64>("seconds");
        // The clock's own second at the start, whatever fraction of it has passed.
        QTest::newRow("start on a whole second")
            << qint64(5000000) << qint64(5000000) << qint64(5000);
        QTest::newRow("start late in a second")
            << qint64(5000999) << qint64(5000999) << qint64(5000);
        // One second on from the start, not from the clock's next whole second.
        QTest::newRow("first tick") << qint64(5000700) << qint64(5001200) << qint64(5000);
        QTest::newRow("second tick") << qint64(5000700) << qint64(5001700) << qint64(5001);
        QTest::newRow("second tick, 30 ms early")
            << qint64(5000700) << qint64(5001670) << qint64(5001);
        QTest::newRow("third tick, 200 ms late")
            << qint64(5000700) << qint64(5002400) << qint64(5001);
        // The second turns a quarter of a second before it is due.
        QTest::newRow("just before the turn") << qint64(5000000) << qint64(5000749) << qint64(5000);
        QTest::newRow("at the turn") << qint64(5000000) << qint64(5000750) << qint64(5001);
        QTest::newRow("below zero") << qint64(-1500) << qint64(-1500) << qint64(-2);
    }
    void displayClockCountsFromTheDigits()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, reading);
        QFETCH(qint64, seconds);
        DisplayClock clock;
        clock.start(start);
        QCOMPARE(clock.wholeSeconds(reading), seconds);
    }

    void answerCheck_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<bool>("right");
        QTest::newRow("same digit") << "4"
                                    << "4" << true;
        QTest::newRow("other digit") << "1"
                                     << "0" << false;
        QTest::newRow("empty answer") << ""
                                      << "7" << false;
        QTest::newRow("both empty, before any drill") << ""
                                                      << "" << true;
        QTest::newRow("full-width digit") << QStringLiteral("４") << "4" << false;
        QTest::newRow("digit and a space") << "4 "
                                           << "4" << false;
        QTest::newRow("space and a digit") << " 4"
                                           << "4" << false;
        QTest::newRow("two digits") << "44"
                                    << "4" << false;
    }
    void answerCheck()
    {
        QFETCH(QString, answer);
        QFETCH(QString, digit);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(answer, digit), right);
    }

    // The scored result holds one mark a slot, the counts of its marks, and the digit count and
    // seconds it was scored with.
    void scoredResult_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("marks"); // R right, W wrong, - unused, slot 1 first
        QTest::newRow("two of three") << "407"
                                      << "417"
                                      << "RWR------------";
        QTest::newRow("all fifteen") << "012345678012345"
                                     << "012345678012345" << QString(15, u'R');
        QTest::newRow("before any drill") << "     "
                                          << "     "
                                          << "RRRRR----------";
    }
    void scoredResult()
    {
        QFETCH(QString, digits);
        QFETCH(QString, answers);
        QFETCH(QString, marks);
        auto perSlot = [](const QString &text) {
            QStringList list;
            for (QChar c : text)
                list.append(c == u' ' ? QString() : QString(c));
            return list;
        };
        const auto count = static_cast<int16_t>(digits.size());
        const DrillResult r = DrillResult::score(perSlot(answers), perSlot(digits), count, 7);
        QString got;
        for (DrillResult::Mark m : r.marks)
            got += m == DrillResult::Mark::Right   ? u'R'
                   : m == DrillResult::Mark::Wrong ? u'W'
                                                   : u'-';
        QCOMPARE(got, marks);
        QCOMPARE(r.right, int16_t(marks.count(u'R')));
        QCOMPARE(r.wrong, int16_t(marks.count(u'W')));
        QCOMPARE(r.digitCount, count);
        QCOMPARE(r.displaySeconds, int16_t(7));
    }
};

QTEST_GUILESS_MAIN(tst_DrillParts)
#include "tst_drillparts.moc"
