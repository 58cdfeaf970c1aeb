// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Text of a help page in the encoding the page declares: a byte order mark, or a charset in its
// <meta> tag ("utf-8", "shift_jis" and its aliases, or any name the converters know). A page
// that declares nothing is read as UTF-8 when it is valid UTF-8, otherwise as Shift-JIS.
QString decodeHtml(const QByteArray &html);

// Text of undeclared encoding: UTF-8 when it is valid UTF-8, otherwise Shift-JIS (CP932), the
// encoding of Japanese help files made on Windows.
QString decodeJapaneseText(const QByteArray &bytes);

// The charset a page declares in its first kilobyte, lower case, or empty.
QByteArray declaredCharset(const QByteArray &html);

// Pages larger than this are not laid out: a help page is a few kilobytes, and laying out
// megabytes of text would hold the window for seconds.
constexpr qsizetype maxPageBytes = 256 * 1024;

// What the help viewer shows for the bytes of the page at `path`: the decoded page with its
// long words made breakable, or, for a page over maxPageBytes, a short page saying it is too
// large to show.
QString pageForDisplay(const QByteArray &page, const QString &path);

// The page with an invisible break opportunity (U+200B ZERO WIDTH SPACE) after every
// `longest` characters of a word that has none. Qt's text layout takes time growing with the
// square of a word's length (seconds for a word of 100,000 letters); with the breaks it stays
// proportional to the page. Markup is left alone: tags, attribute values, character
// references, comments and the contents of <style> and <script>.
QString withBreakableWords(const QString &html, qsizetype longest = 64);
