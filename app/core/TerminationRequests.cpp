// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/TerminationRequests.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int handledSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe from the handler to the event loop: [0] read by the loop, [1] written by the handler.
int requestPipe[2] = {-1, -1};

// Only what is safe in a signal handler: one write, errno kept for the code it interrupted. A
// full pipe already holds requests enough.
void onSignal(int signalNumber)
{
    const int saved = errno;
    const char number = char(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(requestPipe[1], &number, 1);
    errno = saved;
}

} // namespace

TerminationRequests::TerminationRequests(QObject *parent) : QObject(parent)
{
    if (requestPipe[0] >= 0 || ::pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(requestPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationRequests::readRequests);
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A read or write that the signal falls into goes on instead of failing with EINTR.
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        sigaction(signalNumber, &action, nullptr);
}

TerminationRequests::~TerminationRequests()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : handledSignals)
        std::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(requestPipe[0]);
    ::close(requestPipe[1]);
    requestPipe[0] = requestPipe[1] = -1;
}

void TerminationRequests::readRequests()
{
    char numbers[16];
    ssize_t got;
    while ((got = ::read(requestPipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < got; ++i)
            emit requested(numbers[i]);
    }
}
