// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DrillResult.h"

#include <QString>
#include <cstdint>

// The window's state record: the three settings, the phase flags, the clock readings and the
// last scores. Every field starts at zero, false or empty; start-up fills it in.
// Invariants kept by the handlers: blnCountdown and blnDisplay are never both true; intOk and
// intNg are always those of lastResult.
struct DrillState
{
    QString strHelpFile;       // help file, relative to the data folder
    bool blnCountdown = false; // the traffic-light countdown is running
    bool blnDisplay = false;   // the digits are on show
    int16_t intCountStep = 0;  // countdown step, 0..3
    int32_t lngNow = 0;        // last clock reading, whole seconds
    int32_t lngEnd = 0;        // second at which the display ends
    int16_t intNokori = 0;     // display seconds remaining
    int16_t intMonsu = 0;      // digits per drill, 1..15 (setting)
    int16_t intBarWidth = 0;   // full width of the time bar, in twips
    int16_t intJikan = 0;      // display time in seconds, 0..30 (setting)
    int16_t intAs = 0;         // auto-save after scoring: 1 on, 0 off (setting)
    int16_t intOk = 0;         // right answers in the last scoring
    int16_t intNg = 0;         // wrong answers in the last scoring
    DrillResult lastResult;    // the last scoring whole: what Save records
};
