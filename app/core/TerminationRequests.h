// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (the desktop logging out or shutting down), SIGHUP (the terminal or session gone) and
// SIGINT (Ctrl+C in a terminal) ask the program to end. Left to their default action they would
// end it wherever it stands, perhaps in the middle of writing a line. Their handler here only
// writes the signal's number into a pipe; the event loop reads it from there once the event
// handler running at the time has returned, so a Save in progress finishes its line first, and
// then requested() lets the window close as its close box would close it.
//
// One object at a time; it must live on the thread of the event loop (the main thread).
class TerminationRequests : public QObject
{
    Q_OBJECT

public:
    explicit TerminationRequests(QObject *parent = nullptr);
    // Gives the signals back their default action.
    ~TerminationRequests() override;

    // Whether the handlers are in place.
    bool installed() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void requested(int signalNumber);

private:
    void readRequests();

    QSocketNotifier *m_notifier = nullptr;
};
