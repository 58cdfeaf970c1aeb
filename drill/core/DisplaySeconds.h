// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>

// The display phase's arithmetic on whole clock seconds. Each value is computed in 64 bits and
// clamped into the type the drill state keeps it in, so no clock reading can overflow a field.

// lngNow: a reading of the monotonic clock, clamped into 32 bits.
int32_t clockSecond(qint64 wholeSeconds);

// lngEnd: the second at which the display ends, now + displaySeconds, clamped into 32 bits.
int32_t endSecond(int32_t now, int displaySeconds);

// intNokori: the display seconds still to run, end − now, clamped into 16 bits. A tick that
// comes very late gives -32768, which still ends the display.
int16_t remainingSeconds(int32_t end, int32_t now);
