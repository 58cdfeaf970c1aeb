// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/core/RandomDigitSource.h"
#include "base/SystemClock.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>
#include <array>

// The real clock and digit source the program runs with.
class tst_DrillSources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void digitsAreUniformOverZeroToEight()
    {
        RandomDigitSource source;
        constexpr int draws = 90000;
        std::array<int, 10> counts{};
        for (int n = 0; n < draws; ++n) {
            if (n % 15 == 0)
                source.reseed(); // as the drill does, every fifteen digits at most
            const int digit = source.nextDigit();
            QVERIFY2(digit >= 0 && digit <= 8, qPrintable(QString::number(digit)));
            ++counts[static_cast<std::size_t>(digit)];
        }
        // 10000 expected per digit; the standard deviation is about 94, so ±600 is six sigma.
        for (int digit = 0; digit <= 8; ++digit)
            QVERIFY2(qAbs(counts[static_cast<std::size_t>(digit)] - draws / 9) < 600,
                     qPrintable(QStringLiteral("digit %1 drawn %2 times")
                                    .arg(digit)
                                    .arg(counts[static_cast<std::size_t>(digit)])));
    }

    void drillsDoNotRepeatASequence()
    {
        // Two sources made at the same moment, and one source reseeded again and again, never
        // give the same fifteen digits twice.
        RandomDigitSource first;
        RandomDigitSource second;
        QSet<QString> seen;
        for (int drill = 0; drill < 500; ++drill) {
            for (RandomDigitSource *source : {&first, &second}) {
                source->reseed();
                QString digits;
                for (int i = 0; i < 15; ++i)
                    digits += QChar(u'0' + source->nextDigit());
                QVERIFY2(!seen.contains(digits), qPrintable(digits));
                seen.insert(digits);
            }
        }
    }

    void systemClockIsMonotonic()
    {
        QVERIFY(QElapsedTimer::isMonotonic());
        SystemClock clock;
        const qint64 start = clock.milliseconds();
        QVERIFY(start >= 0);
        QVERIFY(start < 100); // counts from the program's start
        qint64 last = start;
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < 300) {
            const qint64 now = clock.milliseconds();
            QVERIFY(now >= last);
            last = now;
            QTest::qSleep(20);
        }
        const qint64 waited = wait.elapsed();
        const qint64 end = clock.milliseconds();
        QVERIFY(end >= last);
        QVERIFY(end >= waited);       // the clock started a moment earlier
        QVERIFY(end <= waited + 100); // and it counts milliseconds
    }

    void systemClockLocalTime()
    {
        SystemClock clock;
        const QDateTime now = clock.localNow();
        QCOMPARE(now.timeSpec(), Qt::LocalTime);
        QVERIFY(qAbs(now.secsTo(QDateTime::currentDateTime())) <= 1);
    }
};

QTEST_GUILESS_MAIN(tst_DrillSources)
#include "tst_drillsources.moc"
