// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryBytes.h"
#include "records/core/Cp932.h"
#include "files/Disk.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryRecords.h"
#include "records/core/HistoryScanner.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Mark = HistoryRecord::Mark;
using Checks = HistoryScanner::Checks;

HistoryRecord recordOf(QDate date, QTime time, int16_t ok, int16_t ng, int32_t rate,
                       int16_t seconds)
{
    HistoryRecord record;
    record.date = date;
    record.time = time;
    for (int i = 0; i < HistoryRecord::slotCount; ++i)
        record.marks[size_t(i)] = static_cast<Mark>(i % 3);
    record.ok = ok;
    record.ng = ng;
    record.rateTenths = rate;
    record.seconds = seconds;
    return record;
}

const QDate someDay(2001, 2, 3);
const QTime someTime(4, 5, 6);

// o right, x wrong, - unused, anything else the full-width space, which is no mark.
QByteArray marksBytes(const char *marks)
{
    QByteArray bytes;
    for (const char *m = marks; *m; ++m) {
        const QByteArrayView code = *m == 'o'   ? Cp932::right
                                    : *m == 'x' ? Cp932::wrong
                                    : *m == '-' ? Cp932::unused
                                                : QByteArrayView("\x81\x40", 2);
        bytes += code.toByteArray();
    }
    return bytes;
}

// A history line of the given field texts; the seconds get their unit.
QByteArray lineOf(const char *date, const char *time, const char *ok, const char *ng,
                  const char *rate, const char *seconds, const char *ending = "\r\n",
                  const char *marks = "oox------------")
{
    return '"' + QByteArray(date) + "\",\"" + time + "\",\"" + marksBytes(marks) + "\"," + ok +
           ',' + ng + ",\"" + rate + "\",\"" + seconds + Cp932::secondsUnit.toByteArray() + '"' +
           ending;
}

// The file's lines, as the reader takes them, and what is left out.
void compareContents(const HistoryContents &actual, const HistoryContents &expected)
{
    QCOMPARE(actual.records.size(), expected.records.size());
    for (std::size_t i = 0; i < expected.records.size(); ++i)
        QCOMPARE(actual.records.at(i), expected.records.at(i));
    QCOMPARE(actual.skippedLines, expected.skippedLines);
    QCOMPARE(actual.skippedCount, expected.skippedCount);
}

// The process's peak resident memory, in kB (VmHWM); -1 if unknown.
long peakKb()
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Files of 8 MiB on are read in two halves in these tests, so that a few megabytes show it.
constexpr qint64 halvesInTests = qint64(8) << 20;

} // namespace

Q_DECLARE_METATYPE(HistoryRecord)

class tst_HistoryRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A history of 300 MB of binary zeros (a sparse file) is one line that is no record: it is
    // skipped in a memory of its own of a few blocks, not of the file's size. First, while the
    // process is still small; its peak is reset before the reading.
    void endlessLineReadInLittleMemory()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::fileName());
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.resize(qint64(300) * 1024 * 1024));
        out.close();
        QVERIFY(QFile::exists(u"/proc/self/clear_refs"_qs));
        QFile clearRefs(u"/proc/self/clear_refs"_qs);
        QVERIFY(clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1);
        clearRefs.close();
        const long before = peakKb();
        QVERIFY(before > 0);

        HistoryFile file(path, Disk::real());
        HistoryContents contents;
        QString error;
        QVERIFY2(file.read(&contents, &error), qPrintable(error));
        QCOMPARE(contents.records.size(), std::size_t(0));
        QCOMPARE(contents.skippedLines, QList<qint64>{1});
        QCOMPARE(contents.skippedCount, qint64(1));
        const long grown = peakKb() - before;
        QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("peak grew by %1 kB").arg(grown)));
    }

    // Every record comes back exactly as it went in, whether it packs or is kept whole.
    void keepsEveryRecord_data()
    {
        QTest::addColumn<HistoryRecord>("record");
        QTest::newRow("usual") << recordOf(someDay, someTime, 2, 1, 667, 5);
        QTest::newRow("first day, midnight")
            << recordOf(QDate(1, 1, 1), QTime(0, 0, 0), 0, 0, 0, 0);
        QTest::newRow("last day, last second")
            << recordOf(QDate(9999, 12, 31), QTime(23, 59, 59), 15, 15, 1000, 31);
        QTest::newRow("leap day") << recordOf(QDate(2000, 2, 29), someTime, 15, 0, 1000, 30);
        QTest::newRow("16 right") << recordOf(someDay, someTime, 16, 0, 1000, 5);
        QTest::newRow("16 wrong") << recordOf(someDay, someTime, 0, 16, 0, 5);
        QTest::newRow("negative count") << recordOf(someDay, someTime, -1, 2, 667, 5);
        QTest::newRow("rate above 100 %") << recordOf(someDay, someTime, 2, 1, 1001, 5);
        QTest::newRow("negative rate") << recordOf(someDay, someTime, 2, 1, -5, 5);
        QTest::newRow("largest rate") << recordOf(someDay, someTime, 2, 1, 999999999, 5);
        QTest::newRow("32 seconds") << recordOf(someDay, someTime, 2, 1, 667, 32);
        QTest::newRow("negative seconds") << recordOf(someDay, someTime, 2, 1, 667, -3);
        QTest::newRow("no date") << recordOf(QDate(), someTime, 2, 1, 667, 5);
        QTest::newRow("no time") << recordOf(someDay, QTime(), 2, 1, 667, 5);
        QTest::newRow("milliseconds") << recordOf(someDay, QTime(4, 5, 6, 7), 2, 1, 667, 5);
        QTest::newRow("year before 1") << recordOf(QDate(-5, 1, 1), someTime, 2, 1, 667, 5);
        HistoryRecord unknownMark = recordOf(someDay, someTime, 2, 1, 667, 5);
        unknownMark.marks[14] = static_cast<Mark>(3);
        QTest::newRow("a mark of no kind") << unknownMark;
    }
    void keepsEveryRecord()
    {
        QFETCH(HistoryRecord, record);
        const HistoryRecord neighbour = recordOf(QDate(2020, 6, 7), QTime(8, 9, 10), 3, 4, 429, 7);
        HistoryRecords records;
        records.push_back(neighbour);
        records.push_back(record);
        records.push_back(neighbour);
        QCOMPARE(records.size(), std::size_t(3));
        QCOMPARE(records.at(1), record);
        QCOMPARE(records.at(0), neighbour);
        QCOMPARE(records.back(), neighbour);
        std::vector<HistoryRecord> walked;
        for (const HistoryRecord &r : records)
            walked.push_back(r);
        QCOMPARE(walked, (std::vector<HistoryRecord>{neighbour, record, neighbour}));
    }

    // The whole-file reader reads the usual line in place; in the middle of a long file it must
    // take and refuse exactly the lines the line reader does, and read them the same.
    void fileAgreesWithLineReader_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char *name, const QByteArray &line, bool taken) {
            QTest::newRow(name) << line << taken;
        };
        row("usual", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5"), true);
        row("LF only", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5", "\n"), true);
        row("two CRs", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5", "\r\r\n"), false);
        row("CR only", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5", "\r"), false);
        row("largest usual",
            lineOf("9999/12/31", "23:59:59", "15", "15", "100.0%", "30", "\r\n", "ooooooooooooooo"),
            true);
        row("counts with a leading zero",
            lineOf("2001/02/03", "04:05:06", "02", "01", "66.7%", "5"), true);
        row("three-digit count", lineOf("2001/02/03", "04:05:06", "100", "1", "66.7%", "5"), true);
        const QByteArray longest =
            lineOf("2001/02/03", "04:05:06", "-00000002", "000000001", "-99999999.9%", "-32768");
        QCOMPARE(longest.size() - 2, HistoryLine::longestReadable);
        row("each field at its longest", longest, true);
        row("count longer than that",
            lineOf("2001/02/03", "04:05:06", "0000000002", "1", "66.7%", "5"), false);
        row("negative count", lineOf("2001/02/03", "04:05:06", "-2", "1", "66.7%", "5"), true);
        row("empty count", lineOf("2001/02/03", "04:05:06", "", "1", "66.7%", "5"), false);
        row("rate 0.0%", lineOf("2001/02/03", "04:05:06", "0", "3", "0.0%", "5"), true);
        row("rate with a leading zero", lineOf("2001/02/03", "04:05:06", "0", "3", "00.0%", "5"),
            false);
        row("rate beyond 100 %", lineOf("2001/02/03", "04:05:06", "2", "1", "1000.0%", "5"), true);
        row("rate without its tenth", lineOf("2001/02/03", "04:05:06", "2", "1", "66%", "5"),
            false);
        row("0 seconds", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "0"), true);
        row("seconds with a leading zero",
            lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "05"), false);
        row("100 seconds", lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "100"), true);
        row("leap day", lineOf("2000/02/29", "04:05:06", "2", "1", "66.7%", "5"), true);
        row("no leap day in 1900", lineOf("1900/02/29", "04:05:06", "2", "1", "66.7%", "5"), false);
        row("29 February 2001", lineOf("2001/02/29", "04:05:06", "2", "1", "66.7%", "5"), false);
        row("31 April", lineOf("2001/04/31", "04:05:06", "2", "1", "66.7%", "5"), false);
        row("month 13", lineOf("2001/13/01", "04:05:06", "2", "1", "66.7%", "5"), false);
        row("year 0", lineOf("0000/01/01", "04:05:06", "2", "1", "66.7%", "5"), false);
        row("short date", lineOf("2001/2/3", "04:05:06", "2", "1", "66.7%", "5"), true);
        row("24 o'clock", lineOf("2001/02/03", "24:00:00", "2", "1", "66.7%", "5"), false);
        row("second 60", lineOf("2001/02/03", "23:59:60", "2", "1", "66.7%", "5"), false);
        row("a mark of no kind",
            lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5", "\r\n", "oox-----------?"),
            false);
        QByteArray unquoted = lineOf("2001/02/03", "04:05:06", "2", "1", "66.7%", "5");
        unquoted[0] = ' ';
        row("no opening quote", unquoted, false);
        row("blank", "\r\n", false);
    }
    void fileAgreesWithLineReader()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, taken);
        // A line with its line end, as the file splits it: up to LF, less one CR.
        std::optional<HistoryRecord> alone;
        if (line.endsWith('\n')) {
            QByteArray body = line.chopped(1);
            if (body.endsWith('\r'))
                body.chop(1);
            alone = HistoryLine::parse(body);
            QCOMPARE(bool(alone), taken);
        }

        // Long lines around it, so that the line is read where the file has plenty after it.
        const QByteArray file = exampleLine() + line + exampleLine() + exampleLine();
        for (const auto checks : {Checks::Fastest, Checks::Portable}) {
            const HistoryContents contents = HistoryScanner::scan(file, checks);
            if (taken) {
                QCOMPARE(contents.records.size(), std::size_t(4));
                QCOMPARE(contents.records.at(1), *alone);
                QCOMPARE(contents.skippedCount, qint64(0));
            } else {
                // Without its LF the line runs on into the next one, and both are one line.
                QCOMPARE(contents.records.size(), std::size_t(line.endsWith('\n') ? 3 : 2));
                QCOMPARE(contents.skippedLines, QList<qint64>{2});
            }
            QCOMPARE(contents.records.at(0), *HistoryLine::parse(exampleLine().chopped(2)));
        }
    }

    // Every byte of the part a written line starts with is looked at, by both ways of checking
    // it: a line with any one of them changed is read as the line reader reads it.
    void everyFixedByteIsChecked_data()
    {
        QTest::addColumn<char>("replacement");
        QTest::newRow("letter") << 'x';
        QTest::newRow("digit") << '7';
        QTest::newRow("quote") << '"';
        QTest::newRow("mark lead byte") << HistoryLine::markLead;
        QTest::newRow("byte above 0x80") << char(0xA0);
    }
    void everyFixedByteIsChecked()
    {
        QFETCH(char, replacement);
        for (qsizetype at = 0; at < HistoryLine::fixedSize; ++at) {
            QByteArray line = exampleLine();
            line[at] = replacement;
            const std::optional<HistoryRecord> alone = HistoryLine::parse(line.chopped(2));
            const QByteArray file = line + exampleLine();
            for (const auto checks : {Checks::Fastest, Checks::Portable}) {
                const HistoryContents contents = HistoryScanner::scan(file, checks);
                QVERIFY2(contents.records.size() == (alone ? 2u : 1u),
                         qPrintable(QStringLiteral("byte %1").arg(at)));
                if (alone)
                    QCOMPARE(contents.records.at(0), *alone);
            }
        }
    }

    // Fed a block at a time, as the file is read, the scanner never keeps back more than a line
    // that can still be a record: a longer one is skipped as soon as it is too long, and the
    // rest of it as it comes. What it reads is what it reads from the whole content at once.
    void holdsNoMoreThanALine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("skipped");
        const QByteArray some = lineOfDay(1) + lineOfDay(2) + lineOfDay(3);
        const QByteArray zeros(3 * 1024 * 1024, '\0');
        QTest::newRow("binary zeros") << zeros << qint64(1);
        QTest::newRow("records, then zeros to the end") << some + zeros << qint64(1);
        QTest::newRow("zeros ended by a line end, then records")
            << zeros + "\r\n" + some << qint64(1);
        QTest::newRow("long lines between records")
            << some + QByteArray(300 * 1024, 'x') + '\n' + some + QByteArray(200, '"') + "\r\n" +
                   some
            << qint64(2);
        const QByteArray longest =
            lineOf("2001/02/03", "04:05:06", "-00000002", "000000001", "-99999999.9%", "-32768");
        QTest::newRow("a record at its longest, last without its line end")
            << some + longest + longest.chopped(2) << qint64(0);
        QTest::newRow("a count one byte too long")
            << some +
                   lineOf("2001/02/03", "04:05:06", "-000000002", "000000001", "-99999999.9%",
                          "-32768") +
                   some
            << qint64(1);
    }
    void holdsNoMoreThanALine()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, skipped);
        const HistoryContents whole = HistoryScanner::scan(content);
        QCOMPARE(whole.skippedCount, skipped);
        for (const qsizetype block : {qsizetype(1), qsizetype(97), qsizetype(256 * 1024)}) {
            if (block == 1 && content.size() > 100000)
                continue; // a byte at a time only where that is quick
            HistoryContents contents;
            HistoryScanner scanner(contents, true);
            QByteArray held;
            qsizetype mostHeld = 0;
            for (qsizetype at = 0;; at += block) {
                const bool atEnd = at >= content.size();
                held +=
                    content.sliced(std::min(at, content.size()),
                                   std::min(block, std::max<qsizetype>(content.size() - at, 0)));
                held.remove(0, scanner.take(held, atEnd));
                if (atEnd)
                    break;
                mostHeld = std::max(mostHeld, held.size());
            }
            QVERIFY2(mostHeld <= HistoryLine::longestReadable + 1,
                     qPrintable(QStringLiteral("%1 bytes held").arg(mostHeld)));
            compareContents(contents, whole);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The file is read a block at a time: lines cut by a block's end, a line longer than a
    // block and a last line without its end read as they do from the whole content at once,
    // whether read at once or ahead on a thread of its own, whole or in two halves.
    void readsByBlocksAsWhole_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray many;
        for (int i = 0; i < 12000; ++i) // some 900 KB: several blocks
            many += i % 7 == 0 ? lineOfDay(i).replace("66.7%", "100.0%") : lineOfDay(i);
        QTest::newRow("many lines") << many;
        QTest::newRow("cut-off last line") << many + exampleLine().chopped(3);
        QByteArray shifted = many;
        for (qsizetype at = 100000; at < shifted.size(); at += 100000)
            shifted.insert(at, "\r\n"); // blank lines and broken ones, anywhere
        QTest::newRow("lines broken anywhere") << shifted;
        const QByteArray longLine(700 * 1024, 'x');
        QTest::newRow("a line longer than a block")
            << many.first(80000) + longLine + "\r\n" + many.first(80000);
        QTest::newRow("nothing but a long fragment") << longLine;
        // Long enough to be read in two halves at once when they start at halvesInTests.
        QByteArray big;
        for (int i = 0; i < 120000; ++i)
            big += lineOfDay(i);
        QTest::newRow("two halves") << big;
        const auto brokenEvery = [&big](qsizetype step) {
            QByteArray broken = big;
            for (qsizetype at = step; at < broken.size(); at += step)
                broken.insert(at, "\r\n");
            return broken;
        };
        QTest::newRow("two halves, lines left out in both") << brokenEvery(200000);
        QTest::newRow("two halves, more left out than listed") << brokenEvery(30000);
        QTest::newRow("two halves, a long line in the middle") << big.first(big.size() / 2 - 100) +
                                                                      QByteArray(100 * 1024, 'x') +
                                                                      big.sliced(big.size() / 2);
        QTest::newRow("two halves, cut-off last line") << big + "\"2001/02/03\",";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("byte-order mark, two halves") << "\xEF\xBB\xBF" + big;
    }
    void readsByBlocksAsWhole()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::fileName());
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
        out.close();
        const HistoryContents whole = HistoryScanner::scan(content);

        for (const qint64 halvesFrom : {HistoryFile::halvesFrom, halvesInTests}) {
            for (const bool ahead : {false, true}) {
                HistoryFile file(path, Disk::real(), halvesFrom);
                if (ahead)
                    file.readAhead();
                HistoryContents contents;
                QString error;
                QVERIFY2(file.read(&contents, &error), qPrintable(error));
                compareContents(contents, whole);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // A reading ahead is taken once; the next read looks at the file again.
    void readAheadIsTakenOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::fileName());
        HistoryFile file(path, Disk::real());
        file.readAhead();
        HistoryContents contents;
        QString error;
        QVERIFY(!file.read(&contents, &error));
        QVERIFY(error.contains(QStringLiteral("見つかりません")));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(exampleLine()) > 0);
        out.close();
        QVERIFY2(file.read(&contents, &error), qPrintable(error));
        QCOMPARE(contents.records.size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(tst_HistoryRecords)
#include "tst_historyrecords.moc"
