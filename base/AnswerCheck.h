// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether an answer box holds the digit its slot showed: the whole texts compared character by
// character, case-sensitively. A full-width digit, a digit followed by a space or an empty box
// is wrong (an empty box is right only against an empty caption, as before the first drill).
// Scoring and the history's marks both judge with this.
bool isRightAnswer(const QString &answer, const QString &digit);
