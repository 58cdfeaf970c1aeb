// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestWindow.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "resources/JapaneseFont.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QPainter>
#include <QTest>

// The answer boxes as the player meets them: what the focus does to the text already in a box,
// and where the digit stands in it.
namespace {

QWidget *focused()
{
    return QApplication::focusWidget();
}

void type(char key)
{
    QTest::keyClick(static_cast<QWidget *>(nullptr), key);
}

// Plays Start, the three countdown ticks and the display until the answer boxes open.
[[nodiscard]] bool playToRecall(TestWindow &t)
{
    QTest::mouseClick(t->ui.cmdStart, Qt::LeftButton);
    for (int step = 1; step <= 3; ++step)
        TestWindow::tick(t->ui.tmrStart);
    for (int n = 0; n <= 31 && t->drillState().blnDisplay; ++n) {
        TestWindow::tick(t->ui.tmrKt);
        t.clock.advance(1);
    }
    return !t->drillState().blnCountdown && !t->drillState().blnDisplay && t->ui.txtKaitou(1)->isVisible();
}

// The columns of an image that hold ink: pixels much darker than the ground at (x, y0).
struct Ink
{
    int left = -1;
    int right = -1;
    int width() const { return left < 0 ? 0 : right - left + 1; }
};

Ink inkColumns(const QImage &image, int top, int bottom, int fromX, int toX)
{
    Ink ink;
    for (int x = fromX; x < toX; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (ink.left < 0)
                    ink.left = x;
                ink.right = x;
                break;
            }
        }
    }
    return ink;
}

// The ink width of a digit drawn in the box's font with nothing to cut it off.
int freeInkWidth(const QFont &font, const QString &digit)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, 200, 200), Qt::AlignCenter, digit);
    }
    return inkColumns(image, 0, 200, 0, 200).width();
}

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().scaled(widget->size()).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_AnswerBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // However the focus arrives, except by a click on the box, the answer in it is selected
    // from its start, so the character typed replaces it and the box shows where it begins.
    void focusArrivalSelectsTheAnswer_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("after");
        const auto other = int(Qt::OtherFocusReason);
        QTest::newRow("advance") << other << QStringLiteral("4") << true << QStringLiteral("9");
        QTest::newRow("advance, two characters")
            << other << QStringLiteral("4 ") << true << QStringLiteral("9");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << QStringLiteral("4") << true
                             << QStringLiteral("9");
        QTest::newRow("Shift+Tab")
            << int(Qt::BacktabFocusReason) << QStringLiteral("4") << true << QStringLiteral("9");
        QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << QStringLiteral("4")
                                          << true << QStringLiteral("9");
        QTest::newRow("empty box") << other << QString() << false << QStringLiteral("9");
        // A click on the box: the click itself empties it (the drill's handler), so nothing is
        // selected here and the caret goes where the player clicked.
        QTest::newRow("mouse") << int(Qt::MouseFocusReason) << QStringLiteral("4") << false
                               << QStringLiteral("49");
    }

    void focusArrivalSelectsTheAnswer()
    {
        QFETCH(int, reason);
        QFETCH(QString, before);
        QFETCH(bool, selected);
        QFETCH(QString, after);

        QWidget window;
        auto *elsewhere = new AnswerBox(&window);
        auto *box = new AnswerBox(&window);
        box->move(0, 100);
        box->setText(before);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        elsewhere->setFocus();
        QCOMPARE(focused(), elsewhere);

        box->setFocus(Qt::FocusReason(reason));
        QCOMPARE(focused(), box);
        QCOMPARE(box->hasSelectedText(), selected);
        if (selected) {
            QCOMPARE(box->selectedText(), before);
            QCOMPARE(box->cursorPosition(), 0);
        }
        type('9');
        QCOMPARE(box->text(), after);
    }

    // Where the player types digits, the focused object tells an input method that it takes no
    // input of its own, as the input method asks it: the keys then arrive as plain half-width
    // digits. QLineEdit says yes whatever Qt::WA_InputMethodEnabled is set to.
    void noInputMethodWhereDigitsAreTyped_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("answer box 1") << QStringLiteral("txtKaitou(1)");
        QTest::newRow("answer box 5") << QStringLiteral("txtKaitou(5)");
        QTest::newRow("digit count") << QStringLiteral("cboMonsu");
        QTest::newRow("display seconds") << QStringLiteral("cboJikan");
    }
    void noInputMethodWhereDigitsAreTyped()
    {
        QFETCH(QString, control);
        TestWindow t;
        QVERIFY2(t.loaded, qPrintable(t.error));
        QVERIFY(t.showActive());
        QVERIFY(playToRecall(t));
        QWidget *widget = control == u"cboMonsu"       ? static_cast<QWidget *>(t->ui.cboMonsu)
                          : control == u"cboJikan"     ? static_cast<QWidget *>(t->ui.cboJikan)
                          : control == u"txtKaitou(1)" ? static_cast<QWidget *>(t->ui.txtKaitou(1))
                                                       : t->ui.txtKaitou(5);
        widget->setFocus(Qt::TabFocusReason);
        // A combo box keeps the focus itself and answers for its edit field.
        QCOMPARE(QGuiApplication::focusObject(), widget);

        QInputMethodQueryEvent query(Qt::ImEnabled);
        QGuiApplication::sendEvent(widget, &query);
        QVERIFY(!query.value(Qt::ImEnabled).toBool());
    }

    // A box whose text is longer than the box is wide shows the start of it once the focus has
    // left, so "44" does not pass for "4".
    void longAnswerShowsItsStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("two digits") << QStringLiteral("44");
        QTest::newRow("digit and space") << QStringLiteral("4 ");
        QTest::newRow("many") << QStringLiteral("12345");
    }

    void longAnswerShowsItsStart()
    {
        QFETCH(QString, text);
        QWidget window;
        auto *box = new AnswerBox(&window);
        box->setFont(japaneseFont(48));
        box->resize(38, 65);
        auto *next = new AnswerBox(&window);
        next->move(0, 100);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        box->setFocus();
        box->setText(text); // caret at the end, where typing leaves it
        next->setFocus();
        QCOMPARE(box->cursorPosition(), 0);
        QVERIFY(!box->hasSelectedText());

        // The first glyph stands where a box holding only that character shows it.
        auto *single = new AnswerBox(&window);
        single->setFont(box->font());
        single->setGeometry(100, 0, 38, 65);
        single->setText(text.left(1));
        single->show();
        const QImage many = grabbed(box);
        const QImage one = grabbed(single);
        const Ink manyInk = inkColumns(many, 4, 61, 0, many.width());
        const Ink oneInk = inkColumns(one, 4, 61, 0, one.width());
        QVERIFY(oneInk.width() > 0);
        QCOMPARE(manyInk.left, oneInk.left);
    }

    // Every digit stands in the middle of its box, as in the digit slot above it, and no stroke
    // is cut off by the box's edge.
    void digitsCentredAndWhole_data()
    {
        QTest::addColumn<QString>("digit");
        for (char c = '0'; c <= '9'; ++c)
            QTest::newRow(QByteArray(1, c).constData()) << QString(QLatin1Char(c));
    }

    void digitsCentredAndWhole()
    {
        QFETCH(QString, digit);
        TestWindow t;
        QVERIFY(t.loaded);
        frmMain &w = t.w();
        AnswerBox *box = w.ui.txtKaitou(1);
        QLabel *slot = w.ui.lblMondai(1);
        box->setVisible(true);
        box->setText(digit);
        slot->setVisible(true);
        slot->setText(digit);
        QCOMPARE(box->size(), QSize(38, 65));

        const QImage boxImage = grabbed(box);
        const QImage slotImage = grabbed(slot);
        const Ink boxInk = inkColumns(boxImage, 4, 61, 0, boxImage.width());
        const Ink slotInk = inkColumns(slotImage, 4, 61, 0, slotImage.width());
        // Whole: as wide as the digit drawn freely (give or take the edge's anti-aliasing).
        QVERIFY2(qAbs(boxInk.width() - freeInkWidth(box->font(), digit)) <= 1,
                 qPrintable(QStringLiteral("%1 px of ink").arg(boxInk.width())));
        // Centred as in the slot (one pixel narrower than the box): the same room either side.
        const int boxLeft = boxInk.left, boxRight = box->width() - 1 - boxInk.right;
        const int slotLeft = slotInk.left, slotRight = slot->width() - 1 - slotInk.right;
        QVERIFY2(qAbs(boxLeft - slotLeft) <= 1 && qAbs(boxRight - slotRight) <= 1,
                 qPrintable(QStringLiteral("box %1|%2 px, slot %3|%4 px")
                                .arg(boxLeft)
                                .arg(boxRight)
                                .arg(slotLeft)
                                .arg(slotRight)));
    }

    // Re-entering an answer after a click: the next box already holds its answer, which the
    // character typed there replaces, so the row scores as the player sees it.
    void reEnteringAnAnswerKeepsTheNextOnesWhole()
    {
        TestWindow t("5,0,0\r\n");
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        t.digits.setDigits({1, 2, 3, 4, 5});
        QVERIFY(playToRecall(t));
        for (char c : {'1', '2', '7', '4', '5'})
            type(c);
        QCOMPARE(focused(), w.ui.cmdKaitou);

        QTest::mouseClick(w.ui.txtKaitou(3), Qt::LeftButton);
        QCOMPARE(w.ui.txtKaitou(3)->text(), QString());
        type('3');
        QCOMPARE(focused(), w.ui.txtKaitou(4));
        type('4');
        QCOMPARE(w.ui.txtKaitou(4)->text(), QStringLiteral("4"));
        QCOMPARE(focused(), w.ui.txtKaitou(5));
        type('5');
        QCOMPARE(w.ui.txtKaitou(5)->text(), QStringLiteral("5"));
        QCOMPARE(focused(), w.ui.cmdKaitou);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QCOMPARE(w.ui.lblOk->text(), QStringLiteral("5"));
        QCOMPARE(w.ui.lblRitu->text(), QStringLiteral("100.0%"));
    }
};

QTEST_MAIN(tst_AnswerBox)
#include "tst_answerbox.moc"
