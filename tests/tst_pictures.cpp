// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Pictures.h"
#include "resources/StartupWarmUp.h"

#include <QGuiApplication>
#include <QSet>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

// Run twice by CTest: on a plain screen and on one at 200 % (QT_SCALE_FACTOR=2).
class tst_Pictures : public QObject
{
    Q_OBJECT

    using Icon = Pictures::Icon;

    static const QSet<QRgb> &palette()
    {
        static const QSet<QRgb> colours{
            qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
        };
        return colours;
    }

    static QList<Icon> allIcons()
    {
        return {Icon::Bolt, Icon::Notebook, Icon::Floppy,      Icon::Sheets,    Icon::Question,
                Icon::Exit, Icon::LightRed, Icon::LightYellow, Icon::LightGreen};
    }

    static int count(const QImage &image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }

    // The pixels alone, whatever the format and the device pixel ratio.
    static QImage pixels(const QImage &image)
    {
        QImage result = image.convertToFormat(QImage::Format_ARGB32);
        result.setDevicePixelRatio(1);
        return result;
    }

    // The picture a screen of this device pixel ratio shows: as drawn for 100 % or for 200 %.
    static QImage drawnFor(qreal ratio, const QImage &drawn1x, const QImage &drawn2x)
    {
        return pixels(ratio > 1 ? drawn2x : drawn1x);
    }

    // Pixel art ready for this screen: its size in logical pixels kept, at 100 % and 200 % the
    // picture drawn for that scale shown pixel for pixel (at other scales, resized to fit).
    static void checkSharp(const QPixmap &pixmap, const QImage &drawn1x, const QImage &drawn2x)
    {
        const qreal ratio = qGuiApp->devicePixelRatio();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(drawn1x.size()));
        if (ratio == 1 || ratio == 2)
            QCOMPARE(pixels(pixmap.toImage()), drawnFor(ratio, drawn1x, drawn2x));
    }

private Q_SLOTS:
    void pixelArt_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("masked");
        for (const Icon icon : allIcons()) {
            for (const int size : {32, 16}) {
                const QString name = QStringLiteral("%1-%2").arg(Pictures::resourceName(icon));
                QTest::newRow(qPrintable(name.arg(size)))
                    << Pictures::image(icon, size) << size << true;
                QTest::newRow(qPrintable(name.arg(size) + QStringLiteral("@2x")))
                    << Pictures::image(icon, size, 2) << 2 * size << true;
            }
        }
        // The housing and the auto-save picture as stored (the resources are known by now).
        QTest::newRow("housing-32")
            << QImage(QStringLiteral(":/pictures/light-32.xpm")) << 32 << true;
        QTest::newRow("housing-16")
            << QImage(QStringLiteral(":/pictures/light-16.xpm")) << 16 << true;
        QTest::newRow("housing-32@2x")
            << QImage(QStringLiteral(":/pictures/light-32@2x.xpm")) << 64 << true;
        QTest::newRow("autosave") << QImage(QStringLiteral(":/pictures/autosave.xpm")) << 16
                                  << false;
        QTest::newRow("autosave@2x")
            << QImage(QStringLiteral(":/pictures/autosave@2x.xpm")) << 32 << false;
    }
    void pixelArt()
    {
        QFETCH(QImage, image);
        QFETCH(int, size);
        QFETCH(bool, masked);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(size, size));
        int transparent = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 0) {
                    ++transparent;
                    continue;
                }
                QVERIFY2(qAlpha(pixel) == 255, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
                QVERIFY2(palette().contains(pixel | 0xff000000),
                         qPrintable(QStringLiteral("(%1,%2) is %3 %4 %5, not a palette colour")
                                        .arg(x)
                                        .arg(y)
                                        .arg(qRed(pixel))
                                        .arg(qGreen(pixel))
                                        .arg(qBlue(pixel))));
            }
        }
        if (masked) {
            QVERIFY(transparent > 0);
            QVERIFY(transparent < size * size * 3 / 4); // and a picture on it
        } else {
            QCOMPARE(transparent, 0);
            QCOMPARE(image.pixel(0, 0), qRgb(192, 192, 192)); // on light grey
        }
    }

    void trafficLightsDifferOnlyInLamps_data()
    {
        QTest::addColumn<int>("drawnSize");
        QTest::addColumn<int>("scale");
        QTest::newRow("32") << 32 << 1;
        QTest::newRow("16") << 16 << 1;
        QTest::newRow("32@2x") << 32 << 2;
        QTest::newRow("16@2x") << 16 << 2;
    }
    void trafficLightsDifferOnlyInLamps()
    {
        QFETCH(int, drawnSize);
        QFETCH(int, scale);
        const int size = drawnSize * scale;
        const QImage lights[3] = {Pictures::image(Icon::LightRed, drawnSize, scale),
                                  Pictures::image(Icon::LightYellow, drawnSize, scale),
                                  Pictures::image(Icon::LightGreen, drawnSize, scale)};
        const QRgb bright[3] = {qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0)};
        const QRgb dark[3] = {qRgb(128, 0, 0), qRgb(128, 128, 0), qRgb(0, 128, 0)};
        const QRgb glint = qRgb(255, 255, 255);

        // Lamp k is lit in light k alone.
        for (int light = 0; light < 3; ++light)
            for (int lamp = 0; lamp < 3; ++lamp)
                QCOMPARE(count(lights[light], bright[lamp]) > 0, light == lamp);

        int lampTop[3] = {size, size, size}, lampBottom[3] = {-1, -1, -1};
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel[3] = {lights[0].pixel(x, y), lights[1].pixel(x, y),
                                       lights[2].pixel(x, y)};
                if (pixel[0] == pixel[1] && pixel[1] == pixel[2])
                    continue;
                // A pixel that changes belongs to one lamp: lit in that lamp's light, that
                // lamp's dark colour in the other two.
                int lamp = -1;
                for (int k = 0; k < 3; ++k)
                    if (pixel[k] == bright[k] || pixel[k] == glint)
                        lamp = k;
                QVERIFY2(lamp >= 0, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
                for (int k = 0; k < 3; ++k)
                    if (k != lamp)
                        QCOMPARE(pixel[k], dark[lamp]);
                lampTop[lamp] = qMin(lampTop[lamp], y);
                lampBottom[lamp] = qMax(lampBottom[lamp], y);
            }
        }
        // Red at the top, yellow in the middle, green at the bottom.
        QVERIFY(lampBottom[0] >= 0 && lampBottom[1] >= 0 && lampBottom[2] >= 0);
        QVERIFY(lampBottom[0] < lampTop[1]);
        QVERIFY(lampBottom[1] < lampTop[2]);
    }

    // The pictures for 200 % are the same designs with twice the pixels each way: each pixel of
    // the 100 % picture is a 2x2 block of which at least two pixels keep its colour (the others
    // may take a neighbour's, to smooth a step).
    void drawnAtTwiceThePixels_data()
    {
        QTest::addColumn<QImage>("drawn1x");
        QTest::addColumn<QImage>("drawn2x");
        for (const Icon icon : allIcons()) {
            for (const int size : {32, 16}) {
                const QString name = QStringLiteral("%1-%2").arg(Pictures::resourceName(icon));
                QTest::newRow(qPrintable(name.arg(size)))
                    << Pictures::image(icon, size) << Pictures::image(icon, size, 2);
            }
        }
        QTest::newRow("autosave") << Pictures::autoSaveImage() << Pictures::autoSaveImage(2);
    }
    void drawnAtTwiceThePixels()
    {
        QFETCH(QImage, drawn1x);
        QFETCH(QImage, drawn2x);
        QVERIFY(!drawn1x.isNull());
        QCOMPARE(drawn2x.size(), drawn1x.size() * 2);
        for (int y = 0; y < drawn1x.height(); ++y) {
            for (int x = 0; x < drawn1x.width(); ++x) {
                int kept = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        kept += drawn2x.pixel(2 * x + dx, 2 * y + dy) == drawn1x.pixel(x, y);
                QVERIFY2(kept >= 2, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
            }
        }
    }

    void iconsHoldBothSizes_data()
    {
        QTest::addColumn<Icon>("icon");
        for (const Icon icon : allIcons())
            QTest::newRow(qPrintable(Pictures::resourceName(icon))) << icon;
    }
    void iconsHoldBothSizes()
    {
        QFETCH(Icon, icon);
        const QIcon both = Pictures::icon(icon);
        for (const int size : {32, 16}) {
            const QImage drawn1x = Pictures::image(icon, size);
            const QImage drawn2x = Pictures::image(icon, size, 2);
            for (const qreal ratio : {1.0, 2.0}) {
                const QPixmap pixmap = both.pixmap(QSize(size, size), ratio);
                QCOMPARE(pixmap.size(), QSize(size, size) * ratio);
                QCOMPARE(pixels(pixmap.toImage()), drawnFor(ratio, drawn1x, drawn2x));
            }
        }
    }

    void sharpOnThisScreen()
    {
        for (const Icon icon : allIcons())
            checkSharp(Pictures::icon32(icon), Pictures::image(icon, 32),
                       Pictures::image(icon, 32, 2));
        checkSharp(Pictures::autoSave(), QImage(QStringLiteral(":/pictures/autosave.xpm")),
                   QImage(QStringLiteral(":/pictures/autosave@2x.xpm")));
    }

    void logo()
    {
        const QPixmap logo = Pictures::logo();
        const qreal ratio = qGuiApp->devicePixelRatio();
        QCOMPARE(logo.deviceIndependentSize(), QSizeF(264, 66));
        // Drawn at the screen's own resolution, not enlarged afterwards.
        QCOMPARE(logo.devicePixelRatio(), ratio);
        QCOMPARE(logo.size(), QSize(264, 66) * ratio);

        const QImage image = logo.toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);

        // The caption fills the picture; the first letter is black, the others red, all with a
        // white rim and a grey shadow.
        QRect drawn;
        int firstRed = image.width(), lastBlack = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) > 0)
                    drawn |= QRect(x, y, 1, 1);
                if (pixel == qRgb(255, 0, 0))
                    firstRed = qMin(firstRed, x);
                if (pixel == qRgb(0, 0, 0))
                    lastBlack = qMax(lastBlack, x);
            }
        }
        QVERIFY(drawn.width() > image.width() * 9 / 10);
        QVERIFY(drawn.height() > image.height() * 3 / 4);
        QVERIFY(lastBlack >= 0);
        QVERIFY(firstRed < image.width());
        QVERIFY(lastBlack < firstRed + image.width() / 20); // black only in the first letter
        QVERIFY(lastBlack < image.width() / 3);
        QVERIFY(count(image, qRgb(255, 255, 255)) > 0);
        QVERIFY(count(image, qRgb(128, 128, 128)) > 0);
    }

    // While the start-up's work runs, a second warm-up starts nothing; going out of scope, a
    // warm-up waits until the work is over.
    void warmUpStartsOnceAndIsWaitedFor()
    {
        static std::atomic<int> runs{0};
        static std::atomic<bool> done{false};
        {
            const StartupWarmUp first([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ++runs;
                done = true;
            });
            const StartupWarmUp second([] { ++runs; });
        }
        QVERIFY(done);
        QCOMPARE(runs.load(), 1);
    }

    // Last: from here on the pictures come from what the start-up's thread decoded.
    void decodedAheadOnAnotherThreadAsOnDemand()
    {
        QList<QImage> onDemand;
        for (const Icon icon : allIcons()) {
            for (const int size : {32, 16}) {
                for (const int scale : {1, 2})
                    onDemand.append(Pictures::image(icon, size, scale));
            }
        }
        const QImage autoSave = Pictures::autoSave().toImage();
        std::thread(&Pictures::decodeAhead).join();
        qsizetype i = 0;
        for (const Icon icon : allIcons()) {
            for (const int size : {32, 16}) {
                for (const int scale : {1, 2})
                    QCOMPARE(Pictures::image(icon, size, scale), onDemand.at(i++));
            }
        }
        QCOMPARE(Pictures::autoSave().toImage(), autoSave);
    }
};

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
