// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SystemClock.h"

SystemClock::SystemClock()
{
    m_timer.start();
}

qint64 SystemClock::milliseconds() const
{
    return m_timer.elapsed();
}

QDateTime SystemClock::localNow() const
{
    return QDateTime::currentDateTime();
}
