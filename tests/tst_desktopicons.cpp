// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Pictures.h"

#include <QDir>
#include <QImage>
#include <QTest>

// The desktop icons the build draws for the hicolor icon theme: the window's lightning bolt,
// each pixel enlarged to a sharp square block of whole pixels, never smoothed or stretched.
class tst_DesktopIcons : public QObject
{
    Q_OBJECT

    static QImage argb(const QImage &image) { return image.convertToFormat(QImage::Format_ARGB32); }

    static QString iconPath(int size)
    {
        return QDir(QStringLiteral(KETAMORI_ICON_DIR))
            .filePath(QStringLiteral("%1x%1/apps/ketamori.png").arg(size));
    }

    // Transparent pixels are equal whatever colour they would have had.
    static bool samePixel(QRgb a, QRgb b) { return (qAlpha(a) == 0 && qAlpha(b) == 0) || a == b; }

private slots:
    void enlargedByWholePixels_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("drawn");
        QTest::newRow("16 px: the 16 px image as drawn") << 16 << 16;
        QTest::newRow("32 px: the 32 px image as drawn") << 32 << 32;
        QTest::newRow("48 px: the 16 px image three times") << 48 << 16;
        QTest::newRow("64 px: the 32 px image twice") << 64 << 32;
        QTest::newRow("128 px: the 32 px image four times") << 128 << 32;
    }
    void enlargedByWholePixels()
    {
        QFETCH(int, size);
        QFETCH(int, drawn);
        QImage icon;
        QVERIFY2(icon.load(iconPath(size), "PNG"), qPrintable(iconPath(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        icon = argb(icon);

        const QImage original = argb(Pictures::image(Pictures::Icon::Bolt, drawn));
        QCOMPARE(original.size(), QSize(drawn, drawn));
        const int factor = size / drawn;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (!samePixel(icon.pixel(x, y), original.pixel(x / factor, y / factor)))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, drawn as %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(icon.pixel(x, y), 8, 16)
                                         .arg(original.pixel(x / factor, y / factor), 8, 16)));
    }
};

QTEST_GUILESS_MAIN(tst_DesktopIcons)
#include "tst_desktopicons.moc"
