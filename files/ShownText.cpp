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

} // namespace

QString ShownText::decode(QByteArrayView bytes)
{
    if (QString utf8 = decodedAs(QStringDecoder::Utf8, bytes); !utf8.isNull() || bytes.isEmpty())
        return utf8;
    if (QString cp932 = decodedAsCp932(bytes); !cp932.isNull())
        return cp932;
    return QString::fromUtf8(bytes);
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
    return text.first(length) + u'…';
}

QString ShownText::folderName(const QDir &dir)
{
    if (dir.isAbsolute())
        return QDir::toNativeSeparators(dir.absolutePath());
    QByteArray here(PATH_MAX, '\0');
    if (!::getcwd(here.data(), size_t(here.size())))
        return QDir::toNativeSeparators(dir.absolutePath());
    here.truncate(qsizetype(qstrlen(here.constData())));
    const QString relative = dir.path();
    if (relative != QLatin1String("."))
        here += '/' + QFile::encodeName(relative);
    return QDir::toNativeSeparators(decode(here));
}
