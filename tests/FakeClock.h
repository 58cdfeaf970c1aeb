// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Clock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

// A clock the test sets by hand. Its two readings are independent, so a test can put the wall
// clock just before midnight while the monotonic seconds run on; advance() moves both together,
// as real time would.
class FakeClock : public Clock
{
public:
    qint64 milliseconds() const override { return m_ms; }
    QDateTime localNow() const override { return m_now; }

    void setWholeSeconds(qint64 seconds) { m_ms = seconds * 1000; }
    void setMilliseconds(qint64 ms) { m_ms = ms; }
    void setLocalNow(const QDateTime &now) { m_now = now; }

    void advance(qint64 seconds) { advanceMilliseconds(seconds * 1000); }
    void advanceMilliseconds(qint64 ms)
    {
        m_ms += ms;
        m_now = m_now.addMSecs(ms);
    }

private:
    qint64 m_ms = 1000 * 1000;
    QDateTime m_now{QDate(2024, 4, 1), QTime(12, 0, 0)};
};
