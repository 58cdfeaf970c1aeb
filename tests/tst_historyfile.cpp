// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailingDisk.h"
#include "HistoryBytes.h"
#include "base/RateText.h"
#include "records/core/Cp932.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryScanner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

HistoryRecord::Marks marksOf(QStringView text)
{
    HistoryRecord::Marks marks{};
    for (int i = 0; i < HistoryRecord::slotCount; ++i) {
        const QChar c = text.at(i);
        marks[size_t(i)] = c == u'○'   ? HistoryRecord::Mark::Right
                           : c == u'×' ? HistoryRecord::Mark::Wrong
                                       : HistoryRecord::Mark::Unused;
    }
    return marks;
}

HistoryRecord exampleRecord()
{
    return HistoryRecord::ofResult(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6, 789)),
                                   {.marks = marksOf(u"○○×－－－－－－－－－－－－"),
                                    .right = 2,
                                    .wrong = 1,
                                    .digitCount = 3,
                                    .displaySeconds = 5});
}

} // namespace

Q_DECLARE_METATYPE(HistoryRecord)

class tst_HistoryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(HistoryFile::fileName());
        QFile::remove(m_path);
        QDir(m_path).removeRecursively();
    }

    void exampleLineIsByteExact()
    {
        const QByteArray line = HistoryLine::format(exampleRecord());
        QCOMPARE(line.size(), 76);
        QCOMPARE(line.toHex(' '), exampleLine().toHex(' '));
    }

    void exampleLineReadsBack()
    {
        const std::optional<HistoryRecord> record = HistoryLine::parse(exampleLine().chopped(2));
        QVERIFY(record);
        QCOMPARE(*record, exampleRecord());
        QCOMPARE(record->tableDate(), QStringLiteral("01/02/03"));
    }

    void marksAndUnitInCodePage932()
    {
        QByteArray bytes;
        QVERIFY(Cp932::encode(u"○×－秒", &bytes));
        QCOMPARE(bytes, QByteArray::fromHex("819b817e817c9562"));
        // The reader's own copies of those bytes agree with the encoder.
        QCOMPARE(bytes, Cp932::right.toByteArray() + Cp932::wrong.toByteArray() +
                            Cp932::unused.toByteArray() + Cp932::secondsUnit.toByteArray());
        // Not representable: the minus sign that strict Shift-JIS would put in place of "－".
        QVERIFY(!Cp932::encode(u"−", &bytes));
    }

    void exampleRecordTexts()
    {
        const HistoryRecord r = exampleRecord();
        QCOMPARE(r.fileDate(), u"2001/02/03"_qs);
        QCOMPARE(r.tableDate(), u"01/02/03"_qs);
        QCOMPARE(r.timeText(), u"04:05:06"_qs);
        QCOMPARE(r.marksText(), u"○○×－－－－－－－－－－－－"_qs);
        QCOMPARE(r.percentText(), u"66.7%"_qs);
        QCOMPARE(r.secondsText(), u"5秒"_qs);
    }

    // The record keeps the rate as a number; it must give back the window's rate text.
    void rateAsTheWindowShowsIt()
    {
        for (int count = 1; count <= 15; ++count) {
            for (int ok = 0; ok <= 15; ++ok) {
                const HistoryRecord r = HistoryRecord::ofResult(
                    QDateTime(QDate(2001, 2, 3), QTime()), {.marks = {},
                                                            .right = int16_t(ok),
                                                            .wrong = 0,
                                                            .digitCount = int16_t(count),
                                                            .displaySeconds = 5});
                QCOMPARE(r.percentText(), rateText(ok, count));
            }
        }
    }

    void parseLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("accepted");
        const QByteArray good = exampleLine().chopped(2);
        QTest::newRow("example") << good << true;
        QTest::newRow("count with leading zero")
            << QByteArray(good).replace(",2,1,", ",02,1,") << true;
        QTest::newRow("negative count") << QByteArray(good).replace(",2,1,", ",-2,1,") << true;
        QTest::newRow("largest count") << QByteArray(good).replace(",2,1,", ",32767,1,") << true;
        QTest::newRow("blank") << QByteArray() << false;
        QTest::newRow("count too large") << QByteArray(good).replace(",2,1,", ",32768,1,") << false;
        QTest::newRow("count not a number") << QByteArray(good).replace(",2,1,", ",2x,1,") << false;
        QTest::newRow("count empty") << QByteArray(good).replace(",2,1,", ",,1,") << false;
        QTest::newRow("count quoted") << QByteArray(good).replace(",2,1,", ",\"2\",1,") << false;
        QTest::newRow("six fields") << good.left(good.lastIndexOf(',')) << false;
        QTest::newRow("eight fields") << good + ",\"x\"" << false;
        QTest::newRow("text after last quote") << good + " " << false;
        QTest::newRow("no such day")
            << QByteArray(good).replace("2001/02/03", "2001/02/30") << false;
        QTest::newRow("not a date")
            << QByteArray(good).replace("2001/02/03", "yesterday.") << false;
        QTest::newRow("unquoted date")
            << QByteArray(good).replace("\"2001/02/03\"", "2001/02/03") << false;
        QTest::newRow("open quote") << good.chopped(1) << false;
        QTest::newRow("one-digit month and day")
            << QByteArray(good).replace("2001/02/03", "2001/2/3") << true;
        QTest::newRow("rate over 100%") << QByteArray(good).replace("66.7%", "1500.0%") << true;
        QTest::newRow("time without leading zero")
            << QByteArray(good).replace("04:05:06", "4:05:06") << false;
        QTest::newRow("no such time") << QByteArray(good).replace("04:05:06", "24:05:06") << false;
        QTest::newRow("fourteen marks")
            << QByteArray(good).replace("\x81\x7c\x22", "\x22") << false;
        QTest::newRow("sixteen marks")
            << QByteArray(good).replace("\x81\x7c\x22", "\x81\x7c\x81\x7c\x22") << false;
        QTest::newRow("another character among the marks")
            << QByteArray(good).replace("\x81\x7e", "\x81\x5b") << false;
        QTest::newRow("rate with leading zero")
            << QByteArray(good).replace("66.7%", "066.7%") << false;
        QTest::newRow("rate with two decimals")
            << QByteArray(good).replace("66.7%", "66.70%") << false;
        QTest::newRow("rate without percent") << QByteArray(good).replace("66.7%", "66.7") << false;
        QTest::newRow("seconds with leading zero")
            << QByteArray(good).replace("\x22\x35\x95\x62", "\x22\x30\x35\x95\x62") << false;
        QTest::newRow("seconds without unit") << QByteArray(good).replace("\x95\x62", "") << false;
        QTest::newRow("unit cut off") << QByteArray(good).replace("\x95\x62", "\x95") << false;
    }
    void parseLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, accepted);
        QCOMPARE(HistoryLine::parse(line).has_value(), accepted);
    }

    void parseSkipsWhatIsNoRecord_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<qint64>>("skipped");
        const QByteArray a = lineOfDay(1), b = lineOfDay(2);
        QTest::newRow("empty file") << QByteArray() << 0 << QList<qint64>{};
        QTest::newRow("two lines") << a + b << 2 << QList<qint64>{};
        QTest::newRow("blank lines") << "\r\n" + a + "\r\n\r\n" + b << 2 << QList<qint64>{1, 3, 4};
        QTest::newRow("bad line between") << a + "\"x\",1\r\n" + b << 2 << QList<qint64>{2};
        QTest::newRow("torn last line") << a + b.left(30) << 1 << QList<qint64>{2};
        QTest::newRow("complete last line without CR LF")
            << a + b.chopped(2) << 2 << QList<qint64>{};
        QTest::newRow("last line ends in CR only") << a + b.chopped(1) << 2 << QList<qint64>{};
        QTest::newRow("lines ended by LF alone") << a.chopped(2) + "\n" + b.chopped(2) + "\n"
                                                 << 2 << QList<qint64>{};
        // What an editor elsewhere may write before the first line.
        const QByteArray byteOrderMark("\xEF\xBB\xBF");
        QTest::newRow("byte-order mark") << byteOrderMark + a + b << 2 << QList<qint64>{};
        QTest::newRow("byte-order mark alone") << byteOrderMark << 0 << QList<qint64>{};
        QTest::newRow("byte-order mark before a blank line")
            << byteOrderMark + "\r\n" + a << 1 << QList<qint64>{1};
        QTest::newRow("byte-order mark on a later line")
            << a + byteOrderMark + b << 1 << QList<qint64>{2};
        QTest::newRow("two byte-order marks")
            << byteOrderMark + byteOrderMark + a << 0 << QList<qint64>{1};
    }
    void parseSkipsWhatIsNoRecord()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, records);
        QFETCH(QList<qint64>, skipped);
        const HistoryContents contents = HistoryScanner::scan(content);
        QCOMPARE(int(contents.records.size()), records);
        QCOMPARE(contents.skippedLines, skipped);
    }

    // A file of nothing but line ends must not take memory for every line it leaves out.
    void skippedLinesAreCountedButFewListed()
    {
        const qint64 blank = 100000;
        const HistoryContents contents =
            HistoryScanner::scan(lineOfDay(1) + QByteArray(blank, '\n') + lineOfDay(2));
        QCOMPARE(int(contents.records.size()), 2);
        QCOMPARE(contents.skippedCount, blank);
        QCOMPARE(contents.skippedLines.size(), HistoryContents::listedSkipped);
        QCOMPARE(contents.skippedLines.front(), qint64(2));
        QCOMPARE(contents.skippedLines.back(), qint64(1 + HistoryContents::listedSkipped));
    }

    void moreThan32766LinesLoadCompletely()
    {
        QByteArray content;
        const int lines = 40000;
        for (int i = 0; i < lines; ++i)
            content += lineOfDay(i);
        QVERIFY(writeBytes(m_path, content));
        HistoryFile file(m_path, Disk::real());
        HistoryContents contents;
        QString error;
        QVERIFY(file.read(&contents, &error));
        QCOMPARE(int(contents.records.size()), lines);
        QCOMPARE(contents.records.back().date, QDate(2001, 2, (lines - 1) % 28 + 1));
    }

    void appendEndsAFragmentFirst_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray a = lineOfDay(1), line = exampleLine();
        QTest::newRow("missing file") << QByteArray("<missing>") << line;
        QTest::newRow("empty file") << QByteArray() << line;
        QTest::newRow("whole lines") << a << a + line;
        QTest::newRow("torn line") << a + a.left(20) << a + a.left(20) + "\r\n" + line;
        // Only the LF was lost: the line is completed, and its record is read again.
        QTest::newRow("torn after CR") << a.chopped(1) << a + line;
    }
    void appendEndsAFragmentFirst()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (before != "<missing>")
            QVERIFY(writeBytes(m_path, before));
        QString error;
        QVERIFY2(HistoryFile(m_path, Disk::real()).append(exampleRecord(), &error),
                 qPrintable(error));
        QCOMPARE(fileBytes(m_path), after);
    }

    void failedAppendAddsNothing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<qint64>("bytesBeforeFailure");
        const QByteArray a = lineOfDay(1);
        QTest::newRow("nothing written") << a << qint64(0);
        QTest::newRow("half a line written") << a << qint64(40);
        QTest::newRow("fragment ended, then full") << a + a.left(20) << qint64(2);
        QTest::newRow("empty file, line but its end") << QByteArray() << qint64(74);
    }
    void failedAppendAddsNothing()
    {
        QFETCH(QByteArray, before);
        QFETCH(qint64, bytesBeforeFailure);
        QVERIFY(writeBytes(m_path, before));
        FailingDisk disk;
        disk.failAt = FailingDisk::Step::Write;
        disk.bytesBeforeFailure = bytesBeforeFailure;
        HistoryFile file(m_path, disk);
        QString error;
        QVERIFY(!file.append(exampleRecord(), &error));
        QVERIFY2(error.contains(HistoryFile::fileName()), qPrintable(error));
        QCOMPARE(fileBytes(m_path), before);
    }

    void unreadableRecordIsNotWritten_data()
    {
        // Found by fuzzing the write-then-read round trip (a record without a date, written as
        // "0000/00/00"): records like these were written as lines the reader skips, so the save
        // reported success and the result vanished at the next start.
        QTest::addColumn<HistoryRecord>("record");
        HistoryRecord r = exampleRecord();
        r.date = QDate();
        QTest::newRow("no date") << r;
        r = exampleRecord();
        r.date = QDate(10000, 1, 1);
        QTest::newRow("year 10000") << r;
        r = exampleRecord();
        r.date = QDate(-5, 1, 1);
        QTest::newRow("year before 1") << r;
        r = exampleRecord();
        r.time = QTime();
        QTest::newRow("no time") << r;
        r = exampleRecord();
        r.rateTenths = 2000000000;
        QTest::newRow("rate of ten digits") << r;
    }
    void unreadableRecordIsNotWritten()
    {
        QFETCH(HistoryRecord, record);
        QCOMPARE(HistoryLine::format(record), QByteArray());
        const QByteArray before = lineOfDay(1);
        QVERIFY(writeBytes(m_path, before));
        QString error;
        QVERIFY(!HistoryFile(m_path, Disk::real()).append(record, &error));
        QVERIFY2(error.contains(HistoryFile::fileName()), qPrintable(error));
        QVERIFY2(error.contains(u"範囲"_qs), qPrintable(error));
        QCOMPARE(fileBytes(m_path), before);
    }

    // The writer keeps within what start-up reads: a line that would take the file past
    // maxFileSize is refused and nothing is written. The files are sparse: as large as they
    // say, without taking the disk.
    void appendKeepsWithinTheReadLimit_data()
    {
        QTest::addColumn<qint64>("room"); // bytes left below the limit
        QTest::addColumn<bool>("written");
        const qint64 line = exampleLine().size();
        // A sparse file ends in a zero byte, not a line end: the line comes after a CR LF.
        QTest::newRow("the line and its CR LF fit exactly") << line + 2 << true;
        QTest::newRow("one byte short") << line + 1 << false;
        QTest::newRow("at the limit") << qint64(0) << false;
    }
    void appendKeepsWithinTheReadLimit()
    {
        QFETCH(qint64, room);
        QFETCH(bool, written);
        QFile sparse(m_path);
        QVERIFY(sparse.open(QIODevice::WriteOnly) &&
                sparse.resize(HistoryFile::maxFileSize - room));
        sparse.close();
        QString error;
        QCOMPARE(HistoryFile(m_path, Disk::real()).append(exampleRecord(), &error), written);
        QCOMPARE(QFileInfo(m_path).size(), HistoryFile::maxFileSize - (written ? 0 : room));
        if (!written) {
            QVERIFY2(error.contains(u"に書き込めません"_qs), qPrintable(error));
            QVERIFY2(error.contains(u"ファイルが大きすぎます"_qs), qPrintable(error));
        }
    }

    // Whether the file is still the one this program read and wrote: another program's change
    // of any kind is seen, this program's own appends and clears are not.
    void changedSinceRead_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("nothing") << u"none"_qs << false;
        QTest::newRow("own save") << u"append"_qs << false;
        QTest::newRow("own clear") << u"clear"_qs << false;
        QTest::newRow("own save after own clear") << u"clear, append"_qs << false;
        QTest::newRow("a line added by another") << u"other append"_qs << true;
        QTest::newRow("emptied in place") << u"truncate"_qs << true;
        QTest::newRow("replaced by a file of the same size") << u"replace"_qs << true;
        QTest::newRow("deleted") << u"delete"_qs << true;
        QTest::newRow("own save after another's") << u"other append, append"_qs << true;
    }
    void changedSinceRead()
    {
        QFETCH(QString, change);
        QFETCH(bool, changed);
        const QByteArray before = lineOfDay(1) + lineOfDay(2);
        QVERIFY(writeBytes(m_path, before));
        HistoryFile file(m_path, Disk::real());
        QVERIFY(file.changedSinceRead()); // never read
        HistoryContents contents;
        QString error;
        QVERIFY2(file.read(&contents, &error), qPrintable(error));
        QVERIFY(!file.changedSinceRead());
        for (const QString &step : change.split(u", "_qs)) {
            if (step == u"append") {
                QVERIFY2(file.append(exampleRecord(), &error), qPrintable(error));
            } else if (step == u"clear") {
                QVERIFY2(file.clear(&error), qPrintable(error));
            } else if (step == u"other append") {
                QVERIFY(writeBytes(m_path, fileBytes(m_path) + lineOfDay(3)));
            } else if (step == u"truncate") {
                QVERIFY(QFile::resize(m_path, 0));
            } else if (step == u"replace") {
                const QString other = m_dir.filePath(u"other"_qs);
                QVERIFY(writeBytes(other, before));
                QVERIFY(::rename(QFile::encodeName(other).constData(),
                                 QFile::encodeName(m_path).constData()) == 0);
            } else if (step == u"delete") {
                QVERIFY(QFile::remove(m_path));
            }
        }
        QCOMPARE(file.changedSinceRead(), changed);
        // Read again, the file is known as it is now.
        if (file.read(&contents, &error) || file.missing())
            QVERIFY(!file.changedSinceRead());
    }

    void clear_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("missing") << QByteArray("<missing>");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("two lines") << lineOfDay(1) + lineOfDay(2);
    }
    void clear()
    {
        QFETCH(QByteArray, before);
        if (before != "<missing>")
            QVERIFY(writeBytes(m_path, before));
        QString error;
        QVERIFY2(HistoryFile(m_path, Disk::real()).clear(&error), qPrintable(error));
        QVERIFY(QFileInfo::exists(m_path));
        QCOMPARE(fileBytes(m_path), QByteArray());
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(tst_HistoryFile)
#include "tst_historyfile.moc"
