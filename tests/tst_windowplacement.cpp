// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowPlacement.h"

#include <QTest>

// The secondary windows beside a main window centred on a small and on a large screen, at 100 %,
// 150 % and 200 % (the screen's logical pixels shrink, the windows' do not).
class tst_WindowPlacement : public QObject
{
    Q_OBJECT

    static constexpr QSize mainWindow{631, 452};
    static constexpr QSize helpWindow{640, 500};
    static constexpr QSize statsWindow{780, 500};
    static constexpr QSize messageBox{420, 160};
    static constexpr QRect large{0, 0, 2560, 1440};

    static QRect centred(const QSize &size, const QRect &available)
    {
        QRect frame(QPoint(), size);
        frame.moveCenter(available.center());
        return frame;
    }

    static qint64 area(const QRect &rect)
    {
        return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
    }

private Q_SLOTS:
    void wholeOnTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("frame");
        for (const QSize screen : {QSize(1024, 768), QSize(2560, 1440)}) {
            for (const int percent : {100, 150, 200}) {
                // A panel of 32 pixels at the top, as desktops have.
                const QRect available(0, 32 * 100 / percent, screen.width() * 100 / percent,
                                      (screen.height() - 32) * 100 / percent);
                const std::pair<const char *, QSize> windows[] = {
                    {"help", helpWindow}, {"stats", statsWindow}, {"message", messageBox}};
                for (const auto &[name, size] : windows) {
                    QTest::addRow("%s %dx%d %d%%", name, screen.width(), screen.height(), percent)
                        << available << size;
                }
            }
        }
    }
    void wholeOnTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, frame);
        const QRect owner = centred(mainWindow, available);
        const QRect placed = WindowPlacement::besideOrCoveringLeast(frame, owner, available);
        QVERIFY2(available.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                            .arg(placed.x())
                                                            .arg(placed.y())
                                                            .arg(placed.width())
                                                            .arg(placed.height())));
        // Cut down only where the screen is smaller than the window.
        QCOMPARE(placed.size(), frame.boundedTo(available.size()));
        // Any frame, wherever it was, is brought wholly onto the screen by the edge rule.
        for (const QPoint corner : {QPoint(-5000, -5000), QPoint(5000, 5000), available.topLeft(),
                                    available.bottomRight()}) {
            const QRect moved = WindowPlacement::onScreen(QRect(corner, frame), available);
            QVERIFY(available.contains(moved));
            QCOMPARE(moved.size(), frame.boundedTo(available.size()));
        }
    }

    // At 150 % a 1024x768 screen is 682.67 logical pixels wide, which Qt rounds to 683: a window
    // that wide would take 1025 device pixels. Whole scales lose nothing.
    void availableInWholeDevicePixels_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<qreal>("ratio");
        for (const QSize screen : {QSize(1024, 768), QSize(2560, 1440), QSize(1366, 768)})
            for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0})
                QTest::addRow("%dx%d at %g", screen.width(), screen.height(), ratio)
                    << screen << ratio;
    }
    void availableInWholeDevicePixels()
    {
        QFETCH(QSize, screen);
        QFETCH(qreal, ratio);
        const QRect logical(0, 0, qRound(screen.width() / ratio), qRound(screen.height() / ratio));
        const QRect usable = WindowPlacement::inDevicePixels(logical, ratio);
        QVERIFY(qRound(usable.width() * ratio) <= screen.width());
        QVERIFY(qRound(usable.height() * ratio) <= screen.height());
        QVERIFY(usable.width() >= logical.width() - 1 && usable.height() >= logical.height() - 1);
        if (ratio == qRound(ratio))
            QCOMPARE(usable, logical);
    }

    void besideWhereThereIsRoom_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("expected");
        const QRect centredOnLarge = centred(mainWindow, large); // (964, 494) to (1594, 945)
        QTest::newRow("stats on the right")
            << centredOnLarge << statsWindow << QRect(QPoint(1594 + 1 + 8, 494), statsWindow);
        QTest::newRow("help on the right")
            << centredOnLarge << helpWindow << QRect(QPoint(1594 + 1 + 8, 494), helpWindow);
        const QRect farRight(QPoint(1700, 494), mainWindow);
        QTest::newRow("stats on the left, no room on the right")
            << farRight << statsWindow << QRect(QPoint(1700 - 8 - 780, 494), statsWindow);
        // Level with the main window's top unless that would take it below the screen.
        const QRect low(QPoint(100, 1200), mainWindow);
        QTest::newRow("help low on the screen")
            << low << helpWindow << QRect(QPoint(731 + 8, 1440 - 500), helpWindow);
    }
    void besideWhereThereIsRoom()
    {
        QFETCH(QRect, owner);
        QFETCH(QSize, frame);
        QFETCH(QRect, expected);
        QCOMPARE(WindowPlacement::beside(frame, owner, large), std::optional(expected));
        QCOMPARE(WindowPlacement::besideOrCoveringLeast(frame, owner, large), expected);
    }

    // On 1024x768 there is no room beside the main window (631 wide, centred): 成績グラフ goes
    // to the screen's lower right corner, where it leaves the main window's top band (the
    // buttons) free and covers less of it than any other place on the screen.
    void coversLeastWhereThereIsNoRoom()
    {
        const QRect available(0, 0, 1024, 768);
        const QRect owner = centred(mainWindow, available); // (196, 158) to (826, 609)
        QCOMPARE(WindowPlacement::beside(statsWindow, owner, available), std::nullopt);
        const QRect placed = WindowPlacement::besideOrCoveringLeast(statsWindow, owner, available);
        QCOMPARE(placed, QRect(QPoint(244, 268), statsWindow));
        QVERIFY(placed.top() > owner.top() + 96);
        // No other place covers less (every tenth pixel tried).
        const qint64 covered = area(placed & owner);
        for (int y = 0; y + statsWindow.height() <= 768; y += 10)
            for (int x = 0; x + statsWindow.width() <= 1024; x += 10)
                QVERIFY(area(QRect(QPoint(x, y), statsWindow) & owner) >= covered);
    }

    // Where 成績グラフ cannot stand beside the main window, it never covers where the drill is
    // played (the buttons, the digits, the answer boxes): it goes below that, over the history
    // table, or above or beside it, cut down to the room there, keeping as much of itself as it
    // can. The drill of a main window centred on the screen: its top 293 pixels.
    void keepsClearOfTheDrill_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1024x768: below the answer boxes, cut to the room there")
            << QRect(0, 0, 1024, 768) << QRect(244, 459, 780, 309);
        QTest::newRow("1024x600") << QRect(0, 0, 1024, 600) << QRect(244, 375, 780, 225);
        QTest::newRow("800x1000") << QRect(0, 0, 800, 1000) << QRect(20, 575, 780, 425);
        QTest::newRow("1920x1080: over the history table's right end")
            << QRect(0, 0, 1920, 1080) << QRect(1140, 615, 780, 465);
        QTest::newRow("2560x1440, room beside: beside") << large << QRect();
    }
    void keepsClearOfTheDrill()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QRect owner = centred(mainWindow, available);
        const QRect answers(owner.left(), owner.top(), owner.width(), 228 + 65);
        const QRect placed =
            WindowPlacement::besideOrCoveringLeast(statsWindow, owner, available, answers);
        QVERIFY(available.contains(placed));
        QVERIFY(!placed.intersects(answers.adjusted(-WindowPlacement::gap, -WindowPlacement::gap,
                                                    WindowPlacement::gap, WindowPlacement::gap)));
        if (expected.isNull())
            QCOMPARE(placed, *WindowPlacement::beside(statsWindow, owner, available));
        else
            QCOMPARE(placed, expected);
    }
};

QTEST_APPLESS_MAIN(tst_WindowPlacement)
#include "tst_windowplacement.moc"
