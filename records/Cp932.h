#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Japanese text in Microsoft's Shift-JIS, code page 932, as the history file holds it: "○" is
// 81 9B, "×" 81 7E, "－" 81 7C and "秒" 95 62. Strict Shift-JIS differs ("－" does not exist
// there), so the program always goes through here.
class Cp932
{
public:
    // Decodes bytes into text. Returns false when the bytes are not code page 932 text (a byte
    // or pair that maps to no character, or a lead byte without its second byte).
    static bool decode(QByteArrayView bytes, QString *text);

    // Encodes text. Returns false when a character has no code in code page 932.
    static bool encode(QStringView text, QByteArray *bytes);
};
