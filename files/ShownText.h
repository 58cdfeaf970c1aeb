// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

class QDir;

// Bytes the program did not write itself, made fit to show the player in a message: a value
// from a file, the name of a folder.
class ShownText
{
public:
    // The longest excerpt of a value, in characters, before "…".
    static constexpr qsizetype excerptLength = 40;

    // The bytes decoded as the player's editor most likely wrote them: UTF-8, else code page 932
    // (an older Japanese system's own), never as Latin-1. Every byte shows: a control byte as
    // its symbol (␀ for 00, ␊ for 0A, ␡ for 7F), a character that draws nothing (U+0085, U+202E)
    // as \u0085, a byte that neither code decodes as \xFF.
    static QString decode(QByteArrayView bytes);

    // A message as the player reads it, in its box and on standard error alike: its own line
    // breaks kept, every other character that draws nothing made visible as decode() makes it.
    static QString message(const QString &text);

    // The start of a value, decoded as decode() does: at most excerptLength characters and "…"
    // when there is more. Only the bytes that can make up those characters are decoded, so a
    // field of a megabyte is quoted as quickly as a short one.
    static QString excerpt(QByteArrayView bytes);

    // The folder's full name as well as it can be decoded. A folder given relative to the
    // working directory is named through the working directory's own bytes, which need not be
    // valid in the locale's encoding (an old Shift-JIS name).
    static QString folderName(const QDir &dir);
};
