// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// The rate correct as the window and the history show it: ok / count as a percentage with one
// decimal and a trailing "%", e.g. "66.7%", "100.0%", "0.0%". count must be at least 1.
QString rateText(int ok, int count);

// The same rate in tenths of a percent, rounded half away from zero: 2 of 3 is 667.
int32_t rateTenths(int ok, int count);

// A rate in tenths of a percent as text: 667 is "66.7%".
QString rateText(int32_t tenths);
