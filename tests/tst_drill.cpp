// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestWindow.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "controls/Shape.h"
#include "drill/core/RandomDigitSource.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Whole drills played through the real window: Start, the countdown and display ticks, typing
// into whatever has the focus, and Answer. The clock is fake and the digits are scripted.
namespace {

const QColor white(255, 255, 255);
const QColor lightGreen(0, 255, 0);
const QColor lightMagenta(255, 0, 255);

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Types one key into the focused widget, as the player would.
void type(char key)
{
    QTest::keyClick(static_cast<QWidget *>(nullptr), key);
}

void typeText(const QString &text)
{
    for (QChar c : text)
        type(c.toLatin1());
}

bool phasesExclusive(const frmMain &w)
{
    return !(w.drillState().blnCountdown && w.drillState().blnDisplay);
}

// Presses Start and ticks the countdown to the green light: the digits are then on show.
[[nodiscard]] bool countDown(TestWindow &t)
{
    QTest::mouseClick(t->ui.cmdStart, Qt::LeftButton);
    if (!t->drillState().blnCountdown)
        return false;
    for (int step = 1; step <= 3; ++step) {
        TestWindow::tick(t->ui.tmrStart);
        if (!phasesExclusive(t.w()))
            return false;
    }
    return t->drillState().blnDisplay;
}

// Ticks the display, one clock second per tick, until the answer boxes open.
[[nodiscard]] bool runDisplay(TestWindow &t)
{
    for (int n = 0; n <= 31 && t->drillState().blnDisplay; ++n) {
        TestWindow::tick(t->ui.tmrKt);
        if (!phasesExclusive(t.w()))
            return false;
        t.clock.advance(1);
    }
    return !t->drillState().blnDisplay;
}

[[nodiscard]] bool playToRecall(TestWindow &t)
{
    return countDown(t) && runDisplay(t);
}

QByteArray settingsLine(int monsu, int jikan, int as = 0)
{
    return QStringLiteral("%1,%2,%3\r\n").arg(monsu).arg(jikan).arg(as).toLatin1();
}

} // namespace

class tst_Drill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countdownShowsRedYellowGreen()
    {
        TestWindow t(settingsLine(5, 5));
        QVERIFY2(t.loaded, qPrintable(t.error));
        QVERIFY(t.showActive());
        frmMain &w = t.w();

        QTest::mouseClick(w.ui.cmdStart, Qt::LeftButton);
        QVERIFY(w.drillState().blnCountdown);
        QVERIFY(!w.ui.cmdStart->isEnabled());
        QVERIFY(!w.ui.cmdKaitou->isEnabled());
        QVERIFY(w.ui.shpWaku->isVisible());

        for (int step = 1; step <= 3; ++step) {
            // Start is disabled for the whole countdown: pressing it again changes nothing.
            QTest::mouseClick(w.ui.cmdStart, Qt::LeftButton);
            TestWindow::tick(w.ui.tmrStart);
            QVERIFY(phasesExclusive(w));
            QCOMPARE(w.drillState().intCountStep, step);
            for (int k = 1; k <= 3; ++k)
                QCOMPARE(w.ui.imgStart(k)->isVisible(), k == step);
            const bool digitsShown = step == 3;
            QCOMPARE(w.drillState().blnDisplay, digitsShown);
            QCOMPARE(w.drillState().blnCountdown, !digitsShown);
            QCOMPARE(w.ui.shpWaku->isVisible(), !digitsShown);
            QCOMPARE(t.digits.reseeds(), digitsShown ? 1 : 0);
            QCOMPARE(w.ui.lblMondai(1)->text(), digitsShown ? QStringLiteral("0") : QString());
            QVERIFY(!w.ui.cmdStart->isEnabled());
        }
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(w.ui.lblMondai(i)->text(), QString::number(i - 1));

        QVERIFY(runDisplay(t));
        // Between drills the countdown ticks only keep the step at 0; the green light stays.
        TestWindow::tick(w.ui.tmrStart);
        QCOMPARE(w.drillState().intCountStep, 0);
        QVERIFY(w.ui.imgStart(3)->isVisible());
        QVERIFY(!w.ui.imgStart(1)->isVisible());

        // The next drill's first tick shows the red light again.
        QTest::mouseClick(w.ui.cmdStart, Qt::LeftButton);
        TestWindow::tick(w.ui.tmrStart);
        QVERIFY(w.ui.imgStart(1)->isVisible());
        QVERIFY(!w.ui.imgStart(2)->isVisible());
        QVERIFY(!w.ui.imgStart(3)->isVisible());
    }

    void startRightAfterAShortDisplay()
    {
        // A 0-second display ends at the first display tick, which can come before the next
        // countdown tick; Start pressed in between must begin again at the red light, not
        // step past the third one.
        TestWindow t(settingsLine(5, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        for (int drill = 1; drill <= 3; ++drill) {
            QVERIFY(countDown(t));
            TestWindow::tick(w.ui.tmrKt);
            QVERIFY(!w.drillState().blnDisplay);
            QVERIFY(w.ui.cmdStart->isEnabled());
            QTest::mouseClick(w.ui.cmdStart, Qt::LeftButton);
            TestWindow::tick(w.ui.tmrStart);
            QCOMPARE(w.drillState().intCountStep, 1);
            QVERIFY(w.ui.imgStart(1)->isVisible());
            QVERIFY(!w.ui.imgStart(3)->isVisible());
            TestWindow::tick(w.ui.tmrStart);
            TestWindow::tick(w.ui.tmrStart);
            QVERIFY(w.drillState().blnDisplay);
            TestWindow::tick(w.ui.tmrKt);
        }
    }

    void displayAcrossMidnight()
    {
        // The wall clock says 23:59:57 and the monotonic seconds happen to match the seconds
        // since midnight; after three seconds the wall clock wraps and the monotonic one does not.
        TestWindow t(settingsLine(5, 5));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        t.clock.setLocalNow(QDateTime(QDate(2024, 4, 1), QTime(23, 59, 57)));
        t.clock.setWholeSeconds(86397);
        QVERIFY(countDown(t));

        const QList<int> widths = {8745, 6996, 5247, 3498, 1749, 0};
        for (int n = 0; n < widths.size(); ++n) {
            TestWindow::tick(w.ui.tmrKt);
            QCOMPARE(w.ui.shpJikanK->widthTwips(), widths.at(n));
            QCOMPARE(w.drillState().intNokori, 5 - n);
            QCOMPARE(w.drillState().blnDisplay, n < 5);
            t.clock.advance(1);
        }
        QCOMPARE(t.clock.localNow().time(), QTime(0, 0, 3));
        QVERIFY(w.ui.txtKaitou(1)->isVisible());
    }

    void displayLastsTheChosenSeconds_data()
    {
        QTest::addColumn<int>("jikan");
        QTest::addColumn<int>("phase");  // milliseconds past the clock's second at the green light
        QTest::addColumn<int>("jitter"); // how early (-) or late (+) each display tick runs, in ms
        for (int jikan : {0, 1, 3, 10}) {
            for (int phase : {0, 300, 700, 999}) {
                for (int jitter : {-30, 0, 30}) {
                    QTest::addRow("%d s, green at .%03d, ticks %+d ms", jikan, phase, jitter)
                        << jikan << phase << jitter;
                }
            }
        }
    }
    void displayLastsTheChosenSeconds()
    {
        // The display ticks come every half second from the green light, each a little early or
        // late as a busy system runs them. The digits must be on show for the chosen seconds,
        // and with 0 seconds for one tick, whatever fraction of a second the countdown ended on.
        QFETCH(int, jikan);
        QFETCH(int, phase);
        QFETCH(int, jitter);

        TestWindow t(settingsLine(5, jikan));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        const qint64 green = 5000 * 1000 + phase;
        t.clock.setMilliseconds(green);
        QVERIFY(countDown(t));

        int shownMs = -1;
        for (int k = 1; k <= 2 * 30 + 2 && shownMs < 0; ++k) {
            t.clock.setMilliseconds(green + 500 * k + jitter);
            TestWindow::tick(w.ui.tmrKt);
            if (!w.drillState().blnDisplay)
                shownMs = 500 * k;
        }
        if (jikan == 0) {
            QCOMPARE(shownMs, 500);
        } else {
            QVERIFY2(shownMs >= 1000 * jikan, qPrintable(QString::number(shownMs)));
            QVERIFY2(shownMs <= 1000 * jikan + 500, qPrintable(QString::number(shownMs)));
        }
    }

    void firstDisplayTickHalfASecondAfterTheDigits()
    {
        // The countdown's last tick and a display tick used to fall due together, so a 0-second
        // display was covered again in the same pass, before anything was painted.
        TestWindow t(settingsLine(5, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        w.ui.tmrKt->start();
        QTest::qWait(300); // the display timer now falls due in 200 ms
        QVERIFY(countDown(t));
        QVERIFY(w.ui.tmrKt->isActive());
        QCOMPARE(w.ui.tmrKt->interval(), 500);
        QVERIFY2(w.ui.tmrKt->remainingTime() > 250,
                 qPrintable(QString::number(w.ui.tmrKt->remainingTime())));
        w.ui.tmrKt->stop();
    }

    void displayTimeChosenDuringDisplay()
    {
        // A new display time rescales the bar from the next tick on but keeps the end.
        TestWindow t(settingsLine(5, 10));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QVERIFY(countDown(t));
        const int end = w.drillState().lngEnd;

        t.clock.advance(5);
        TestWindow::tick(w.ui.tmrKt);
        QCOMPARE(w.ui.shpJikanK->widthTwips(), 4372);
        Q_EMIT w.ui.cboJikan->chosen(20);
        QCOMPARE(w.drillState().intJikan, 20);
        TestWindow::tick(w.ui.tmrKt);
        QCOMPARE(w.ui.shpJikanK->widthTwips(), 2186);
        Q_EMIT w.ui.cboJikan->chosen(0);
        TestWindow::tick(w.ui.tmrKt);
        QCOMPARE(w.ui.shpJikanK->widthTwips(), 0);
        QVERIFY(w.drillState().blnDisplay);
        QCOMPARE(w.drillState().lngEnd, end);

        t.clock.advance(4);
        TestWindow::tick(w.ui.tmrKt);
        QVERIFY(w.drillState().blnDisplay);
        t.clock.advance(1);
        TestWindow::tick(w.ui.tmrKt);
        QVERIFY(!w.drillState().blnDisplay);
    }

    void onlyTheChosenSlotsTakePart_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one digit") << 1;
        QTest::newRow("five digits") << 5;
        QTest::newRow("fifteen digits") << 15;
    }
    void onlyTheChosenSlotsTakePart()
    {
        // A whole drill from the keyboard: Return on Start, the digits typed back, Return on
        // Answer, and Return again starts the next drill.
        QFETCH(int, count);
        TestWindow t(settingsLine(count, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QCOMPARE(focused(), w.ui.cmdStart);

        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QVERIFY(w.drillState().blnCountdown);
        for (int step = 1; step <= 3; ++step)
            TestWindow::tick(w.ui.tmrStart);
        QString digits;
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(w.ui.lblMondai(i)->isVisible(), i <= count);
            QCOMPARE(w.ui.lblMondai(i)->text().size(), i <= count ? 1 : 0);
            digits += w.ui.lblMondai(i)->text();
        }
        TestWindow::tick(w.ui.tmrKt);
        for (int i = 1; i <= 15; ++i)
            QCOMPARE(w.ui.txtKaitou(i)->isVisible(), i <= count);

        QCOMPARE(focused(), w.ui.txtKaitou(1));
        typeText(digits);
        QCOMPARE(focused(), w.ui.cmdKaitou);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QCOMPARE(w.ui.lblOk->text(), QString::number(count));
        QCOMPARE(w.ui.lblNg->text(), QStringLiteral("0"));
        QCOMPARE(w.ui.lblRitu->text(), QStringLiteral("100.0%"));
        for (int i = 1; i <= 15; ++i)
            QCOMPARE(w.ui.txtKaitou(i)->backColor(), i <= count ? lightGreen : white);

        QCOMPARE(focused(), w.ui.cmdStart);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QVERIFY(w.drillState().blnCountdown);
    }

    // The real digit source through whole drills; its distribution is tst_drillsources' matter.
    void digitsAreNeverNine()
    {
        RandomDigitSource random;
        TestWindow t(settingsLine(15, 0), "", &random);
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        static const QRegularExpression oneDigit(QStringLiteral("^[0-8]$"));
        QSet<QString> drills;
        QSet<QString> digitsSeen;
        for (int drill = 0; drill < 20; ++drill) {
            QVERIFY(countDown(t));
            QString row;
            for (int i = 1; i <= 15; ++i) {
                const QString caption = w.ui.lblMondai(i)->text();
                QVERIFY2(oneDigit.match(caption).hasMatch(), qPrintable(caption));
                digitsSeen.insert(caption);
                row += caption;
            }
            drills.insert(row);
            TestWindow::tick(w.ui.tmrKt);
        }
        QCOMPARE(digitsSeen.size(), 9);
        QCOMPARE(drills.size(), 20);
    }

    void typingMovesTheFocus()
    {
        TestWindow t(settingsLine(5, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QVERIFY(playToRecall(t));
        QCOMPARE(focused(), w.ui.txtKaitou(1));

        for (int i = 1; i <= 5; ++i) {
            type(char('0' + i));
            QCOMPARE(w.ui.txtKaitou(i)->text(), QString::number(i));
            QCOMPARE(focused(), i < 5 ? static_cast<QWidget *>(w.ui.txtKaitou(i + 1))
                                      : static_cast<QWidget *>(w.ui.cmdKaitou));
        }

        // Clicking a filled box empties it and leaves the focus there; typing moves on again.
        QTest::mouseClick(w.ui.txtKaitou(3), Qt::LeftButton);
        QCOMPARE(w.ui.txtKaitou(3)->text(), QString());
        QCOMPARE(focused(), w.ui.txtKaitou(3));
        QCOMPARE(w.ui.txtKaitou(4)->text(), QStringLiteral("4"));
        type('7');
        QCOMPARE(w.ui.txtKaitou(3)->text(), QStringLiteral("7"));
        QCOMPARE(focused(), w.ui.txtKaitou(4));
    }

    void digitCountChangedDuringADrill_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("duringDisplay"); // otherwise while the boxes are open
        QTest::addColumn<int>("newCount");
        QTest::addColumn<int>("openBoxes");
        QTest::addColumn<int>("focusBox"); // after typing three digits; 0 is the Answer button

        QTest::newRow("raised during recall") << 3 << false << 5 << 3 << 0;
        QTest::newRow("lowered during recall") << 5 << false << 3 << 5 << 0;
        QTest::newRow("raised during display") << 3 << true << 5 << 5 << 4;
        QTest::newRow("lowered during display") << 5 << true << 3 << 3 << 0;
    }
    void digitCountChangedDuringADrill()
    {
        QFETCH(int, count);
        QFETCH(bool, duringDisplay);
        QFETCH(int, newCount);
        QFETCH(int, openBoxes);
        QFETCH(int, focusBox);

        TestWindow t(settingsLine(count, 1));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QVERIFY(countDown(t));
        if (duringDisplay)
            Q_EMIT w.ui.cboMonsu->chosen(newCount - 1);
        QVERIFY(runDisplay(t));
        if (!duringDisplay)
            Q_EMIT w.ui.cboMonsu->chosen(newCount - 1);
        QCOMPARE(w.drillState().intMonsu, newCount);
        for (int i = 1; i <= 15; ++i)
            QCOMPARE(w.ui.txtKaitou(i)->isVisible(), i <= openBoxes);

        typeText(QStringLiteral("012"));
        QCOMPARE(focused(), focusBox ? static_cast<QWidget *>(w.ui.txtKaitou(focusBox))
                                     : static_cast<QWidget *>(w.ui.cmdKaitou));

        // Scoring counts the current digit count.
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(w.drillState().intOk + w.drillState().intNg, newCount);
    }

    void scoring_data()
    {
        QTest::addColumn<QList<int>>("digits");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("colours"); // G light green, M light magenta, per slot
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("ng");
        QTest::addColumn<QString>("rate");

        QTest::newRow("two of three") << QList<int>{4, 0, 7} << "417"
                                      << "GMG"
                                      << "2"
                                      << "1"
                                      << "66.7%";
        QTest::newRow("one of eight") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "08888888"
                                      << "GMMMMMMM"
                                      << "1"
                                      << "7"
                                      << "12.5%";
        QTest::newRow("all of eight") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "01234567"
                                      << "GGGGGGGG"
                                      << "8"
                                      << "0"
                                      << "100.0%";
        QTest::newRow("no answers") << QList<int>{3, 1, 4, 1, 5} << ""
                                    << "MMMMM"
                                    << "0"
                                    << "5"
                                    << "0.0%";
        QTest::newRow("some answers") << QList<int>{3, 1, 4, 1, 5} << "31"
                                      << "GGMMM"
                                      << "2"
                                      << "3"
                                      << "40.0%";
    }
    void scoring()
    {
        QFETCH(QList<int>, digits);
        QFETCH(QString, typed);
        QFETCH(QString, colours);
        QFETCH(QString, ok);
        QFETCH(QString, ng);
        QFETCH(QString, rate);

        const int count = static_cast<int>(digits.size());
        TestWindow t(settingsLine(count, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        t.digits.setDigits(digits);
        QVERIFY(playToRecall(t));
        typeText(typed);
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);

        for (int i = 1; i <= count; ++i) {
            QCOMPARE(w.ui.txtKaitou(i)->backColor(),
                     colours.at(i - 1) == u'G' ? lightGreen : lightMagenta);
            QCOMPARE(w.ui.lblMondai(i)->text(), QString::number(digits.at(i - 1)));
        }
        QCOMPARE(w.ui.lblOk->text(), ok);
        QCOMPARE(w.ui.lblNg->text(), ng);
        QCOMPARE(w.ui.lblRitu->text(), rate);
        QCOMPARE(w.drillState().intOk + w.drillState().intNg, count);
        QVERIFY(!w.ui.shpWaku->isVisible()); // the digits show beside the answers
        QVERIFY(w.ui.lblMondai(1)->isVisible());
        QCOMPARE(focused(), w.ui.cmdStart);
        QVERIFY(w.ui.cmdKaitou->isEnabled());
    }

    void onlyTheExactDigitIsRight()
    {
        // A full-width digit, and a digit followed by a space, are wrong.
        TestWindow t(settingsLine(3, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        t.digits.setDigits({4, 0, 7});
        QVERIFY(playToRecall(t));

        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QStringLiteral("４"), {});
        QCOMPARE(w.ui.txtKaitou(1)->text(), QStringLiteral("４"));
        QCOMPARE(focused(), w.ui.txtKaitou(2));
        type('0');
        QCOMPARE(focused(), w.ui.txtKaitou(3));
        // Back to box 2 with Tab (the boxes are in the tab order from the last one down), to
        // the end of its text and a space after the digit.
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Tab);
        QCOMPARE(focused(), w.ui.txtKaitou(2));
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_End);
        type(' ');
        QCOMPARE(w.ui.txtKaitou(2)->text(), QStringLiteral("0 "));
        QCOMPARE(focused(), w.ui.txtKaitou(3));
        type('7');
        QCOMPARE(focused(), w.ui.cmdKaitou);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);

        QCOMPARE(w.ui.txtKaitou(1)->backColor(), lightMagenta);
        QCOMPARE(w.ui.txtKaitou(2)->backColor(), lightMagenta);
        QCOMPARE(w.ui.txtKaitou(3)->backColor(), lightGreen);
        QCOMPARE(w.ui.lblRitu->text(), QStringLiteral("33.3%"));
    }

    void answerBeforeAnyDrill()
    {
        // The empty boxes against the empty captions left by start-up: all right.
        TestWindow t(settingsLine(5, 5, 1));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QVERIFY(w.ui.shpWaku->isVisible());
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(w.ui.lblOk->text(), QStringLiteral("5"));
        QCOMPARE(w.ui.lblNg->text(), QStringLiteral("0"));
        QCOMPARE(w.ui.lblRitu->text(), QStringLiteral("100.0%"));
        QVERIFY(!w.ui.shpWaku->isVisible());
        QCOMPARE(focused(), w.ui.cmdStart);
    }

    void answerAgainScoresFromZero()
    {
        TestWindow t(settingsLine(3, 0));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        t.digits.setDigits({4, 0, 7});
        QVERIFY(playToRecall(t));
        typeText(QStringLiteral("417"));
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(w.ui.lblOk->text(), QStringLiteral("2"));

        // Pressed again unchanged: the same result, not twice the counts.
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(w.ui.lblOk->text(), QStringLiteral("2"));
        QCOMPARE(w.ui.lblNg->text(), QStringLiteral("1"));

        // The wrong answer corrected and scored again.
        QTest::mouseClick(w.ui.txtKaitou(2), Qt::LeftButton);
        type('0');
        QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(w.ui.txtKaitou(2)->backColor(), lightGreen);
        QCOMPARE(w.ui.lblOk->text(), QStringLiteral("3"));
        QCOMPARE(w.ui.lblNg->text(), QStringLiteral("0"));
        QCOMPARE(w.ui.lblRitu->text(), QStringLiteral("100.0%"));
        QCOMPARE(w.drillState().intOk, 3);
        QCOMPARE(w.drillState().intNg, 0);
    }

    void startDuringRecallClearsTheBoxes_data()
    {
        QTest::addColumn<bool>("scored");
        QTest::newRow("while typing") << false;
        QTest::newRow("after scoring") << true;
    }
    void startDuringRecallClearsTheBoxes()
    {
        QFETCH(bool, scored);
        TestWindow t(settingsLine(5, 3));
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        frmMain &w = t.w();
        QVERIFY(playToRecall(t));
        typeText(QStringLiteral("0123"));
        if (scored)
            QTest::mouseClick(w.ui.cmdKaitou, Qt::LeftButton);
        const QString lastDigits = w.ui.lblMondai(1)->text();

        QTest::mouseClick(w.ui.cmdStart, Qt::LeftButton);
        QVERIFY(w.drillState().blnCountdown);
        for (int i = 1; i <= 15; ++i) {
            QVERIFY(w.ui.txtKaitou(i)->isHidden());
            QCOMPARE(w.ui.txtKaitou(i)->text(), QString());
            QCOMPARE(w.ui.txtKaitou(i)->backColor(), white);
            QCOMPARE(w.ui.lblMondai(i)->isHidden(), i > 5);
        }
        QCOMPARE(w.ui.lblMondai(1)->text(), lastDigits); // hidden under the cover until the green
        QVERIFY(w.ui.shpWaku->isVisible());
        QCOMPARE(w.ui.shpJikanK->widthTwips(), w.drillState().intBarWidth);
        QCOMPARE(w.ui.lblOk->text(), QString());
        QCOMPARE(w.ui.lblNg->text(), QString());
        QCOMPARE(w.ui.lblRitu->text(), QString());
        QVERIFY(!w.ui.cmdStart->isEnabled());
        QVERIFY(!w.ui.cmdKaitou->isEnabled());
        // The last scoring's counts stay until the next one.
        QCOMPARE(w.drillState().intOk, scored ? 4 : 0);
    }
};

QTEST_MAIN(tst_Drill)
#include "tst_drill.moc"
