// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Pictures.h"

#include <QTest>

// The logo the program carries is the logo it would draw: a change to the drawing, or a face
// that draws differently, must not leave a stale picture behind.
class tst_BakedLogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bakedAsDrawn_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << qreal(1);
        QTest::newRow("200 %") << qreal(2);
    }
    void bakedAsDrawn()
    {
        QFETCH(qreal, ratio);
        const QImage baked = Pictures::bakedLogo(ratio);
        QVERIFY(!baked.isNull());
        QCOMPARE(baked.devicePixelRatio(), ratio);
        QCOMPARE(baked, Pictures::drawnLogo(ratio));
    }

    void noneForOtherRatios() { QVERIFY(Pictures::bakedLogo(1.5).isNull()); }
};

QTEST_MAIN(tst_BakedLogo)
#include "tst_bakedlogo.moc"
