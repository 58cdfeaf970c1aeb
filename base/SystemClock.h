// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Clock.h"

#include <QElapsedTimer>

// The real clock: milliseconds from a monotonic timer started with the program, and the local
// wall-clock date and time.
class SystemClock : public Clock
{
public:
    SystemClock();

    qint64 milliseconds() const override;
    QDateTime localNow() const override;

private:
    QElapsedTimer m_timer;
};
