// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeClock.h"
#include "ScriptedDigits.h"
#include "drill/core/DrillSession.h"
#include "drill/core/DrillState.h"

#include <QSignalSpy>
#include <QTest>

// The drill's rules without a window: the session driven by its inputs, a fake clock and
// scripted digits, its signals and DrillState read back.
namespace {

struct Session
{
    explicit Session(int digitCount = 3, int displaySeconds = 5, int barWidth = 8745)
    {
        state.intMonsu = static_cast<int16_t>(digitCount);
        state.intJikan = static_cast<int16_t>(displaySeconds);
        state.intBarWidth = static_cast<int16_t>(barWidth);
    }

    // Start and the three countdown ticks: the digits are then on show.
    void countDown()
    {
        session.start();
        for (int step = 1; step <= 3; ++step)
            session.countdownTick();
    }

    // Through the display, one clock second a tick, until the boxes open.
    void playToRecall()
    {
        countDown();
        while (state.blnDisplay) {
            session.displayTick();
            if (state.blnDisplay)
                clock.advance(1);
        }
    }

    DrillState state;
    FakeClock clock;
    ScriptedDigits digits{{4, 0, 8, 2}};
    DrillSession session{state, clock, digits};
};

} // namespace

class tst_DrillSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayShrinksTheBar_data()
    {
        QTest::addColumn<int>("jikan");
        QTest::addColumn<int>("fullWidth");
        QTest::addColumn<QList<int>>("seconds"); // clock at each display tick, from the green light
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<int>("lastNokori");

        QTest::newRow("no display time") << 0 << 8745 << QList<int>{0} << QList<int>{0} << 0;
        QTest::newRow("no display time, clock moved on")
            << 0 << 8745 << QList<int>{1} << QList<int>{0} << -1;
        QTest::newRow("ten seconds")
            << 10 << 3000 << QList<int>{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
            << QList<int>{3000, 3000, 2700, 2400, 2100, 1800, 1500, 1200, 900, 600, 300, 0} << 0;
        QTest::newRow("late tick")
            << 10 << 3000 << QList<int>{0, 9, 11} << QList<int>{3000, 300, 0} << -1;
        QTest::newRow("a day late")
            << 10 << 3000 << QList<int>{0, 86400} << QList<int>{3000, 0} << -32768;
    }
    void displayShrinksTheBar()
    {
        QFETCH(int, jikan);
        QFETCH(int, fullWidth);
        QFETCH(QList<int>, seconds);
        QFETCH(QList<int>, widths);
        QFETCH(int, lastNokori);

        Session s(5, jikan, fullWidth);
        QSignalSpy bar(&s.session, &DrillSession::barChanged);
        QSignalSpy opened(&s.session, &DrillSession::answersOpened);
        // Display ticks do nothing outside the display.
        s.session.displayTick();
        QCOMPARE(bar.count(), 0);

        s.clock.setWholeSeconds(5000);
        s.countDown();
        QCOMPARE(s.state.lngEnd, 5000 + jikan);
        for (qsizetype n = 0; n < seconds.size(); ++n) {
            s.clock.setWholeSeconds(5000 + seconds.at(n));
            s.session.displayTick();
            QCOMPARE(bar.takeFirst().at(0).toInt(), widths.at(n));
            const bool last = n == seconds.size() - 1;
            QCOMPARE(s.state.blnDisplay, !last);
            QCOMPARE(s.session.phase(),
                     last ? DrillSession::Phase::Answering : DrillSession::Phase::Display);
            QCOMPARE(opened.count(), last ? 1 : 0);
        }
        QCOMPARE(opened.at(0).at(0).toInt(), 5);
        QCOMPARE(s.state.intNokori, lastNokori);

        // Later display ticks leave everything as it is.
        s.clock.advance(100);
        s.session.displayTick();
        QCOMPARE(bar.count(), 0);
        QCOMPARE(s.state.intNokori, lastNokori);
    }

    // The scored result says what was shown, what was typed and when: the times from the boxes
    // opening to the entry that left each box's text, how often a box was refilled, and the
    // press of Answer.
    void scoredResultTellsHowTheDrillWent()
    {
        Session s(4);
        s.playToRecall();
        QSignalSpy scored(&s.session, &DrillSession::scored);
        s.clock.advanceMilliseconds(800);
        s.session.setAnswer(1, QStringLiteral("4"));
        s.clock.advanceMilliseconds(300);
        s.session.setAnswer(2, QStringLiteral("8")); // wrong, then mended
        s.clock.advanceMilliseconds(200);
        s.session.emptyAnswer(2);
        s.session.setAnswer(2, QString()); // the box's own change as it empties
        s.clock.advanceMilliseconds(500);
        s.session.setAnswer(2, QStringLiteral("0"));
        s.clock.advanceMilliseconds(400);
        s.session.setAnswer(3, QStringLiteral("8")); // box 4 left empty
        s.clock.advanceMilliseconds(1000);
        s.session.score();

        QCOMPARE(scored.count(), 1);
        const auto result = scored.at(0).at(0).value<DrillResult>();
        QCOMPARE(result.shown, QStringLiteral("4082"));
        QCOMPARE(result.answers, (QStringList{u"4"_qs, u"0"_qs, u"8"_qs, QString()}));
        QCOMPARE(result.entryMs, (QList<qint64>{800, 1800, 2200, -1}));
        QCOMPARE(result.refills, (QList<int>{0, 1, 0, 0}));
        QCOMPARE(result.answerMs, 3200);
        QCOMPARE(result.right, 3);
        QCOMPARE(result.wrong, 1);
        QCOMPARE(s.state.lastResult, result);
        QCOMPARE(s.session.phase(), DrillSession::Phase::Scored);
    }

    // Save has nothing to record before the first scoring, nor while a drill counts down or shows
    // its digits; between drills it records the last scoring.
    void resultToSave()
    {
        Session s;
        QVERIFY(!s.session.resultToSave());
        s.playToRecall();
        QVERIFY(!s.session.resultToSave());
        s.session.score();
        QCOMPARE(s.session.resultToSave(), &s.state.lastResult);
        s.session.start();
        QVERIFY(!s.session.resultToSave());
        s.session.countdownTick();
        s.session.countdownTick();
        s.session.countdownTick();
        QCOMPARE(s.session.phase(), DrillSession::Phase::Display);
        QVERIFY(!s.session.resultToSave());
        while (s.state.blnDisplay) {
            s.session.displayTick();
            s.clock.advance(1);
        }
        QCOMPARE(s.session.resultToSave(), &s.state.lastResult); // the last drill's, unscored
    }

    // Each entry moves on to the next open box, from the last one to Answer; with the digit count
    // raised while the boxes are open, the last open box leads to Answer too.
    void focusMovesThroughTheOpenBoxes_data()
    {
        QTest::addColumn<int>("raisedTo");
        QTest::addColumn<QList<int>>("next"); // after an entry in box 1, 2, 3
        QTest::newRow("as opened") << 3 << QList<int>{2, 3, DrillSession::answerButton};
        QTest::newRow("count raised") << 5 << QList<int>{2, 3, DrillSession::answerButton};
        QTest::newRow("count lowered")
            << 2 << QList<int>{2, DrillSession::answerButton, DrillSession::answerButton};
    }
    void focusMovesThroughTheOpenBoxes()
    {
        QFETCH(int, raisedTo);
        QFETCH(QList<int>, next);
        Session s(3);
        s.playToRecall();
        s.state.intMonsu = static_cast<int16_t>(raisedTo);
        QSignalSpy focus(&s.session, &DrillSession::focusMoved);
        for (int slot = 1; slot <= 3; ++slot)
            s.session.setAnswer(slot, QStringLiteral("1"));
        s.session.setAnswer(1, QString()); // emptied: the focus stays
        QCOMPARE(focus.count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(focus.at(i).at(0).toInt(), next.at(i));
    }
};

QTEST_GUILESS_MAIN(tst_DrillSession)
#include "tst_drillsession.moc"
