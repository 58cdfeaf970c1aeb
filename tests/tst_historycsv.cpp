// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryCsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The CSV file a history is exported as: its bytes, and a write that replaces the whole file or
// leaves nothing behind.
class tst_HistoryCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvBytes()
    {
        HistoryCsv csv({u"回"_qs, u"成績詳細"_qs});
        csv.addRow({u"1"_qs, u"○○×－"_qs});
        csv.addRow({u"2"_qs, u"a,\"b\""_qs});
        const QByteArray expected =
            "\xEF\xBB\xBF" // the byte order mark
            "\xE5\x9B\x9E,\xE6\x88\x90\xE7\xB8\xBE\xE8\xA9\xB3\xE7\xB4\xB0\r\n"
            "1,\xE2\x97\x8B\xE2\x97\x8B\xC3\x97\xEF\xBC\x8D\r\n"
            "2,\"a,\"\"b\"\"\"\r\n";
        QCOMPARE(csv.bytes().toHex(' '), expected.toHex(' '));
    }

    void csvSaveWritesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"履歴.csv"_qs);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older, longer export that must be replaced entirely\r\n");
        old.close();
        QString error;
        QVERIFY(HistoryCsv::save(path, "new\r\n", &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({u"履歴.csv"_qs}));
    }

    void csvSaveFailureLeavesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("a folder of that name") << u"履歴.csv"_qs << QStringList({u"履歴.csv"_qs});
        QTest::newRow("a missing folder") << u"missing/履歴.csv"_qs << QStringList();
    }
    void csvSaveFailureLeavesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, left);
        QTemporaryDir dir;
        if (!left.isEmpty())
            QVERIFY(QDir(dir.path()).mkdir(left.first()));
        QString error;
        QVERIFY(!HistoryCsv::save(dir.filePath(name), "x\r\n", &error));
        QVERIFY(error.contains(u"書き出せませんでした"_qs));
        QVERIFY(error.contains(QDir::toNativeSeparators(dir.filePath(name))));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), left);
        if (!left.isEmpty())
            QVERIFY(QFileInfo(dir.filePath(name)).isDir());
    }
};

QTEST_GUILESS_MAIN(tst_HistoryCsv)
#include "tst_historycsv.moc"
