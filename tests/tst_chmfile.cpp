// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/core/ChmFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class tst_ChmFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultTopicAndTitle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("title");
        // The recorded topic wins over an index.html lying in the same file.
        QTest::newRow("recorded topic")
            << QStringLiteral(TEST_CHM) << QStringLiteral("/pages/start.html")
            << QStringLiteral("テスト用ヘルプ");
        QTest::newRow("no recorded topic: first page")
            << QStringLiteral(NOTOPIC_CHM) << QStringLiteral("/pages/start.html") << QString();
        QTest::newRow("the program's help")
            << QStringLiteral(ZQHELP_CHM) << QStringLiteral("/index.html")
            << QStringLiteral("ケタモリ！ ヘルプ");
    }
    void defaultTopicAndTitle()
    {
        QFETCH(QString, file);
        QFETCH(QString, topic);
        QFETCH(QString, title);
        const ChmFile chm(file);
        QVERIFY(chm.isOpen());
        QCOMPARE(chm.defaultTopic(), topic);
        QCOMPARE(chm.title(), title);
    }

    void objects_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("found");
        QTest::newRow("absolute") << QStringLiteral("/pages/start.html") << true;
        QTest::newRow("without leading slash") << QStringLiteral("pages/start.html") << true;
        QTest::newRow("other case") << QStringLiteral("/PAGES/Start.HTML") << true;
        QTest::newRow("image") << QStringLiteral("/img/red.xpm") << true;
        QTest::newRow("absent") << QStringLiteral("/nothere.html") << false;
        QTest::newRow("folder") << QStringLiteral("/pages/") << false;
        QTest::newRow("root") << QStringLiteral("/") << false;
        QTest::newRow("overlong") << QStringLiteral("/") + QString(600, QLatin1Char('a')) << false;
    }
    void objects()
    {
        QFETCH(QString, path);
        QFETCH(bool, found);
        const ChmFile chm(QStringLiteral(TEST_CHM));
        QCOMPARE(chm.contains(path), found);
        const std::optional<QByteArray> data = chm.object(path);
        QCOMPARE(data.has_value(), found);
        if (found)
            QVERIFY(!data->isEmpty());
    }

    void pageBytesAreExact()
    {
        const ChmFile chm(QStringLiteral(TEST_CHM));
        QFile source(QStringLiteral(TEST_CHM_SOURCE "/sjis.html"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(chm.object(QStringLiteral("/sjis.html")).value_or(QByteArray()), source.readAll());
        QCOMPARE(chm.pages(),
                 QStringList({QStringLiteral("/index.html"), QStringLiteral("/pages/start.html"),
                              QStringLiteral("/sjis.html")}));
    }

    void unreadableFiles_data()
    {
        // Written to the file; "-" for no file at all, "/" for a folder in its place.
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray("-");
        QTest::newRow("folder") << QByteArray("/");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("junk") << QByteArray("This is not a compiled help file.\n").repeated(50);
        QTest::newRow("header only") << QByteArray("ITSF\x03\0\0\0", 8);
        QFile real(QStringLiteral(TEST_CHM));
        QVERIFY(real.open(QIODevice::ReadOnly));
        const QByteArray bytes = real.readAll();
        QTest::newRow("truncated to 1 KiB") << bytes.left(1024);
        QTest::newRow("truncated to half") << bytes.left(bytes.size() / 2);
    }
    void unreadableFiles()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zqHelp.chm"));
        if (content == "/") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("zqHelp.chm")));
        } else if (content != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        // Whatever chmlib makes of it, nothing may crash and no page may appear from nowhere.
        const ChmFile chm(path);
        const QString topic = chm.defaultTopic();
        if (!topic.isEmpty())
            QVERIFY(chm.contains(topic));
        chm.object(QStringLiteral("/pages/start.html"));
        chm.title();
        if (content.size() < 1024)
            QVERIFY(!chm.isOpen());
    }

    void damagedStructures_data()
    {
        // Copies of the program's help file with one number changed, from the fuzz corpus.
        // Before the directory was checked, the loops froze the reader for ever, the zero
        // divisors and the tables in the wrong section killed it, and the huge sizes and cut
        // directories let it show pages from bytes that were not there.
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("topic");
        const auto refused = [](const char *name) {
            QTest::newRow(name) << QString::fromLatin1(name) << false << QString();
        };
        refused("listing-chain-loop");
        refused("index-root-loop");
        refused("listing-chain-beyond");
        refused("huge-chunk-size");
        refused("huge-chunk-count");
        refused("huge-directory-length");
        refused("huge-data-offset");
        refused("free-space-beyond-chunk");
        refused("lzx-windows-per-reset-zero");
        refused("lzx-window-size-zero");
        refused("reset-table-frame-size-zero");
        refused("reset-table-in-section-2");
        refused("reset-table-entry-beyond");
        refused("reset-table-uncompressed-huge");
        refused("truncated-8000");
        // One page pointing beyond the compressed text: that page is gone, the rest is shown.
        QTest::newRow("page-beyond-stream")
            << QStringLiteral("page-beyond-stream") << true << QStringLiteral("/asobikata.html");
    }
    void damagedStructures()
    {
        QFETCH(QString, file);
        QFETCH(bool, opens);
        QFETCH(QString, topic);
        const ChmFile chm(QStringLiteral(CHM_CORPUS "/") + file + QStringLiteral(".chm"));
        QCOMPARE(chm.isOpen(), opens);
        QCOMPARE(chm.defaultTopic(), topic);
        QCOMPARE(chm.contains(QStringLiteral("/index.html")), false);
        if (opens) {
            QCOMPARE(chm.title(), QStringLiteral("ケタモリ！ ヘルプ"));
            QVERIFY(chm.object(topic).value_or(QByteArray()).contains("</html>"));
        }
    }

    void fifoIsNotWaitedOn()
    {
        // Opening a FIFO for reading waits for a writer that never comes; the reader must not.
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("zqHelp.chm")));
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        const ChmFile chm(QFile::decodeName(path));
        QVERIFY(!chm.isOpen());
        QVERIFY(chm.defaultTopic().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ChmFile)
#include "tst_chmfile.moc"
