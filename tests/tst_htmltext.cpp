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
};

QTEST_GUILESS_MAIN(tst_HtmlText)
#include "tst_htmltext.moc"
