// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/TerminationRequests.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

class tst_TerminationRequests : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A signal that asks the program to end arrives as a request on the event loop, only once
    // the handler it fell into has run to its end; the process goes on meanwhile.
    void requestAfterTheRunningHandler_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM, logging out") << SIGTERM;
        QTest::newRow("SIGHUP, the terminal gone") << SIGHUP;
        QTest::newRow("SIGINT, Ctrl+C") << SIGINT;
    }
    void requestAfterTheRunningHandler()
    {
        QFETCH(int, signalNumber);
        TerminationRequests requests;
        QVERIFY(requests.installed());
        QSignalSpy spy(&requests, &TerminationRequests::requested);
        qsizetype heardInHandler = -1;
        QTimer::singleShot(0, [&] {
            std::raise(signalNumber);
            heardInHandler = spy.size();
        });
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(heardInHandler, 0);
        QCOMPARE(spy.at(0).at(0).toInt(), signalNumber);
    }
};

QTEST_GUILESS_MAIN(tst_TerminationRequests)
#include "tst_terminationrequests.moc"
