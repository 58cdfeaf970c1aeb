// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

QString pageForDisplay(const QByteArray &page, const QString &path)
{
    if (page.size() > maxPageBytes) {
        return QStringLiteral("<html><body><h3>ページが大きすぎます</h3>"
                              "<p>ページ「%1」は %2 KB あり、表示できる大きさ"
                              "（%3 KB まで）を超えています。</p></body></html>")
            .arg(path.toHtmlEscaped())
            .arg((page.size() + 1023) / 1024)
            .arg(maxPageBytes / 1024);
    }
    return withBreakableWords(decodeHtml(page));
}

namespace {

bool startsWithAt(const QString &text, qsizetype at, QLatin1StringView what)
{
    return QStringView(text).mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// The end of the markup starting with '<' at `at`: one past its '>' (or the end of the text).
// A comment ends at "-->", a tag at the first '>' outside a quoted attribute value, and the
// opening tag of a <style> or <script> element only after its closing tag.
qsizetype endOfMarkup(const QString &html, qsizetype at)
{
    const qsizetype size = html.size();
    if (startsWithAt(html, at, QLatin1StringView("<!--"))) {
        const qsizetype end = html.indexOf(QLatin1StringView("-->"), at + 4);
        return end < 0 ? size : end + 3;
    }
    QChar quote;
    qsizetype i = at + 1;
    for (; i < size; ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            break;
        }
    }
    const qsizetype end = i < size ? i + 1 : size;
    for (const QLatin1StringView raw : {QLatin1StringView("style"), QLatin1StringView("script")}) {
        if (startsWithAt(html, at + 1, raw)) {
            const QChar after = at + 1 + raw.size() < size ? html[at + 1 + raw.size()] : QChar();
            if (after.isLetterOrNumber())
                continue;
            const qsizetype close =
                html.indexOf(QLatin1StringView("</") + raw, end, Qt::CaseInsensitive);
            return close < 0 ? size : close;
        }
    }
    return end;
}

} // namespace

QString withBreakableWords(const QString &html, qsizetype longest)
{
    constexpr QChar zeroWidthSpace(0x200B);
    QString out;
    out.reserve(html.size() + html.size() / longest + 1);
    qsizetype run = 0;
    // Characters since an '&' that may still be a character reference ("&amp;", "&#12354;"):
    // no break goes inside one. The longest named reference has 31 letters.
    constexpr qsizetype longestReference = 32;
    qsizetype reference = -1;
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype end = endOfMarkup(html, i);
            out += QStringView(html).mid(i, end - i);
            i = end;
            continue;
        }
        // Text breaks by itself at white space and between Japanese characters (and the
        // characters beyond the basic plane are left whole).
        if (c.isSpace() || c.unicode() >= 0x3000) {
            run = 0;
        } else if (++run > longest && (reference < 0 || c == u'&')) {
            out += zeroWidthSpace;
            run = 1;
        }
        if (c == u'&')
            reference = 0;
        else if (reference >= 0 &&
                 (!(c.isLetterOrNumber() || c == u'#') || ++reference > longestReference))
            reference = -1;
        out += c;
        ++i;
    }
    return out;
}
