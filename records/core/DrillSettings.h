// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The player's three choices, as the settings file keeps them.
struct DrillSettings
{
    int16_t digitCount = 0;     // digits per drill, 1..15
    int16_t displaySeconds = 0; // display seconds, 0..30
    bool autoSave = false;      // every scoring is saved
    friend bool operator==(const DrillSettings &, const DrillSettings &) = default;
};
