// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

// Japanese text in Microsoft's Shift-JIS, code page 932, as the history file holds it. Strict
// Shift-JIS differs ("－" does not exist there), so the program always goes through here.
class Cp932
{
public:
    // The two bytes of each character beyond ASCII that a history line holds.
    static constexpr QByteArrayView right{"\x81\x9B", 2};       // "○"
    static constexpr QByteArrayView wrong{"\x81\x7E", 2};       // "×"
    static constexpr QByteArrayView unused{"\x81\x7C", 2};      // "－"
    static constexpr QByteArrayView secondsUnit{"\x95\x62", 2}; // "秒"

    // Encodes text. Returns false when a character has no code in code page 932.
    static bool encode(QStringView text, QByteArray *bytes);
};
