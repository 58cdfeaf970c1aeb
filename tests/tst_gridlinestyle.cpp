// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history table's grid lines: their colour comes from the table's own style, with no style
// sheet (which would switch the table to the slow style-sheet style), and every other part of
// the look stays the application style's.

#include "controls/GridLineStyle.h"
#include "records/History.h"
#include "tests/TestWindow.h"

#include <QApplication>
#include <QStyleOption>
#include <QTableView>
#include <QTest>

class tst_GridLineStyle : public QObject
{
    Q_OBJECT

private slots:
    void gridLineColour_data();
    void gridLineColour();
    void otherHintsAreTheApplicationStyles_data();
    void otherHintsAreTheApplicationStyles();
    void historyTableUsesItWithoutStyleSheet();
};

void tst_GridLineStyle::gridLineColour_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("light grey between cells") << QColor(192, 192, 192);
    QTest::newRow("black between fixed cells") << QColor(0, 0, 0);
    QTest::newRow("white, all bits set") << QColor(255, 255, 255);
}

void tst_GridLineStyle::gridLineColour()
{
    QFETCH(QColor, colour);
    GridLineStyle style(colour);
    QTableView table;
    QStyleOption option;
    option.initFrom(&table);
    const int hint = style.styleHint(QStyle::SH_Table_GridLineColor, &option, &table);
    QCOMPARE(QColor::fromRgba(static_cast<QRgb>(hint)), colour);
}

void tst_GridLineStyle::otherHintsAreTheApplicationStyles_data()
{
    QTest::addColumn<int>("hint");
    QTest::newRow("scroll bar middle click")
        << int(QStyle::SH_ScrollBar_MiddleClickAbsolutePosition);
    QTest::newRow("header arrow alignment") << int(QStyle::SH_Header_ArrowAlignment);
    QTest::newRow("item view activation") << int(QStyle::SH_ItemView_ActivateItemOnSingleClick);
}

void tst_GridLineStyle::otherHintsAreTheApplicationStyles()
{
    QFETCH(int, hint);
    GridLineStyle style(QColor(192, 192, 192));
    const auto h = static_cast<QStyle::StyleHint>(hint);
    QCOMPARE(style.styleHint(h), QApplication::style()->styleHint(h));
}

void tst_GridLineStyle::historyTableUsesItWithoutStyleSheet()
{
    TestWindow w;
    QVERIFY2(w.loaded, qPrintable(w.error));
    QTableView *grid = w->ui.msgRireki;
    QVERIFY(grid->styleSheet().isEmpty());
    auto *style = qobject_cast<GridLineStyle *>(grid->style());
    QVERIFY(style);
    QCOMPARE(style->gridLineColor(), QColor(192, 192, 192));
    // Laying the table out again keeps the one style.
    w->history().InitRireki();
    QCOMPARE(grid->style(), style);
}

QTEST_MAIN(tst_GridLineStyle)
#include "tst_gridlinestyle.moc"
