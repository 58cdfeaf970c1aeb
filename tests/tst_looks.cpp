// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestWindow.h"
#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"
#include "controls/FittingTextDelegate.h"
#include "controls/Twips.h"
#include "records/HistoryModel.h"
#include "records/NumberColumn.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStringEncoder>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include <QToolButton>
#include <functional>

// What the player sees of states: the auto-save switch pressed in or raised, where the keyboard
// focus is, and the history table's rows and colours. Checked on the pixels the controls paint,
// at whatever display scale the test runs (100 % and 200 %).
namespace {

// A grab of a widget, with a reader of its pixels in the widget's own (logical) coordinates.
class Picture
{
public:
    explicit Picture(QWidget *widget)
        : m_image(widget->grab().toImage().convertToFormat(QImage::Format_RGB32)),
          m_scale(m_image.devicePixelRatio())
    {
    }

    // The device pixel at the top left of logical point (x, y); a negative coordinate counts
    // from the far edge, -1 being the last logical pixel's last device pixel.
    QColor at(int x, int y) const
    {
        const int dx = x >= 0 ? int(x * m_scale) : m_image.width() + x;
        const int dy = y >= 0 ? int(y * m_scale) : m_image.height() + y;
        return QColor(m_image.pixel(dx, dy));
    }

    // How many device pixels differ from another picture of the same size.
    int differences(const Picture &other) const
    {
        int n = 0;
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                n += m_image.pixel(x, y) != other.m_image.pixel(x, y);
        return n;
    }

    const QImage &image() const { return m_image; }
    qreal scale() const { return m_scale; }

private:
    QImage m_image;
    qreal m_scale;
};

int brightness(const QColor &c)
{
    return qGray(c.rgb());
}

// A history of count results, as the program writes it.
QByteArray historyLines(int count)
{
    QString lines;
    for (int n = 1; n <= count; ++n)
        lines += QStringLiteral("\"2026/01/02\",\"03:04:%1\",\"○×○－－－－－－－－－－－－\",2,1,"
                                "\"66.7%\",\"5秒\"\r\n")
                     .arg(n % 60, 2, 10, QLatin1Char('0'));
    QStringEncoder cp932("CP932");
    return cp932.encode(lines);
}

// Where a digit's ink lies in a control: the device pixels that change when the digit is written
// into the empty control, against the control's inside (within its border or frame). Whole is
// clear of the inside's edges.
struct Ink
{
    bool whole = false;
    int leftRoom = 0;  // device pixels between the inside's left edge and the ink
    int rightRoom = 0; // and between the ink and the inside's right edge
    qreal scale = 1;
    QString where;
};

Ink digitInk(QWidget *control, const QRect &inside,
             const std::function<void(const QString &)> &write, const QString &digit)
{
    control->setVisible(true);
    write(QString());
    const Picture empty(control);
    write(digit);
    const Picture written(control);
    Ink result;
    result.scale = written.scale();
    const QRect insideDevice(
        QPoint(qRound(inside.left() * result.scale), qRound(inside.top() * result.scale)),
        inside.size() * result.scale);
    QRect ink;
    for (int y = 0; y < written.image().height(); ++y)
        for (int x = 0; x < written.image().width(); ++x)
            if (written.image().pixel(x, y) != empty.image().pixel(x, y))
                ink |= QRect(x, y, 1, 1);
    result.leftRoom = ink.left() - insideDevice.left();
    result.rightRoom = insideDevice.right() - ink.right();
    // Within the inside and clear of its edges: ink cut off there would end at the edge itself.
    result.whole = !ink.isEmpty() && result.leftRoom > 0 && result.rightRoom > 0;
    result.where = QStringLiteral("%1: ink at x %2..%3, inside %4..%5")
                       .arg(control->metaObject()->className())
                       .arg(ink.left())
                       .arg(ink.right())
                       .arg(insideDevice.left())
                       .arg(insideDevice.right());
    return result;
}

} // namespace

class tst_Looks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each digit at 48 pt lies whole inside its slot's border and inside its answer box's frame:
    // where the face's digit is wider, it is drawn narrower. It stands in the middle of both
    // alike. Its ink is what changes when the digit is written into the empty control.
    void digitsWholeInTheirSlots_data()
    {
        QTest::addColumn<QString>("digit");
        for (char c = '0'; c <= '9'; ++c)
            QTest::newRow(QByteArray(1, c).constData()) << QString(QLatin1Char(c));
    }
    void digitsWholeInTheirSlots()
    {
        QFETCH(QString, digit);
        TestWindow t;
        QVERIFY(t.loaded);
        AnswerBox *box = t->ui.txtKaitou(15);
        auto *slot = t->ui.lblMondai(15);
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        const Ink inSlot = digitInk(
            slot, slot->contentsRect(), [slot](const QString &text) { slot->setText(text); },
            digit);
        const Ink inBox = digitInk(
            box, box->rect().adjusted(frame, frame, -frame, -frame),
            [box](const QString &text) { box->setText(text); }, digit);
        QVERIFY2(inSlot.whole, qPrintable(inSlot.where));
        QVERIFY2(inBox.whole, qPrintable(inBox.where));
        // Centred alike, give or take a pixel of the screen (the box is a pixel wider).
        QVERIFY2(qAbs(inSlot.leftRoom - inBox.leftRoom) <= 1 + inSlot.scale &&
                     qAbs(inSlot.rightRoom - inBox.rightRoom) <= 1 + inSlot.scale,
                 qPrintable(inSlot.where + QStringLiteral("; ") + inBox.where));
    }

    // Released, the switch is raised: light edges above and left, dark below and right. Pressed
    // in, the edges turn round and the face darkens.
    void autoSaveSwitchShowsItsState()
    {
        TestWindow off("5,5,0\r\n");
        TestWindow on("5,5,1\r\n");
        QVERIFY(off.loaded && on.loaded);
        QVERIFY(!off->ui.chkAs->isChecked() && on->ui.chkAs->isChecked());
        const Picture raised(off->ui.chkAs);
        const Picture sunken(on->ui.chkAs);
        const int mid = off->ui.chkAs->width() / 2;

        const int raisedFace = brightness(raised.at(3, 3));
        QVERIFY(brightness(raised.at(0, mid)) > raisedFace);  // left edge
        QVERIFY(brightness(raised.at(mid, 0)) > raisedFace);  // top edge
        QVERIFY(brightness(raised.at(-1, mid)) < raisedFace); // right edge
        QVERIFY(brightness(raised.at(mid, -1)) < raisedFace); // bottom edge

        const int sunkenFace = brightness(sunken.at(3, 3));
        QVERIFY(brightness(sunken.at(0, mid)) < sunkenFace);
        QVERIFY(brightness(sunken.at(mid, 0)) < sunkenFace);
        QVERIFY(brightness(sunken.at(-1, mid)) > brightness(sunken.at(0, mid)));
        QVERIFY(brightness(sunken.at(mid, -1)) > brightness(sunken.at(mid, 0)));
        QVERIFY2(
            sunkenFace < raisedFace - 10,
            qPrintable(QStringLiteral("face %1 set, %2 clear").arg(sunkenFace).arg(raisedFace)));
    }

    // On the first screen スタート has the focus, and shows it without a Tab pressed first.
    void focusShowsFromTheStart()
    {
        TestWindow t;
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QCOMPARE(QApplication::focusWidget(), t->ui.cmdStart);
        const Picture focused(t->ui.cmdStart);
        t->ui.cmdKaitou->setFocus(Qt::OtherFocusReason);
        const Picture unfocused(t->ui.cmdStart);
        QVERIFY2(focused.differences(unfocused) > 20,
                 qPrintable(QString::number(focused.differences(unfocused))));
    }

    // Reached by Tab, the table shows which of its cells has the focus.
    void tableShowsItsFocusedCell_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("3 records") << 3;
        QTest::newRow("10 records, scrolled") << 10;
    }

    void tableShowsItsFocusedCell()
    {
        QFETCH(int, records);
        TestWindow t("5,5,0\r\n", historyLines(records));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        for (int n = 0; n < 30 && QApplication::focusWidget() != t->ui.msgRireki; ++n)
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t->ui.msgRireki);
        const QModelIndex current = t->ui.msgRireki->currentIndex();
        QVERIFY(current.isValid());
        const Picture focused(t->ui.msgRireki->viewport());
        t->ui.cmdStart->setFocus(Qt::OtherFocusReason); // the same current cell, without the focus
        QCOMPARE(t->ui.msgRireki->currentIndex(), current);
        const Picture unfocused(t->ui.msgRireki->viewport());

        const QRect cell = t->ui.msgRireki->visualRect(current);
        QVERIFY2(
            t->ui.msgRireki->viewport()->rect().contains(cell),
            qPrintable(
                QStringLiteral("the focused cell, row %1, is out of view").arg(current.row() + 1)));
        int changed = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                changed += focused.at(x, y) != unfocused.at(x, y);
        QVERIFY2(changed > 10,
                 qPrintable(QStringLiteral("%1 pixels of the cell change").arg(changed)));
    }

    // The table's colours: cells in the window colour with light grey lines between them, black
    // lines between the fixed cells (the header row and the numbering column), dark grey beyond
    // the last row and beyond the last column.
    void tableColours_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QColor>("colour");
        const QColor black(0, 0, 0), darkGrey(128, 128, 128), lightGrey(192, 192, 192);
        QTest::newRow("below the last row") << "below" << darkGrey;
        QTest::newRow("right of the last column") << "right" << darkGrey;
        QTest::newRow("header, beyond its last section") << "header beyond" << darkGrey;
        QTest::newRow("header, under a section") << "header bottom" << black;
        QTest::newRow("header, between sections") << "header between" << black;
        QTest::newRow("numbering column, right of it") << "fixed right" << black;
        QTest::newRow("numbering column, between its cells") << "fixed between" << black;
        QTest::newRow("between data cells") << "cells between" << lightGrey;
        QTest::newRow("inside a data cell")
            << "cell" << QGuiApplication::palette().color(QPalette::Base);
    }

    void tableColours()
    {
        QFETCH(QString, where);
        QFETCH(QColor, colour);
        TestWindow t("5,5,0\r\n", historyLines(2));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QTableView *grid = t->ui.msgRireki;
        const QHeaderView *header = grid->horizontalHeader();
        const int lastColumn = grid->model()->columnCount() - 1;
        const int cellsRight =
            grid->columnViewportPosition(lastColumn) + grid->columnWidth(lastColumn);
        const int middleOfRow0 = grid->rowHeight(0) / 2;
        const int column0Right = grid->columnWidth(0) - 1;
        const int column1Right = grid->columnViewportPosition(1) + grid->columnWidth(1) - 1;
        QVERIFY(cellsRight < grid->viewport()->width() - 2);

        const Picture cells(grid->viewport());
        const Picture head(header->viewport());
        const QHash<QString, QColor> seen = {
            {QStringLiteral("below"), cells.at(20, grid->viewport()->height() - 3)},
            {QStringLiteral("right"), cells.at(cellsRight + 1, middleOfRow0)},
            {QStringLiteral("header beyond"), head.at(cellsRight + 1, header->height() / 2)},
            {QStringLiteral("header bottom"), head.at(column1Right - 5, header->height() - 1)},
            {QStringLiteral("header between"), head.at(column1Right, header->height() / 2)},
            {QStringLiteral("fixed right"), cells.at(column0Right, middleOfRow0)},
            {QStringLiteral("fixed between"), cells.at(3, grid->rowHeight(0) - 1)},
            {QStringLiteral("cells between"), cells.at(column1Right, middleOfRow0 - 5)},
            {QStringLiteral("cell"), cells.at(grid->columnViewportPosition(1) + 3, 2)},
        };
        QCOMPARE(seen.value(where), colour);
    }

    // Once the table scrolls, the row under the header is a whole one: the view starts on a row
    // boundary right under the header, at start-up and after a Save alike.
    void wholeRowsUnderTheHeader_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("save");
        for (int records : {6, 7, 10, 40}) {
            QTest::addRow("%d records", records) << records << false;
            QTest::addRow("%d records and a Save", records) << records << true;
        }
    }

    void wholeRowsUnderTheHeader()
    {
        QFETCH(int, records);
        QFETCH(bool, save);
        TestWindow t("3,0,0\r\n", historyLines(records));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        if (save) {
            QTest::mouseClick(t->ui.cmdKaitou, Qt::LeftButton); // scores the empty row: all right
            QTest::mouseClick(t->ui.cmdHozon, Qt::LeftButton);
            ++records;
        }
        QTableView *grid = t->ui.msgRireki;
        QCOMPARE(grid->model()->rowCount(), records);
        const QHeaderView *header = grid->horizontalHeader();
        QCOMPARE(header->geometry().bottom() + 1, grid->viewport()->geometry().top());
        const int top = grid->rowAt(0);
        QVERIFY(top >= 0);
        QCOMPARE(grid->rowViewportPosition(top), 0);
        // The newest record is in view, whole.
        const int last = records - 1;
        QVERIFY(grid->rowViewportPosition(last) >= 0);
        QVERIFY(grid->rowViewportPosition(last) + grid->rowHeight(last) <=
                grid->viewport()->height());
        if (records + 1 > 7)
            QVERIFY(top > 0); // scrolled
    }

    // The numbering column is narrower than "10000" in the table's face: every number is shown
    // whole, never cut off with an ellipsis.
    void rowNumbersShownWhole()
    {
        TestWindow t("3,0,0\r\n", historyLines(32766));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QTableView *grid = t->ui.msgRireki;
        QVERIFY(qobject_cast<FittingTextDelegate *>(grid->itemDelegateForColumn(0)));
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid);
        for (const int row : {0, 9998, 9999, 32765}) {
            const QModelIndex index = grid->model()->index(row, 0);
            QStyleOptionViewItem option;
            option.initFrom(grid);
            option.rect = grid->visualRect(index);
            option.font = grid->font();
            option.fontMetrics = QFontMetrics(option.font);
            option.text = index.data().toString();
            FittingTextDelegate::fitText(&option, grid);
            const int room = option.rect.width() - 2 * (margin + 1);
            QCOMPARE(option.fontMetrics.elidedText(option.text, Qt::ElideRight, room), option.text);
            if (row == 0)
                QCOMPARE(option.font, grid->font()); // a number that fits is drawn as it is
        }
    }

    // Beyond 99,999 records the numbering column grows until the number of the last record
    // shows whole, up to 9,999,999 and beyond, at its face's own width; the eight columns fill
    // the table as before. Up to 99,999 every column keeps its design width.
    void numberColumnGrows_data()
    {
        QTest::addColumn<int>("loaded");
        QTest::addColumn<int>("count");
        QTest::newRow("99,999 records") << NumberColumn::designedRecords << 0;
        QTest::newRow("100,000 records") << NumberColumn::designedRecords + 1 << 0;
        QTest::newRow("9,999,999 records") << 3 << 9999999;
        QTest::newRow("14 million records") << 3 << 14000000;
    }
    void numberColumnGrows()
    {
        QFETCH(int, loaded);
        QFETCH(int, count);
        TestWindow t("3,0,0\r\n", historyLines(loaded));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QTableView *grid = t->ui.msgRireki;
        QHeaderView *header = grid->horizontalHeader();
        if (count > 0)
            NumberColumn::fit(*grid, count); // as a history of that many records sets it
        else
            count = loaded;
        const auto design = [](int c) {
            return Twips::toPixels(HistoryModel::columnWidthTwips(c));
        };
        int total = 0, designTotal = 0;
        for (int c = 0; c < HistoryModel::columns; ++c) {
            total += header->sectionSize(c);
            designTotal += design(c);
            if (count <= NumberColumn::designedRecords || (c != 0 && c != 3))
                QCOMPARE(header->sectionSize(c), design(c));
        }
        QCOMPARE(total, designTotal);
        QVERIFY(!grid->horizontalScrollBar()->isVisible());

        QStyleOptionViewItem option;
        option.initFrom(grid);
        option.rect = QRect(0, 0, header->sectionSize(0), 20);
        option.font = grid->font();
        option.fontMetrics = QFontMetrics(option.font);
        option.text = QString::number(count);
        FittingTextDelegate::fitText(&option, grid);
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid);
        const int room = option.rect.width() - 2 * (margin + 1);
        QCOMPARE(option.fontMetrics.elidedText(option.text, Qt::ElideRight, room), option.text);
        if (count > NumberColumn::designedRecords)
            QCOMPARE(option.font, grid->font()); // whole at the face's own width
        // The marks still show whole in what is left to them.
        const QString marks = grid->model()->index(0, 3).data().toString();
        QVERIFY(QFontMetrics(grid->font()).horizontalAdvance(marks) <=
                header->sectionSize(3) - 2 * (margin + 1));
    }
};

QTEST_MAIN(tst_Looks)
#include "tst_looks.moc"
