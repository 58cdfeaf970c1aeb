// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Disk.h"
#include "files/ShownText.h"
#include "records/core/ProgramPreferences.h"
#include "records/core/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using DrillSettings = DrillSettings;
Q_DECLARE_METATYPE(DrillSettings)

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<DrillSettings>("expected");
        QTest::newRow("seven, five, on") << QByteArray("7,5,1\r\n") << DrillSettings{7, 5, 1};
        QTest::newRow("fifteen, thirty, off")
            << QByteArray("15,30,0\r\n") << DrillSettings{15, 30, 0};
        QTest::newRow("zero seconds is valid") << QByteArray("1,0,0\r\n") << DrillSettings{1, 0, 0};
        QTest::newRow("no line end") << QByteArray("3,4,1") << DrillSettings{3, 4, 1};
        QTest::newRow("leading spaces") << QByteArray(" 3, 4,  1\r\n") << DrillSettings{3, 4, 1};
        QTest::newRow("one field per line")
            << QByteArray("3\r\n4\r\n1\r\n") << DrillSettings{3, 4, 1};
        QTest::newRow("bare LF") << QByteArray("3,4,1\n") << DrillSettings{3, 4, 1};
        QTest::newRow("extra fields ignored")
            << QByteArray("3,4,1,9,x\r\n") << DrillSettings{3, 4, 1};
        QTest::newRow("further lines ignored")
            << QByteArray("3,4,1\r\njunk\r\n") << DrillSettings{3, 4, 1};
        QTest::newRow("leading zeros") << QByteArray("07,05,01\r\n") << DrillSettings{7, 5, 1};
        // Out of range: clamped to what the controls can produce.
        QTest::newRow("count 0") << QByteArray("0,5,1\r\n") << DrillSettings{1, 5, 1};
        QTest::newRow("count negative") << QByteArray("-4,5,1\r\n") << DrillSettings{1, 5, 1};
        QTest::newRow("count 16") << QByteArray("16,5,1\r\n") << DrillSettings{15, 5, 1};
        QTest::newRow("seconds negative") << QByteArray("5,-1,1\r\n") << DrillSettings{5, 0, 1};
        QTest::newRow("seconds 31") << QByteArray("5,31,1\r\n") << DrillSettings{5, 30, 1};
        QTest::newRow("flag 2") << QByteArray("5,5,2\r\n") << DrillSettings{5, 5, 1};
        QTest::newRow("flag -1") << QByteArray("5,5,-1\r\n") << DrillSettings{5, 5, 0};
        QTest::newRow("beyond 16 bits")
            << QByteArray("99999,-99999,70000\r\n") << DrillSettings{15, 0, 1};
        QTest::newRow("beyond 64 bits")
            << QByteArray("123456789012345678901234567890,5,1\r\n") << DrillSettings{15, 5, 1};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "5,5,1\r\n")
                                         << DrillSettings{5, 5, 1};
        QTest::newRow("byte-order mark and spaces")
            << QByteArray("\xEF\xBB\xBF  5, 6,0\r\n") << DrillSettings{5, 6, 0};
    }
    void parse()
    {
        QFETCH(QByteArray, content);
        QFETCH(DrillSettings, expected);
        DrillSettings values;
        QString error;
        QVERIFY2(SettingsFile::parse(content, &values, &error), qPrintable(error));
        QCOMPARE(values, expected);
    }

    void parseRejects_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("足りません");
        QTest::newRow("two fields") << QByteArray("5,5\r\n") << QStringLiteral("足りません");
        QTest::newRow("blank line") << QByteArray("\r\n") << QStringLiteral("足りません");
        QTest::newRow("letters") << QByteArray("five,5,1\r\n") << QStringLiteral("「five」");
        QTest::newRow("decimal point") << QByteArray("5,2.5,1\r\n") << QStringLiteral("「2.5」");
        QTest::newRow("empty field") << QByteArray("5,,1\r\n") << QStringLiteral("2番目");
        QTest::newRow("sign alone") << QByteArray("5,5,-\r\n") << QStringLiteral("3番目");
        QTest::newRow("byte-order mark not at the start") << QByteArray("5,\xEF\xBB\xBF"
                                                                        "5,1\r\n")
                                                          << QStringLiteral("2番目");
        // A value beyond ASCII is shown as the player's editor wrote it, never as Latin-1.
        QTest::newRow("full-width digit in UTF-8")
            << QByteArray("\xEF\xBC\x95,5,1\r\n") << QStringLiteral("「５」");
        QTest::newRow("full-width digit in code page 932")
            << QByteArray("\x82\x54,5,1\r\n") << QStringLiteral("「５」");
        // A long value is quoted by its start only, so the message fits on any screen.
        QTest::newRow("many words")
            << QByteArray("5,") + QByteArray("word ").repeated(6000) + ",1"
            << QStringLiteral("「word word word word word word word word …」");
        QTest::newRow("a field of a megabyte")
            << QByteArray(1 << 20, 'x') + ",5,1" << QString(ShownText::excerptLength, u'x') + u'…';
    }
    void parseRejects()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, mentions);
        DrillSettings values{9, 9, true};
        QString error;
        QVERIFY(!SettingsFile::parse(content, &values, &error));
        QVERIFY2(error.contains(QStringLiteral("設定.txt")), qPrintable(error));
        QVERIFY2(error.contains(mentions), qPrintable(error));
        QVERIFY2(error.size() < 120, qPrintable(error));
        QCOMPARE(values, (DrillSettings{9, 9, true}));
    }

    // What a message quotes of a value: its start, decoded as UTF-8, else code page 932.
    void excerpt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const QString forty = QString(ShownText::excerptLength, u'a');
        QTest::newRow("short") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("exactly the length") << forty.toLatin1() << forty;
        QTest::newRow("one more") << (forty + u'b').toLatin1() << forty + u'…';
        QTest::newRow("UTF-8") << QStringLiteral("五秒").toUtf8() << QStringLiteral("五秒");
        QTest::newRow("code page 932") << QByteArray("\x8C\xDC\x95\x62") << QStringLiteral("五秒");
        QTest::newRow("long UTF-8, cut in a character")
            << QStringLiteral("五").repeated(200).toUtf8()
            << QStringLiteral("五").repeated(ShownText::excerptLength) + u'…';
        QTest::newRow("long code page 932")
            << QByteArray("\x8C\xDC").repeated(200)
            << QStringLiteral("五").repeated(ShownText::excerptLength) + u'…';
        // Every byte shows: a control byte as its symbol, one that no code decodes as an escape.
        QTest::newRow("neither") << QByteArray("a\xFF\xFF") << QStringLiteral("a\\xFF\\xFF");
        QTest::newRow("control bytes") << QByteArray("a\0\t\x1F\x7F", 5) << QStringLiteral("a␀␉␟␡");
        QTest::newRow("invisible characters")
            << QStringLiteral("a\u202Eb\u200B").toUtf8() << QStringLiteral("a\\u202Eb\\u200B");
        QTest::newRow("a lead byte without its trail")
            << QByteArray("\x8C\xDC\x81\x20") << QStringLiteral("五\\x81 ");
        QTest::newRow("no half escape")
            << QByteArray(38, 'a') + "\xFF\xFF" << QString(38, u'a') + u'…';
        QTest::newRow("no half character") << "a" + QStringLiteral("😀").repeated(30).toUtf8()
                                           << u'a' + QStringLiteral("😀").repeated(19) + u'…';
    }
    void excerpt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(ShownText::excerpt(bytes), shown);
    }

    void format_data()
    {
        QTest::addColumn<DrillSettings>("values");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("7,5,1") << DrillSettings{7, 5, 1} << QByteArray::fromHex("372c352c310d0a");
        QTest::newRow("15,30,0") << DrillSettings{15, 30, 0}
                                 << QByteArray::fromHex("31352c33302c300d0a");
        QTest::newRow("12,5,0") << DrillSettings{12, 5, 0}
                                << QByteArray::fromHex("31322c352c300d0a");
    }
    void format()
    {
        QFETCH(DrillSettings, values);
        QFETCH(QByteArray, bytes);
        QCOMPARE(SettingsFile::format(values), bytes);
    }

    void writeReplacesWholeContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(SettingsFile::fileName());
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("15,30,1\r\nsomething longer that must go\r\n");
        old.close();

        QString error;
        QVERIFY(SettingsFile(path, Disk::real()).write({7, 5, 1}, &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("7,5,1\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{SettingsFile::fileName()});
    }

    void writeFailureIsReported()
    {
        QTemporaryDir dir;
        // A folder where the file should be: nothing can replace it.
        const QString path = dir.filePath(SettingsFile::fileName());
        QVERIFY(QDir(dir.path()).mkdir(SettingsFile::fileName()));
        QString error;
        QVERIFY(!SettingsFile(path, Disk::real()).write({7, 5, 1}, &error));
        QVERIFY2(error.contains(QStringLiteral("書き込めません")), qPrintable(error));
        QVERIFY(QFileInfo(path).isDir());
    }

    void readMissingAndUnreadable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(SettingsFile::fileName());
        DrillSettings values;
        QString error;
        QVERIFY(!SettingsFile(path, Disk::real()).read(&values, &error));
        QVERIFY2(error.contains(QStringLiteral("見つかりません")), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path)); // reading never creates the file

        QVERIFY(QDir(dir.path()).mkdir(SettingsFile::fileName()));
        QVERIFY(!SettingsFile(path, Disk::real()).read(&values, &error));
        QVERIFY2(error.contains(QStringLiteral("読み込めません")), qPrintable(error));
    }
    // The preferences file beside the settings: remembered across runs, its folder made, off
    // when missing or when something other than a small file lies there, and a failed write
    // told while the choice holds for the run.
    void preferences_data()
    {
        QTest::addColumn<QString>("inPlace"); // what lies at the path before: "", "big", "dir"
        QTest::addColumn<bool>("writes");
        QTest::newRow("none: made with its folder") << QString() << true;
        QTest::newRow("a large file is not read or replaced") << "big" << false;
        QTest::newRow("a folder in its place") << "dir" << false;
    }
    void preferences()
    {
        QFETCH(QString, inPlace);
        QFETCH(bool, writes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ketamori/ketamori.conf"));
        QVERIFY(QDir(dir.path()).mkpath(inPlace == u"dir" ? path : QStringLiteral("ketamori")));
        if (inPlace == u"big") {
            QFile big(path);
            QVERIFY(big.open(QIODevice::WriteOnly));
            big.write("[drill]\nadaptiveDigitCount=true\n");
            big.write(QByteArray(100 * 1024, '#'));
        }

        ProgramPreferences preferences(path);
        QVERIFY(!preferences.adaptiveDigitCount());
        QString error;
        QCOMPARE(preferences.setAdaptiveDigitCount(true, &error), writes);
        QVERIFY(preferences.adaptiveDigitCount()); // holds for this run either way
        QCOMPARE(error.isEmpty(), writes);
        QCOMPARE(ProgramPreferences(path).adaptiveDigitCount(), writes);
        if (inPlace == u"big")
            QCOMPARE(QFileInfo(path).size(), qint64(100 * 1024 + 32));
        if (writes) {
            QVERIFY(preferences.setAdaptiveDigitCount(false, &error));
            QVERIFY(!ProgramPreferences(path).adaptiveDigitCount());
        }
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
