// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "HistoryBytes.h"
#include "SaveStream.h"
#include "TmpfsMount.h"
#include "files/Disk.h"
#include "records/core/DrillDetailText.h"
#include "records/core/DrillLog.h"
#include "records/core/DrillLogCsv.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

// The drill log on its own, in a temporary data folder: what it keeps and gives back, what it
// does with files it cannot use or write, and rows it cannot trust.

namespace {

const QString logName = DrillLog::fileName();

// The detail of the stream's n-th save (SaveStream.h) as the history's line at lineNumber.
LoggedDrill streamDrill(int n, qint64 lineNumber = -1)
{
    const QDateTime at = streamMoment(n);
    return {at.toMSecsSinceEpoch(), at.offsetFromUtc(), lineNumber < 0 ? n : lineNumber,
            HistoryLine::format(streamRecord(n)).chopped(2), streamResult(n)};
}

bool append(DrillLog &log, const LoggedDrill &drill)
{
    const QDateTime at =
        QDateTime::fromMSecsSinceEpoch(drill.savedAtUtcMs, QTimeZone(drill.utcOffsetSeconds));
    return log.append(drill.result, at, drill.historyLine, drill.lineNumber);
}

// A log of the first count drills of the stream, written and closed.
void writeLog(const QString &path, int count)
{
    DrillLog log(path);
    for (int n = 1; n <= count; ++n)
        QVERIFY(append(log, streamDrill(n)));
    QCOMPARE(log.takeNotice(), QString());
}

QList<LoggedDrill> drillsOf(const QString &path, qint64 historyLines = 1000000)
{
    DrillLog log(path);
    QString error;
    const std::optional<DrillLog::Contents> contents = log.read(historyLines, &error);
    if (!contents) {
        qWarning().noquote() << error;
        return {};
    }
    return contents->drills;
}

// Another program's connection to a database, run as SQL by the test.
class Connection
{
public:
    explicit Connection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool run(const QByteArray &sql)
    {
        char *message = nullptr;
        const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK)
            qWarning() << "sqlite:" << message << sql.left(200);
        sqlite3_free(message);
        return rc == SQLITE_OK;
    }
    // The first column of the first row of a query, as text.
    QString value(const QByteArray &sql)
    {
        sqlite3_stmt *statement = nullptr;
        QString text;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            text = QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return text;
    }

private:
    sqlite3 *m_db = nullptr;
};

ino_t inodeOf(const QString &path)
{
    struct stat status
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

QStringList namesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot |
                                               QDir::System | QDir::Hidden);
    names.removeIf([](const QString &name) { return name == u"filler"; });
    return names;
}

// The other name a file set aside was given, from the notice that tells it.
QString asideNameIn(const QString &notice)
{
    const qsizetype open = notice.indexOf(u"「詳細-退避-");
    return open < 0 ? QString() : notice.mid(open + 1, notice.indexOf(u'」', open) - open - 1);
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The ways a log file can be that the program cannot use as it stands.
enum class Spoil
{
    CutAtAPage,
    CutInAPage,
    Garbage,
    HeaderThenGarbage,
    DamagedPage,
    OtherColumns,
    NamesWithoutVersion,
};

// The ways a log can be that the program may not write to.
enum class Block
{
    ReadOnlyDisk,
    Locked,
    FullDisk,
    SizeLimit,
    FolderInItsPlace,
    NewerVersion,
};

// Rows the program never writes, put into a log by another program.
enum class Hostile
{
    TextForACount,
    DigitNine,
    HugeAnswer,
    NegativeEntryTime,
    AbsurdAnswerTime,
    LineBeyondHistory,
    MissingBox,
    MarksAgainstTheLine,
    NotAHistoryLine,
    NegativeRefills,
};

} // namespace

class tst_DrillLog : public QObject
{
    Q_OBJECT

public:
    // Before the test application and its threads exist: see TmpfsMount.
    static void initMain() { TmpfsMount::available() = TmpfsMount::enterPrivateNamespace(); }

private Q_SLOTS:
    void init()
    {
        dir.emplace();
        QVERIFY(dir->isValid());
    }
    void cleanup() { dir.reset(); }

    // Everything a save hands over comes back as it was.
    void savedDrillRoundTrips_data()
    {
        QTest::addColumn<LoggedDrill>("drill");
        QTest::newRow("three digits") << streamDrill(2);
        QTest::newRow("fifteen digits") << streamDrill(14);
        QTest::newRow("one digit") << streamDrill(15);
        QTest::newRow("no display time") << streamDrill(31);
        LoggedDrill typed = streamDrill(12);
        // Slot 1 is wrong in drill 12: its box held what a player may type or paste.
        typed.result.answers[0] = QStringLiteral("１,\"x\"\n");
        typed.result.entryMs[0] = 900;
        typed.result.refills[0] = 7;
        QTest::newRow("a box with a comma, a quote and a full-width digit") << typed;
        LoggedDrill unknown = streamDrill(9);
        unknown.result.answerMs = -1;
        unknown.result.entryMs.fill(-1);
        QTest::newRow("no times known") << unknown;
        LoggedDrill west = streamDrill(7);
        west.utcOffsetSeconds = -(9 * 3600 + 30 * 60);
        QTest::newRow("a local time behind UTC") << west;
    }
    void savedDrillRoundTrips()
    {
        QFETCH(LoggedDrill, drill);
        DrillLog log(path());
        QVERIFY(append(log, drill));
        QCOMPARE(log.takeNotice(), QString());
        QString error;
        const std::optional<DrillLog::Contents> contents = log.read(drill.lineNumber, &error);
        QVERIFY2(contents, qPrintable(error));
        QCOMPARE(contents->skipped, 0);
        QCOMPARE(contents->drills, QList<LoggedDrill>{drill});
        // And read again from the file by a program started afresh.
        QCOMPARE(drillsOf(path()), QList<LoggedDrill>{drill});
        QCOMPARE(DrillLog(path()).detailFor(drill.lineNumber, drill.historyLine), drill);
    }

    // Scoring twice and saving each time gives two history lines, each with its own detail; a
    // detail is found only for its own line number and bytes together.
    void eachLineHasItsOwnDetail()
    {
        HistoryFile history(dir->filePath(HistoryFile::fileName()), Disk::real());
        DrillLog log(path());
        const HistoryRecord record = streamRecord(3);
        for (qint64 line = 1; line <= 2; ++line) {
            QString error;
            QVERIFY2(history.append(record, &error), qPrintable(error));
            QVERIFY(log.append(streamResult(3), streamMoment(3),
                               HistoryLine::format(record).chopped(2), line));
        }
        const QByteArray bytes = HistoryLine::format(record).chopped(2);
        QCOMPARE(fileBytes(dir->filePath(HistoryFile::fileName())),
                 HistoryLine::format(record).repeated(2));
        const QList<LoggedDrill> drills = drillsOf(path(), 2);
        QCOMPARE(drills.size(), 2);
        QCOMPARE(drills.at(0), streamDrill(3, 1));
        QCOMPARE(drills.at(1), streamDrill(3, 2));
        QCOMPARE(log.detailFor(2, bytes), streamDrill(3, 2));
        // A line edited outside the program, or another line moved to the number, has none.
        QCOMPARE(log.detailFor(3, bytes), std::nullopt);
        QCOMPARE(log.detailFor(1, HistoryLine::format(streamRecord(4)).chopped(2)), std::nullopt);
        QByteArray edited = bytes;
        edited[3] = '9';
        QCOMPARE(log.detailFor(1, edited), std::nullopt);
    }

    // Answer pressed before any drill showed digits scores empty boxes against empty slots: the
    // history gets its line, the log nothing, and the player is told of no failure.
    void resultWithoutDigitsHasNoDetail()
    {
        const QStringList empty(3, QString());
        const DrillResult result = DrillResult::score(empty, empty, 3, 5);
        const HistoryRecord record = HistoryRecord::ofResult(streamMoment(1), result);
        DrillLog log(path());
        QVERIFY(!log.append(result, streamMoment(1), HistoryLine::format(record).chopped(2), 1));
        QCOMPARE(log.takeNotice(), QString());
        QCOMPARE(namesIn(dir->path()), QStringList());
    }

    void clearEmptiesTheLog()
    {
        writeLog(path(), 3);
        DrillLog log(path());
        QString error;
        QVERIFY2(log.clear(&error), qPrintable(error));
        QCOMPARE(drillsOf(path()), QList<LoggedDrill>());
        QCOMPARE(log.detailFor(1, streamDrill(1).historyLine), std::nullopt);
        // The next saved line is line 1 again, and its detail is the only one.
        QVERIFY(append(log, streamDrill(8, 1)));
        QCOMPARE(drillsOf(path()), QList<LoggedDrill>{streamDrill(8, 1)});
        QCOMPARE(log.takeNotice(), QString());
    }

    // Nothing is opened, and no file made, before the log is used; reading or clearing a log
    // that is not there yet makes none either.
    void opensOnlyWhenUsed()
    {
        {
            DrillLog log(path());
            log.openAhead();
            QString error;
            QVERIFY(log.read(10, &error));
            QVERIFY(log.clear(&error));
            QCOMPARE(log.detailFor(1, "x"), std::nullopt);
        }
        QCOMPARE(namesIn(dir->path()), QStringList());
        writeLog(path(), 2);
        DrillLog log(path());
        log.openAhead(); // checked on a thread of its own, taken by the first use
        QVERIFY(append(log, streamDrill(3)));
        QCOMPARE(drillsOf(path()).size(), 3);
    }

    // A file that is not the program's log as it stands is set aside under a name of its own,
    // byte for byte, the player told which, and a new log started.
    void unusableLogIsSetAside_data()
    {
        QTest::addColumn<Spoil>("spoil");
        QTest::addColumn<QString>("why");
        const QString damaged = QStringLiteral("壊れている");
        const QString noDatabase = QStringLiteral("データベースのファイルではない");
        const QString otherShape = QStringLiteral("詳細記録の形になっていない");
        QTest::newRow("cut short at a page") << Spoil::CutAtAPage << damaged;
        QTest::newRow("cut short in a page") << Spoil::CutInAPage << damaged;
        QTest::newRow("garbage") << Spoil::Garbage << noDatabase;
        QTest::newRow("a database header, then garbage") << Spoil::HeaderThenGarbage << damaged;
        QTest::newRow("a page overwritten") << Spoil::DamagedPage << damaged;
        QTest::newRow("tables of other columns") << Spoil::OtherColumns << otherShape;
        QTest::newRow("the log's table names, no version")
            << Spoil::NamesWithoutVersion << otherShape;
    }
    void unusableLogIsSetAside()
    {
        QFETCH(Spoil, spoil);
        QFETCH(QString, why);
        // Run once more with a renameat2() that has no no-replace flag, as on NFS: the stand-in
        // marks this file when called.
        const QString renameMark = qEnvironmentVariable("NO_RENAME_FLAG_MARK");
        if (!renameMark.isEmpty())
            QFile::remove(renameMark);
        writeLog(path(), 60);
        QByteArray bytes = fileBytes(path());
        QVERIFY(bytes.size() > 4 * 4096);
        switch (spoil) {
        case Spoil::CutAtAPage:
            bytes.truncate(2 * 4096);
            break;
        case Spoil::CutInAPage:
            bytes.truncate(2 * 4096 + 1000);
            break;
        case Spoil::Garbage:
            bytes = randomBytes(64 * 1024, 1);
            break;
        case Spoil::HeaderThenGarbage:
            bytes = bytes.left(100) + randomBytes(bytes.size() - 100, 2);
            break;
        case Spoil::DamagedPage:
            bytes.replace(2 * 4096, 4096, randomBytes(4096, 3));
            break;
        case Spoil::OtherColumns:
        case Spoil::NamesWithoutVersion: {
            QFile::remove(path());
            Connection other(path());
            QVERIFY(other.run("CREATE TABLE drill (id INTEGER PRIMARY KEY, note TEXT);"
                              "INSERT INTO drill (note) VALUES ('mine')"));
            if (spoil == Spoil::OtherColumns)
                QVERIFY(other.run("PRAGMA user_version = 1"));
            break;
        }
        }
        if (spoil != Spoil::OtherColumns && spoil != Spoil::NamesWithoutVersion)
            QVERIFY(writeFile(path(), bytes));
        bytes = fileBytes(path());

        QString notice;
        {
            DrillLog log(path());
            QVERIFY(append(log, streamDrill(61, 1)));
            notice = log.takeNotice();
            QVERIFY(append(log, streamDrill(62, 2)));
            QCOMPARE(log.takeNotice(), QString()); // told once
        }
        QVERIFY2(notice.contains(why), qPrintable(notice));
        const QString aside = asideNameIn(notice);
        QVERIFY2(aside.endsWith(u".sqlite"), qPrintable(notice));
        QVERIFY(isJapanese(notice.remove(aside).remove(logName)));
        QCOMPARE(fileBytes(dir->filePath(aside)), bytes);
        QCOMPARE(namesIn(dir->path()), QStringList({aside, logName}));
        QCOMPARE(drillsOf(path()), QList<LoggedDrill>({streamDrill(61, 1), streamDrill(62, 2)}));
        QVERIFY2(renameMark.isEmpty() || QFile::exists(renameMark), "renameat2 not replaced");
    }

    // A log of an older version (a database without the log's tables yet: a new empty file, or
    // one holding tables of the player's own) is upgraded in place, keeping what it held.
    void olderLogIsUpgradedInPlace_data()
    {
        QTest::addColumn<bool>("playersTable");
        QTest::newRow("an empty file") << false;
        QTest::newRow("a database of the player's") << true;
    }
    void olderLogIsUpgradedInPlace()
    {
        QFETCH(bool, playersTable);
        if (playersTable) {
            Connection other(path());
            QVERIFY(other.run("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')"));
        } else {
            QVERIFY(writeFile(path(), {}));
        }
        const ino_t inode = inodeOf(path());
        {
            DrillLog log(path());
            QVERIFY(append(log, streamDrill(4)));
            QCOMPARE(log.takeNotice(), QString());
        }
        QCOMPARE(inodeOf(path()), inode);
        QCOMPARE(namesIn(dir->path()), QStringList{logName});
        QCOMPARE(drillsOf(path()), QList<LoggedDrill>{streamDrill(4)});
        Connection other(path());
        QCOMPARE(other.value("PRAGMA user_version"), QString::number(DrillLog::schemaVersion));
        QCOMPARE(other.value("PRAGMA journal_mode"), QStringLiteral("wal"));
        if (playersTable)
            QCOMPARE(other.value("SELECT text FROM notes"), QStringLiteral("mine"));
    }

    // A log that cannot be written: the save is told why once, not on every drill, what was
    // there stays, and once the fault is gone the next save writes again.
    void logThatCannotBeWritten_data()
    {
        QTest::addColumn<Block>("block");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only disk")
            << Block::ReadOnlyDisk << QStringLiteral("読み取り専用のディスクです。");
        QTest::newRow("another program writing")
            << Block::Locked << QStringLiteral("ほかのプログラムがこのファイルを使っています。");
        QTest::newRow("full disk") << Block::FullDisk << QStringLiteral("ディスクがいっぱいです。");
        QTest::newRow("file-size limit")
            << Block::SizeLimit << QStringLiteral("ファイルが大きすぎます。");
        QTest::newRow("a folder in its place")
            << Block::FolderInItsPlace << QStringLiteral("同じ名前のフォルダがあります。");
        QTest::newRow("a newer version's log")
            << Block::NewerVersion << QStringLiteral("新しい版のケタモリ！で作られています");
    }
    void logThatCannotBeWritten()
    {
        QFETCH(Block, block);
        QFETCH(QString, reason);
        const bool onTmpfs = block == Block::ReadOnlyDisk || block == Block::FullDisk;
        std::optional<TmpfsMount> mount;
        if (onTmpfs) {
            QVERIFY2(TmpfsMount::available(), "mounting a tmpfs needs root");
            mount.emplace(dir->path(), "size=1m");
            QVERIFY2(mount->mounted(), qPrintable(mount->error()));
        }
        // A disk that fills up or a limit reached finds the log open from earlier saves; the
        // other faults are there when the log is first opened.
        const bool openBefore =
            block == Block::Locked || block == Block::FullDisk || block == Block::SizeLimit;
        std::optional<DrillLog> log;
        if (openBefore) {
            log.emplace(path());
            for (int n = 1; n <= 3; ++n)
                QVERIFY(append(*log, streamDrill(n)));
        } else if (block == Block::FolderInItsPlace) {
            QVERIFY(QDir(dir->path()).mkdir(logName));
        } else {
            writeLog(path(), 3);
        }
        std::optional<Connection> other;
        std::optional<FileSizeLimit> limit;
        switch (block) {
        case Block::ReadOnlyDisk:
            QVERIFY(mount->remountReadOnly());
            break;
        case Block::Locked:
            other.emplace(path());
            QVERIFY(other->run("BEGIN IMMEDIATE; DELETE FROM entry WHERE drill_id = 1"));
            break;
        case Block::FullDisk:
            QVERIFY(mount->fillBlocks());
            break;
        case Block::SizeLimit:
            limit.emplace(rlim_t(
                qMax(QFileInfo(path()).size(), QFileInfo(path() + QStringLiteral("-wal")).size())));
            QVERIFY(limit->set());
            break;
        case Block::FolderInItsPlace:
            break;
        case Block::NewerVersion:
            QVERIFY(Connection(path()).run("PRAGMA user_version = 2"));
            break;
        }
        const QByteArray before = fileBytes(path());
        if (!log)
            log.emplace(path());

        QVERIFY(!append(*log, streamDrill(4)));
        const QString notice = log->takeNotice();
        QVERIFY2(notice.contains(reason), qPrintable(notice));
        QVERIFY2(isJapanese(QString(notice).remove(logName)), qPrintable(notice));
        QVERIFY(!append(*log, streamDrill(5)));
        QCOMPARE(log->takeNotice(), QString()); // told once, not on every drill
        if (block != Block::FolderInItsPlace) {
            QString error;
            const std::optional<DrillLog::Contents> contents = log->read(5, &error);
            QVERIFY2(contents, qPrintable(error));
            QCOMPARE(contents->drills.size(), 3);
        }

        // The fault goes, and the next save writes again.
        switch (block) {
        case Block::ReadOnlyDisk:
            QVERIFY(mount->remountWritable());
            break;
        case Block::Locked:
            QVERIFY(other->run("ROLLBACK"));
            break;
        case Block::FullDisk:
            QVERIFY(QFile::remove(dir->filePath(QStringLiteral("filler"))));
            break;
        case Block::SizeLimit:
            limit.reset();
            break;
        case Block::FolderInItsPlace:
            QVERIFY(QDir(dir->path()).rmdir(logName));
            break;
        case Block::NewerVersion: {
            // Never written, not even emptied: the file stays as the newer program left it.
            QVERIFY(!append(*log, streamDrill(6)));
            QCOMPARE(log->takeNotice(), QString());
            QString error;
            QVERIFY(!log->clear(&error));
            QVERIFY2(error.contains(u"新しい版"), qPrintable(error));
            log.reset();
            QCOMPARE(fileBytes(path()), before);
            return;
        }
        }
        QVERIFY(append(*log, streamDrill(6)));
        QCOMPARE(log->takeNotice(), QString());
        log.reset();
        QCOMPARE(drillsOf(path()).size(), block == Block::FolderInItsPlace ? 1 : 4);
    }

    // Rows that do not make sense are left out and counted, and never shown as a line's detail.
    void hostileRowsAreSkipped_data()
    {
        QTest::addColumn<Hostile>("hostile");
        QTest::newRow("text for a count") << Hostile::TextForACount;
        QTest::newRow("the digit 9 shown") << Hostile::DigitNine;
        QTest::newRow("a 10 MB answer") << Hostile::HugeAnswer;
        QTest::newRow("a negative entry time") << Hostile::NegativeEntryTime;
        QTest::newRow("an answer a year after the boxes opened") << Hostile::AbsurdAnswerTime;
        QTest::newRow("a line number beyond the history") << Hostile::LineBeyondHistory;
        QTest::newRow("a box missing") << Hostile::MissingBox;
        QTest::newRow("marks other than the line's") << Hostile::MarksAgainstTheLine;
        QTest::newRow("no history line") << Hostile::NotAHistoryLine;
        QTest::newRow("refilled a negative number of times") << Hostile::NegativeRefills;
    }
    void hostileRowsAreSkipped()
    {
        QFETCH(Hostile, hostile);
        writeLog(path(), 3);
        const LoggedDrill victim = streamDrill(2);
        {
            Connection other(path());
            QByteArray sql;
            switch (hostile) {
            case Hostile::TextForACount:
                sql = "UPDATE drill SET digit_count = 'three' WHERE id = 2";
                break;
            case Hostile::DigitNine:
                sql = "UPDATE drill SET shown = '9' || substr(shown, 2) WHERE id = 2";
                break;
            case Hostile::HugeAnswer:
                sql = "UPDATE entry SET answer = printf('%.*c', 10000000, '1')"
                      " WHERE drill_id = 2 AND slot = 1";
                break;
            case Hostile::NegativeEntryTime:
                sql = "UPDATE entry SET entry_ms = -5 WHERE drill_id = 2 AND slot = 1";
                break;
            case Hostile::AbsurdAnswerTime:
                sql = "UPDATE drill SET answer_ms = 365 * 24 * 3600 * 1000 WHERE id = 2";
                break;
            case Hostile::LineBeyondHistory:
                sql = "UPDATE drill SET line_number = 4 WHERE id = 2";
                break;
            case Hostile::MissingBox:
                sql = "DELETE FROM entry WHERE drill_id = 2 AND slot = 2";
                break;
            case Hostile::MarksAgainstTheLine:
                // Slot 1 turned round, and the counts with it: the detail agrees with itself
                // but no longer with its line.
                sql = "UPDATE entry SET correct = 1 - correct WHERE drill_id = 2 AND slot = 1;"
                      "UPDATE drill SET"
                      " right_count = right_count - 1 + 2 * (SELECT correct FROM entry"
                      "  WHERE drill_id = 2 AND slot = 1),"
                      " wrong_count = wrong_count + 1 - 2 * (SELECT correct FROM entry"
                      "  WHERE drill_id = 2 AND slot = 1) WHERE id = 2";
                break;
            case Hostile::NotAHistoryLine:
                sql = "UPDATE drill SET history_line = X'2C2C2C' WHERE id = 2";
                break;
            case Hostile::NegativeRefills:
                sql = "UPDATE entry SET refills = -1 WHERE drill_id = 2 AND slot = 1";
                break;
            }
            QVERIFY(other.run(sql));
        }
        DrillLog log(path());
        QString error;
        // A history of 3 lines: the drill moved to line 4 is beyond it.
        const std::optional<DrillLog::Contents> contents = log.read(3, &error);
        QVERIFY2(contents, qPrintable(error));
        QCOMPARE(contents->skipped, 1);
        QCOMPARE(contents->drills, QList<LoggedDrill>({streamDrill(1), streamDrill(3)}));
        QCOMPARE(log.detailFor(victim.lineNumber, victim.historyLine), std::nullopt);
        QCOMPARE(log.detailFor(1, streamDrill(1).historyLine), streamDrill(1));
        QCOMPARE(log.takeNotice(), QString());
    }

    // Saves with their details in a real process, killed with SIGKILL twenty times at moments
    // of every kind: the history keeps every whole line, each detail is whole or absent and
    // belongs to its line, and SQLite finds the database sound.
    void killedInAStreamOfSaves()
    {
        const QString sqlite3 = QStringLiteral(SQLITE3_COMMAND);
        QVERIFY2(QFileInfo(sqlite3).isExecutable(),
                 "the sqlite3 command (package sqlite3) is missing");
        QRandomGenerator random(30);
        const QString historyPath = dir->filePath(HistoryFile::fileName());
        QVERIFY(writeFile(historyPath, {}));
        qint64 lines = 0;
        qsizetype missingDetails = 0;
        for (int kill = 0; kill < 20; ++kill) {
            QProcess saver;
            saver.setProgram(QStringLiteral(SAVE_STREAM));
            saver.setArguments({dir->path(), QStringLiteral("0"), QStringLiteral("log")});
            saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            saver.start();
            QVERIFY(saver.waitForStarted());
            // Killed after a few saves, at a moment anywhere within a save.
            const int after = int(random.bounded(1, 12));
            int saved = 0;
            QElapsedTimer waited;
            waited.start();
            while (saved < after && waited.elapsed() < 20000) {
                if (!saver.canReadLine() && !saver.waitForReadyRead(1000))
                    QVERIFY2(saver.state() == QProcess::Running, "the saver stopped by itself");
                while (saver.canReadLine())
                    saved += saver.readLine().startsWith("saved ");
            }
            QVERIFY(saved >= after);
            usleep(useconds_t(random.bounded(3000)));
            saver.kill(); // SIGKILL
            QVERIFY(saver.waitForFinished());
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            // Whole lines only (a line is one write), the stream's own, in order.
            const QByteArray history = fileBytes(historyPath);
            QList<QByteArray> got = history.split('\n');
            QCOMPARE(got.takeLast(), QByteArray());
            QVERIFY(got.size() >= lines + saved);
            lines = got.size();
            for (qint64 n = 1; n <= lines; ++n)
                QCOMPARE(got.at(n - 1) + '\n', HistoryLine::format(streamRecord(int(n))));

            // Every detail whole and its line's own; a line may lack one only where a kill
            // came between the line and its detail, at most once a kill.
            QProcess check;
            check.start(sqlite3, {path(), QStringLiteral("PRAGMA integrity_check")});
            QVERIFY(check.waitForFinished());
            QCOMPARE(check.readAllStandardOutput(), QByteArray("ok\n"));
            DrillLog log(path());
            QString error;
            const std::optional<DrillLog::Contents> contents = log.read(lines, &error);
            QVERIFY2(contents, qPrintable(error));
            QCOMPARE(contents->skipped, 0);
            QList<bool> detailed(lines + 1, false);
            for (const LoggedDrill &drill : contents->drills) {
                QVERIFY(!detailed.at(drill.lineNumber));
                detailed[drill.lineNumber] = true;
                QCOMPARE(drill, streamDrill(int(drill.lineNumber)));
            }
            const qsizetype missing = lines - contents->drills.size();
            QVERIFY2(missing <= kill + 1,
                     qPrintable(u"%1 lines without a detail after %2 kills"_qs.arg(missing).arg(
                         kill + 1)));
            for (qint64 line = 1; line <= lines; ++line) {
                if (!detailed.at(line))
                    QCOMPARE(log.detailFor(line, got.at(line - 1).chopped(1)), std::nullopt);
            }
            missingDetails = missing;
            Connection sql(path());
            QCOMPARE(sql.value("SELECT count(*) FROM entry"),
                     sql.value("SELECT sum(digit_count) FROM drill"));
        }
        qDebug("%lld lines, %lld without a detail", lines, missingDetails);
    }

    // A history row's detail as the player reads it.
    void detailText_data()
    {
        QTest::addColumn<LoggedDrill>("drill");
        QTest::addColumn<QString>("text");
        LoggedDrill drill = streamDrill(5); // 6 digits, slots 1 and 3 right
        QTest::newRow("an empty box, a refill")
            << drill
            << u"表示された数字：5 6 7 8 0 1\n入力した数字：5 － 7 0 － 2\n"
               "入力の時刻（回答欄が開いてから）：0.7秒、－、1.6秒、2.1秒、－、3.0秒\n"
               "回答ボタン：3.9秒\n入れ直し：4番目の欄で1回"_qs;
        drill.result.entryMs.fill(-1);
        drill.result.answerMs = -1;
        drill.result.refills.fill(0);
        QTest::newRow("no times known") << drill
                                        << u"表示された数字：5 6 7 8 0 1\n"
                                           "入力した数字：5 － 7 0 － 2"_qs;
    }
    void detailText()
    {
        QFETCH(LoggedDrill, drill);
        QFETCH(QString, text);
        QCOMPARE(drillDetailText(drill), text);
    }

    void csvOfTheLog()
    {
        LoggedDrill typed = streamDrill(12);
        typed.result.answers[0] = QStringLiteral("1,\"");
        typed.result.entryMs[1] = -1;
        const QList<QByteArray> lines = DrillLogCsv::bytes({streamDrill(5), typed}).split('\n');
        QCOMPARE(lines.size(), 4); // the header, two drills, nothing after the last CR LF
        QVERIFY(lines.at(0).startsWith("\xEF\xBB\xBFline_number,saved_at_utc_ms,utc_offset_s,"
                                       "saved_at_local,digit_count,display_seconds,right_count,"
                                       "wrong_count,answer_ms,shown_1,answer_1,correct_1,"
                                       "entry_ms_1,refills_1,shown_2,"));
        QVERIFY(lines.at(0).endsWith(",refills_15\r"));
        QCOMPARE(lines.at(0).count(','), 9 + 5 * 15 - 1);
        const LoggedDrill five = streamDrill(5);
        const QDateTime local =
            QDateTime::fromMSecsSinceEpoch(five.savedAtUtcMs, QTimeZone(five.utcOffsetSeconds));
        QByteArray expected = QByteArray::number(five.lineNumber) + ',' +
                              QByteArray::number(five.savedAtUtcMs) + ',' +
                              QByteArray::number(five.utcOffsetSeconds) + ',' +
                              local.toString(u"yyyy/MM/dd HH:mm:ss.zzz"_qs).toUtf8() + ",6,5,";
        QVERIFY2(lines.at(1).startsWith(expected), lines.at(1).constData());
        QCOMPARE(lines.at(1).count(','), 9 + 5 * 15 - 1);
        QVERIFY2(lines.at(2).contains(",\"1,\"\"\","), lines.at(2).constData());
        QVERIFY(lines.at(2).endsWith(",,,,,\r"));
    }

private:
    QString path() const { return dir->filePath(logName); }

    // A message for the player is Japanese: no word of the system's English shows through.
    static bool isJapanese(const QString &text)
    {
        return !text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
    }

    std::optional<QTemporaryDir> dir; // a new data folder for each test
};

QTEST_GUILESS_MAIN(tst_DrillLog)
#include "tst_drilllog.moc"
