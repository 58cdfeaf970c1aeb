// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ShownText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <climits>
#include <unistd.h>

namespace {

// The bytes decoded by encoding, or a null string when they are not valid in it. A character
// cut off at the end of the bytes is no error: the bytes may be the start of a longer value.
QString decodedAs(QStringDecoder::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

QString decodedAsCp932(QByteArrayView bytes)
{
    QStringDecoder decoder("CP932");
    if (!decoder.isValid())
        return {};
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

// Whether c draws nothing of its own: a control character, or one that only formats the text
// around it (a direction override, a zero-width space, a byte-order mark).
bool drawsNothing(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
}

// Appends c as it shows: itself, a control byte's symbol, or an escape.
void appendVisible(QString *text, char32_t c)
{
    if (c < 0x20)
        text->append(QChar(char16_t(0x2400 + c))); // ␀ … ␟
    else if (c == 0x7F)
        text->append(QChar(char16_t(0x2421))); // ␡
    else if (drawsNothing(c))
        text->append(u"\\u"_qs + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
    else
        text->append(QString::fromUcs4(&c, 1));
}

QString visible(const QString &text, bool keepLineBreaks)
{
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (keepLineBreaks && c == u'\n')
            shown.append(u'\n');
        else
            appendVisible(&shown, c);
    }
    return shown;
}

// Bytes that neither code decodes as a whole: each character that UTF-8 or code page 932
// decodes on its own as such, each byte left as \xFF.
QString decodedByCharacter(QByteArrayView bytes)
{
    QString text;
    QStringDecoder cp932("CP932");
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const qsizetype utf8Length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        if (i + utf8Length <= bytes.size()) {
            const QString one = decodedAs(QStringDecoder::Utf8, bytes.sliced(i, utf8Length));
            if (!one.isEmpty()) {
                text += one;
                i += utf8Length;
                continue;
            }
        }
        // A lead byte and its trail byte, or a half-width katakana.
        const qsizetype cp932Length = (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0 ? 2 : 1;
        if (cp932.isValid() && byte >= 0x80 && i + cp932Length <= bytes.size()) {
            const QString one = cp932.decode(bytes.sliced(i, cp932Length));
            const bool bad = cp932.hasError();
            cp932.resetState();
            if (!bad && one.size() == 1) {
                text += one;
                i += cp932Length;
                continue;
            }
        }
        text += u"\\x"_qs + QString::number(uint(byte), 16).toUpper().rightJustified(2, u'0');
        ++i;
    }
    return text;
}

} // namespace

QString ShownText::decode(QByteArrayView bytes)
{
    if (QString utf8 = decodedAs(QStringDecoder::Utf8, bytes); !utf8.isNull() || bytes.isEmpty())
        return visible(utf8, false);
    if (QString cp932 = decodedAsCp932(bytes); !cp932.isNull())
        return visible(cp932, false);
    return visible(decodedByCharacter(bytes), false);
}

QString ShownText::message(const QString &text)
{
    return visible(text, true);
}

QString ShownText::excerpt(QByteArrayView bytes)
{
    // A character takes at most four bytes in UTF-8 and two in code page 932: these bytes give
    // more characters than an excerpt shows whenever there are more bytes after them.
    constexpr qsizetype enoughBytes = 4 * (excerptLength + 1);
    const bool cut = bytes.size() > enoughBytes;
    QString text = decode(cut ? bytes.first(enoughBytes) : bytes);
    if (text.size() <= excerptLength)
        return cut ? text + u'…' : text;
    qsizetype length = excerptLength;
    if (text.at(length - 1).isHighSurrogate())
        --length; // never half a character
    // Nor half an escape: \xFF takes four characters, \u202E six.
    if (const qsizetype slash = text.lastIndexOf(u'\\', length - 1);
        slash >= 0 && slash + 1 < text.size()) {
        const QChar kind = text.at(slash + 1);
        const qsizetype escape = kind == u'x' ? 4 : kind == u'u' ? 6 : 0;
        if (slash + escape > length)
            length = slash;
    }
    return text.first(length) + u'…';
}

QString ShownText::folderName(const QDir &dir)
{
    if (dir.isAbsolute())
        return visible(QDir::toNativeSeparators(dir.absolutePath()), false);
    QByteArray here(PATH_MAX, '\0');
    if (!::getcwd(here.data(), size_t(here.size())))
        return visible(QDir::toNativeSeparators(dir.absolutePath()), false);
    here.truncate(qsizetype(qstrlen(here.constData())));
    const QString relative = dir.path();
    if (relative != QLatin1String("."))
        here += '/' + QFile::encodeName(relative);
    return QDir::toNativeSeparators(decode(here));
}
