// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The width of the blue time bar for the seconds still to run, in twips:
// (remaining ÷ displaySeconds) × 100 × fullWidth ÷ 100, computed in double precision in exactly
// that order and rounded toward minus infinity. The order matters: 1 of 3 seconds left on a bar
// of 8745 gives 2914, not 2915. With no display time (displaySeconds below 1) the bar is 0; it
// is never below 0. A display time lowered during the display can make it wider than fullWidth.
int barWidth(int remaining, int displaySeconds, int fullWidth);
