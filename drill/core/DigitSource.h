// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the drill's digits come from. Each drill reseeds, so no two drills repeat a sequence.
class DigitSource
{
public:
    virtual ~DigitSource() = default;

    // Starts a fresh, independent sequence; called once at the start of every drill's display.
    virtual void reseed() = 0;

    // The next digit, uniform over 0..8 (9 is never drawn).
    virtual int nextDigit() = 0;
};
