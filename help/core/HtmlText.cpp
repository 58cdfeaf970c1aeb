#include "help/core/HtmlText.h"

#include <QStringDecoder>

namespace {

// Shift-JIS is read as Microsoft's code page 932, which is what Japanese pages labelled
// "shift_jis" actually contain (full-width minus, wave dash and the NEC extensions).
bool isShiftJisName(const QByteArray &name)
{
    static const QByteArray names[] = {"shift_jis",   "shift-jis",  "sjis",  "x-sjis",
                                       "ms_kanji",    "csshiftjis", "cp932", "ms932",
                                       "windows-31j", "x-ms-cp932"};
    for (const QByteArray &n : names) {
        if (name == n)
            return true;
    }
    return false;
}

QString decodeCp932(const QByteArray &bytes)
{
    QStringDecoder cp932("CP932");
    if (!cp932.isValid())
        return QString::fromUtf8(bytes);
    return cp932.decode(bytes);
}

} // namespace

QByteArray declaredCharset(const QByteArray &html)
{
    const QByteArray head = html.left(1024).toLower();
    qsizetype at = 0;
    while ((at = head.indexOf("charset", at)) >= 0) {
        at += 7;
        qsizetype i = at;
        while (i < head.size() && (head[i] == ' ' || head[i] == '\t'))
            ++i;
        if (i >= head.size() || head[i] != '=')
            continue;
        ++i;
        while (i < head.size() &&
               (head[i] == ' ' || head[i] == '\t' || head[i] == '"' || head[i] == '\''))
            ++i;
        qsizetype end = i;
        while (end < head.size() && !QByteArrayView(" \t\r\n\"';>/").contains(head[end]))
            ++end;
        if (end > i)
            return head.mid(i, end - i);
    }
    return {};
}

QString decodeJapaneseText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeCp932(bytes) : text;
}

QString decodeHtml(const QByteArray &html)
{
    if (html.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(html.mid(3));
    if (html.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return utf16.decode(html.mid(2));
    }
    if (html.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16BE);
        return utf16.decode(html.mid(2));
    }

    const QByteArray charset = declaredCharset(html);
    if (charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(html);
    if (isShiftJisName(charset))
        return decodeCp932(html);
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData());
        if (named.isValid())
            return named.decode(html);
    }
    return decodeJapaneseText(html);
}
