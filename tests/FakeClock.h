#pragma once

#include "drill/Clock.h"

// A clock the test sets by hand.
class FakeClock : public Clock
{
public:
    qint64 wholeSeconds() const override { return seconds; }
    QDateTime localNow() const override { return now; }

    qint64 seconds = 0;
    QDateTime now;
};
