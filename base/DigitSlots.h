// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window has fifteen digit slots, lblMondai(1..15) over txtKaitou(1..15). A drill uses the
// first intMonsu of them; Start resets all fifteen, and every history record carries one mark
// per slot.
namespace DigitSlots {
constexpr int count = 15;
}
