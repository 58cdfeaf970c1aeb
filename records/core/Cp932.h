#pragma once

#include <QByteArray>
#include <QStringView>

// Japanese text in Microsoft's Shift-JIS, code page 932, as the history file holds it: "○" is
// 81 9B, "×" 81 7E, "－" 81 7C and "秒" 95 62. Strict Shift-JIS differs ("－" does not exist
// there), so the program always goes through here.
class Cp932
{
public:
    // Encodes text. Returns false when a character has no code in code page 932.
    static bool encode(QStringView text, QByteArray *bytes);
};
