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
