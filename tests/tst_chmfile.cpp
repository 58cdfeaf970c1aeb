#include "help/core/ChmFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(tst_ChmFile)
#include "tst_chmfile.moc"
