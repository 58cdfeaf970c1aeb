// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/RateText.h"

#include <QTest>

#include <limits>

class tst_RateText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<int>("ok");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none of five") << 0 << 5 << QStringLiteral("0.0%");
        QTest::newRow("three of five") << 3 << 5 << QStringLiteral("60.0%");
        QTest::newRow("two of three rounds up") << 2 << 3 << QStringLiteral("66.7%");
        QTest::newRow("one of three rounds down") << 1 << 3 << QStringLiteral("33.3%");
        QTest::newRow("one of eight") << 1 << 8 << QStringLiteral("12.5%");
        QTest::newRow("all of five") << 5 << 5 << QStringLiteral("100.0%");
        QTest::newRow("one of fifteen") << 1 << 15 << QStringLiteral("6.7%");
        QTest::newRow("fourteen of fifteen") << 14 << 15 << QStringLiteral("93.3%");
        // Saving after the digit count was lowered can put more right answers than digits.
        QTest::newRow("more right than digits") << 15 << 1 << QStringLiteral("1500.0%");
    }
    void format()
    {
        QFETCH(int, ok);
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(rateText(ok, count), text);
    }
    void extremeTenths()
    {
        QCOMPARE(rateText(std::numeric_limits<int32_t>::min()), QStringLiteral("-214748364.8%"));
        QCOMPARE(rateText(std::numeric_limits<int32_t>::max()), QStringLiteral("214748364.7%"));
    }
};

QTEST_GUILESS_MAIN(tst_RateText)
#include "tst_ratetext.moc"
