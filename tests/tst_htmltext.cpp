// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/core/HtmlText.h"

#include <QTest>

class tst_HtmlText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data()
    {
        // "全角－～" in code page 932; 81 7C and 81 60 are where Shift-JIS readers disagree.
        const QByteArray sjis("\x91\x53\x8a\x70\x81\x7c\x81\x60");
        const QString text = QStringLiteral("全角－～");
        const QByteArray utf8 = text.toUtf8();
        const auto page = [](const QByteArray &head, const QByteArray &body) {
            return "<html><head>" + head + "</head><body>" + body + "</body></html>";
        };

        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("contains");
        QTest::newRow("meta charset utf-8") << page("<meta charset=\"utf-8\">", utf8) << text;
        QTest::newRow("http-equiv Shift_JIS")
            << page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                    sjis)
            << text;
        QTest::newRow("unquoted x-sjis") << page("<meta charset=x-sjis>", sjis) << text;
        QTest::newRow("windows-31j") << page("<meta charset='windows-31j'>", sjis) << text;
        QTest::newRow("upper-case UTF-8 with spaces")
            << page("<META CONTENT=\"text/html; CHARSET = UTF-8\">", utf8) << text;
        QTest::newRow("utf-8 byte order mark") << "\xEF\xBB\xBF" + page("", utf8) << text;
        QTest::newRow("undeclared utf-8") << page("", utf8) << text;
        QTest::newRow("undeclared Shift-JIS") << page("", sjis) << text;
        QTest::newRow("unknown charset, utf-8 bytes")
            << page("<meta charset=\"no-such-code\">", utf8) << text;
        QTest::newRow("latin-1 declared")
            << page("<meta charset=\"iso-8859-1\">", "caf\xE9") << QStringLiteral("café");
    }
    void decode()
    {
        QFETCH(QByteArray, html);
        QFETCH(QString, contains);
        const QString decoded = decodeHtml(html);
        QVERIFY2(decoded.contains(contains), qPrintable(decoded));
        QVERIFY(!decoded.contains(QChar::ReplacementCharacter));
    }

    // "|" stands for the inserted zero width space; words are broken after 4 characters.
    void breakableWords_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("shown");
        QTest::newRow("long word") << u"abcdefghij"_qs << u"abcd|efgh|ij"_qs;
        QTest::newRow("white space ends a word") << u"ab cdefg"_qs << u"ab cdef|g"_qs;
        QTest::newRow("Japanese breaks by itself")
            << u"あいうえおかきく"_qs << u"あいうえおかきく"_qs;
        QTest::newRow("tags inside a word") << u"ab<b>cdefg</b>"_qs << u"ab<b>cd|efg</b>"_qs;
        QTest::newRow("attribute values") << u"<a href=\"abcdefghij\" title='a>bcdefg'>x</a>"_qs
                                          << u"<a href=\"abcdefghij\" title='a>bcdefg'>x</a>"_qs;
        QTest::newRow("comment") << u"<!-- abcdefghij -->"_qs << u"<!-- abcdefghij -->"_qs;
        QTest::newRow("style and script")
            << u"<STYLE>p{color:#000}</STYLE><script>abcdefg</script>abcdefg"_qs
            << u"<STYLE>p{color:#000}</STYLE><script>abcdefg</script>abcd|efg"_qs;
        QTest::newRow("character references kept whole")
            << u"&amp;&#12354;"_qs << u"&amp;|&#12354;"_qs;
        QTest::newRow("unterminated tag") << u"ab<cdefghij"_qs << u"ab<cdefghij"_qs;
    }
    void breakableWords()
    {
        QFETCH(QString, html);
        QFETCH(QString, shown);
        QCOMPARE(withBreakableWords(html, 4), QString(shown).replace(u'|', QChar(0x200B)));
    }

    // Hostile pages: no word the layout would see is much longer than the limit.
    void noLongWordIsLeft_data()
    {
        QTest::addColumn<QString>("html");
        const QString letters(100000, u'a');
        QTest::newRow("letters") << letters;
        QTest::newRow("ampersand and letters") << u'&' + letters;
        QTest::newRow("numeric reference") << u"&#"_qs + QString(100000, u'1');
        QTest::newRow("many ampersands") << QString(100000, u'&');
    }
    void noLongWordIsLeft()
    {
        QFETCH(QString, html);
        const QString shown = withBreakableWords(html);
        QCOMPARE(QString(shown).remove(QChar(0x200B)), html);
        qsizetype run = 0;
        for (const QChar c : shown) {
            run = c == QChar(0x200B) ? 0 : run + 1;
            QVERIFY2(run <= 64 + 32, qPrintable(QString::number(run)));
        }
    }

    void pageTooLargeIsNotShown()
    {
        const QByteArray page = "<p>" + QByteArray(maxPageBytes, 'a') + "</p>";
        const QString shown = pageForDisplay(page, u"/big&.html"_qs);
        QVERIFY2(shown.contains(u"ページが大きすぎます"_qs), qPrintable(shown));
        QVERIFY(shown.contains(u"/big&amp;.html"_qs));
        QVERIFY(!shown.contains(u"aaaa"_qs));
        QVERIFY(pageForDisplay("<p>ok</p>", u"/small.html"_qs).contains(u"<p>ok</p>"_qs));
    }
};

QTEST_GUILESS_MAIN(tst_HtmlText)
#include "tst_htmltext.moc"
