// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/DrillLog.h"

#include "files/DataFile.h"
#include "files/Disk.h"
#include "records/core/DrillLogRows.h"
#include "records/core/DrillLogSchema.h"
#include "records/core/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Every connection: extended result codes, and no mutex of its own: a connection is used by one
// thread at a time (the one that opens it ahead hands it over whole).
constexpr int openFlags = SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX;

bool isDamage(int rc)
{
    return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
}

// Whether the process's file-size limit (ulimit -f) is what stopped a write.
bool atSizeLimit(const QString &path)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return false;
    const qint64 margin = 64 * 1024; // a page of the database, and a frame of its journal
    for (const QString &file : {path, path + QStringLiteral("-wal")}) {
        if (QFileInfo(file).size() + margin >= qint64(limit.rlim_cur))
            return true;
    }
    return false;
}

// Why a log could not be opened. When it could not be made, SQLite keeps the error of its last
// try, to open it for reading, which finds no file: the folder is asked itself, by making (and
// at once removing) the file SQLite could not make.
int cannotMake(const QString &path, int systemError)
{
    if (systemError != ENOENT || QFileInfo::exists(path) || !QFileInfo(path).dir().exists())
        return systemError != 0 ? systemError : EIO;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(name.constData());
    return EIO;
}

// Why an SQLite call failed, in Japanese, as the program's other files say it.
QString reasonOf(sqlite3 *db, int rc, const QString &path)
{
    const int systemError = db ? sqlite3_system_errno(db) : 0;
    // SQLite reports a write cut short by the limit as a full disk, and one refused outright
    // as a failed write without always keeping its error number.
    if (((rc & 0xff) == SQLITE_FULL || (rc & 0xff) == SQLITE_IOERR) &&
        (systemError == EFBIG || atSizeLimit(path)))
        return DataFile::reason(EFBIG);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("ほかのプログラムがこのファイルを使っています。");
    case SQLITE_FULL:
        return DataFile::reason(ENOSPC);
    case SQLITE_READONLY:
        return DataFile::reason(systemError == EROFS ? EROFS : EACCES);
    case SQLITE_NOMEM:
        return QStringLiteral("メモリが足りません。");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("ファイルが壊れています。");
    case SQLITE_CANTOPEN:
        return DataFile::reason(cannotMake(path, systemError));
    case SQLITE_IOERR:
    case SQLITE_PERM:
        return DataFile::reason(systemError != 0 ? systemError : EIO);
    default:
        return QStringLiteral("データベースの操作に失敗しました（エラー番号 %1）。").arg(rc);
    }
}

bool onReadOnlyDisk(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) != 0 && errno == EROFS;
}

// Why a log that is there may not be written, when SQLite opened it for reading only.
QString readOnlyReason(const QString &path)
{
    return DataFile::reason(onReadOnlyDisk(path) ? EROFS : EACCES);
}

// What the first bytes of the file say, before SQLite reads on: a file that is no database, or
// one cut short (a copy that stopped early), is known from its header alone, whatever SQLite
// would make of the pages that are left.
enum class Header
{
    Fine,
    NotADatabase,
    CutShort,
};

Header headerOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Header::Fine; // SQLite says why when it opens it
    const qint64 size = file.size();
    if (size == 0)
        return Header::Fine; // a database with nothing in it yet
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        return Header::NotADatabase;
    const auto number = [&header](int at, int bytes) {
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | quint8(header.at(at + i));
        return value;
    };
    const quint32 pageSize = number(16, 2) == 1 ? 65536 : number(16, 2);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return Header::NotADatabase;
    // The page count is valid when the change counter agrees with its "valid for" number.
    const bool countValid = number(24, 4) == number(92, 4);
    if (size % pageSize != 0 || (countValid && size < qint64(number(28, 4)) * pageSize))
        return Header::CutShort;
    return Header::Fine;
}

// "詳細-退避-20261209-203623.sqlite": the name a file set aside gets, with "-2", "-3", … when
// that is taken.
QString asideName(const QString &path)
{
    const QFileInfo info(path);
    const QString stem = info.completeBaseName() + QStringLiteral("-退避-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QString name = stem + suffix;
    for (int n = 2; QFileInfo::exists(info.dir().filePath(name)) ||
                    QFileInfo::exists(info.dir().filePath(name + QStringLiteral("-wal")));
         ++n)
        name = stem + u'-' + QString::number(n) + suffix;
    return name;
}

// Renames from to to, never over a file already at to.
int renameKeeping(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without that flag: the name was just found free.
    if (QFileInfo::exists(to))
        return EEXIST;
    return std::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

QString cannotWrite(const QString &reason)
{
    return DrillLog::describedName() + QStringLiteral("に書き込めません。\n") + reason;
}

QString cannotRead(const QString &reason)
{
    return DrillLog::describedName() + QStringLiteral("を読み込めません。\n") + reason;
}

// Renames the log and the files SQLite keeps beside it (its write-ahead log may hold the newest
// part) to a name of their own, so that nothing of it is lost and a new log can start. Returns
// the notice for the player, or an empty text with the reason in failure.
QString setAside(const QString &path, const QString &why, QString *failure)
{
    const QString name = asideName(path);
    const QString aside = QFileInfo(path).dir().filePath(name);
    if (const int error = renameKeeping(path, aside); error != 0) {
        *failure = DrillLog::describedName() + QStringLiteral("は") + why +
                   QStringLiteral("ため使えませんが、別の名前に変えることもできません。\n") +
                   DataFile::reason(error);
        return {};
    }
    for (const char *companion : {"-wal", "-shm", "-journal"}) {
        const QString from = path + QLatin1String(companion);
        if (QFileInfo::exists(from))
            renameKeeping(from, aside + QLatin1String(companion));
    }
    return DrillLog::describedName() + QStringLiteral("は") + why +
           QStringLiteral("ため使えません。\nファイルは消さずに「%1」という名前に変えて残し、"
                          "新しい詳細記録ファイルを作りました。")
               .arg(name);
}

const QString notADatabase = QStringLiteral("データベースのファイルではない");
const QString damaged = QStringLiteral("壊れている");
const QString otherShape = QStringLiteral("このプログラムの詳細記録の形になっていない");

} // namespace

QString DrillLog::describedName()
{
    return QStringLiteral("詳細記録ファイル「%1」").arg(fileName());
}

DrillLog::DrillLog(const QString &path) : m_path(path) {}

DrillLog::~DrillLog()
{
    if (m_ahead.valid())
        take(m_ahead.get());
    close();
}

void DrillLog::openAhead()
{
    if (m_db || m_ahead.valid() || !QFileInfo::exists(m_path))
        return;
    m_ahead = std::async(std::launch::async, [path = m_path] { return open(path); });
}

DrillLog::Opened DrillLog::open(const QString &path)
{
    // A write beyond the process's file-size limit then fails like one onto a full disk instead
    // of ending the program.
    Disk::real();
    Opened opened;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        opened.reason = info.isDir() ? DataFile::reason(EISDIR)
                                     : QStringLiteral("通常のファイルではありません。");
        return opened;
    }

    QString unusable;
    switch (headerOf(path)) {
    case Header::NotADatabase:
        unusable = notADatabase;
        break;
    case Header::CutShort:
        unusable = damaged;
        break;
    case Header::Fine:
        unusable = probe(path, &opened);
        break;
    }
    if (unusable.isEmpty())
        return opened;

    QString failure;
    const QString notice = setAside(path, unusable, &failure);
    if (notice.isEmpty()) {
        opened.reason = failure;
        return opened;
    }
    opened = Opened();
    // The file is new: anything wrong with it now is a fault of the disk, not of a file.
    if (!probe(path, &opened).isEmpty() && opened.reason.isEmpty())
        opened.reason = reasonOf(nullptr, SQLITE_CORRUPT, path);
    opened.notice = notice + (opened.notice.isEmpty() ? QString() : u'\n' + opened.notice);
    return opened;
}

QString DrillLog::probe(const QString &path, Opened *opened)
{
    sqlite3 *db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    int rc = sqlite3_open_v2(name.constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | openFlags, nullptr);
    const auto fail = [&](int code) {
        opened->reason = reasonOf(db, code, path);
        sqlite3_close_v2(db);
        return QString();
    };
    if (rc != SQLITE_OK)
        return fail(rc);
    sqlite3_busy_timeout(db, busyTimeoutMs);

    bool fine = false;
    rc = DrillLogSchema::quickCheck(db, &fine);
    // A log in write-ahead mode on a disk that cannot be written: SQLite cannot make the index
    // of its write-ahead log there, but nothing can change the file either, and it is read as
    // it stands.
    if (((rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_READONLY) &&
        onReadOnlyDisk(path)) {
        sqlite3_close_v2(db);
        db = nullptr;
        const QByteArray uri = "file:" + QUrl::toPercentEncoding(path, "/") + "?immutable=1";
        rc = sqlite3_open_v2(uri.constData(), &db,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | openFlags, nullptr);
        if (rc == SQLITE_OK)
            rc = DrillLogSchema::quickCheck(db, &fine);
    }
    if (isDamage(rc) || (rc == SQLITE_OK && !fine)) {
        sqlite3_close_v2(db);
        return (rc & 0xff) == SQLITE_NOTADB ? notADatabase : damaged;
    }
    int version = 0;
    if (rc == SQLITE_OK)
        rc = DrillLogSchema::userVersion(db, &version);
    if (rc != SQLITE_OK)
        return fail(rc);

    if (version > schemaVersion) {
        // A newer program's log: read through a connection that cannot write.
        sqlite3_close_v2(db);
        db = nullptr;
        rc = sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY | openFlags, nullptr);
        if (rc != SQLITE_OK)
            return fail(rc);
        sqlite3_busy_timeout(db, busyTimeoutMs);
        opened->db = db;
        opened->newer = true;
        opened->hasTables = true;
        opened->notice =
            describedName() +
            QStringLiteral("は新しい版のケタモリ！で作られています。\n"
                           "読み込むことはできますが、書き換えないよう、この版では詳細記録を"
                           "書き込みません。結果はこれまでどおり履歴に保存します。");
        return {};
    }

    // Version 0 is a database without the log's tables yet (a new or empty file); a file that
    // holds tables of their names but no version, or another shape at this version, is not a
    // log this program wrote.
    bool same = false;
    rc = DrillLogSchema::hasShape(db, version, &same);
    if (isDamage(rc)) {
        sqlite3_close_v2(db);
        return damaged;
    }
    if (rc != SQLITE_OK)
        return fail(rc);
    if (!same) {
        sqlite3_close_v2(db);
        return otherShape;
    }

    opened->db = db;
    opened->hasTables = version > 0;
    if (sqlite3_db_readonly(db, "main") == 1) {
        opened->reason = readOnlyReason(path);
        return {};
    }
    // The write-ahead log lets the player read the log with their own tools while the program
    // writes to it. A commit then waits for no sync: a crash of the machine may lose the last
    // details, never the log's consistency; the history line, written first, is what counts.
    rc = sqlExec(db, "PRAGMA journal_mode = WAL");
    if (rc == SQLITE_OK)
        rc = sqlExec(db, "PRAGMA synchronous = NORMAL");
    if (rc == SQLITE_OK)
        rc = sqlExec(db, "PRAGMA foreign_keys = ON");
    // Once copied into the database, the write-ahead log is cut back to this size.
    if (rc == SQLITE_OK)
        rc = sqlExec(db, "PRAGMA journal_size_limit = 4194304");
    if (rc == SQLITE_OK && version < schemaVersion)
        rc = DrillLogSchema::upgrade(db);
    if (isDamage(rc)) {
        opened->db = nullptr;
        sqlite3_close_v2(db);
        return damaged;
    }
    if (rc != SQLITE_OK) {
        opened->db = nullptr;
        return fail(rc);
    }
    opened->writable = true;
    opened->hasTables = true;
    return {};
}

void DrillLog::take(Opened &&opened)
{
    close();
    m_db = opened.db;
    m_writable = opened.writable;
    m_newer = opened.newer;
    m_hasTables = opened.hasTables;
    m_openError = opened.reason;
    if (!opened.notice.isEmpty())
        addNotice(opened.notice);
    if (m_db && m_writable)
        sqlite3_wal_hook(m_db, &DrillLog::committed, this);
}

// In place of SQLite's own checkpoint, which copies the write-ahead log into the database inside
// the commit that fills it (some 15 ms every few hundred saves): the copy is made by a
// connection of its own on a thread of its own, beside the saves, which it never holds up.
int DrillLog::committed(void *log, sqlite3 *db, const char *, int frames)
{
    auto *self = static_cast<DrillLog *>(log);
    // Saves too close together for the copy to ever catch up: then one of them copies, as
    // SQLite itself would, rather than let the write-ahead log grow without end.
    if (frames >= 10 * checkpointFrames) {
        sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        return SQLITE_OK;
    }
    if (frames < checkpointFrames ||
        (self->m_checkpoint.valid() &&
         self->m_checkpoint.wait_for(std::chrono::seconds(0)) != std::future_status::ready))
        return SQLITE_OK;
    self->m_checkpoint = std::async(std::launch::async, [path = self->m_path] {
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                            SQLITE_OPEN_READWRITE | openFlags, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db, busyTimeoutMs);
            // A connection finds the file in write-ahead mode only once it has read from it.
            if (sqlExec(db, "SELECT count(*) FROM sqlite_schema") == SQLITE_OK)
                sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        }
        sqlite3_close_v2(db);
    });
    return SQLITE_OK;
}

bool DrillLog::ready(bool create)
{
    if (m_ahead.valid())
        take(m_ahead.get());
    if (m_db)
        return true;
    if (!create && !QFileInfo::exists(m_path)) {
        m_openError.clear(); // no log: nothing failed
        return false;
    }
    take(open(m_path));
    return m_db != nullptr;
}

void DrillLog::close()
{
    if (m_checkpoint.valid())
        m_checkpoint.wait(); // before the file is closed, or renamed aside
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_writable = false;
    m_newer = false;
    m_hasTables = false;
}

bool DrillLog::setAsideAndReopen(const QString &why)
{
    close();
    QString failure;
    const QString notice = setAside(m_path, why, &failure);
    if (notice.isEmpty()) {
        m_openError = failure;
        return false;
    }
    addNotice(notice);
    take(open(m_path));
    return m_db != nullptr;
}

void DrillLog::addNotice(const QString &text)
{
    if (!m_notice.isEmpty())
        m_notice += QStringLiteral("\n\n");
    m_notice += text;
}

QString DrillLog::takeNotice()
{
    return std::exchange(m_notice, QString());
}

void DrillLog::writeFailed(const QString &message)
{
    if (m_failureTold)
        return;
    m_failureTold = true;
    addNotice(message + QStringLiteral("\n結果は履歴に保存しました。その詳細（表示された数字、"
                                       "入力した数字とその時間）は記録していません。"
                                       "書き込めるようになれば、次の結果から記録します。"));
}

bool DrillLog::append(const DrillResult &result, const QDateTime &savedAt, QByteArrayView lineBytes,
                      qint64 lineNumber)
{
    const LoggedDrill drill{savedAt.toMSecsSinceEpoch(), savedAt.offsetFromUtc(), lineNumber,
                            lineBytes.toByteArray(), result};
    // A result the log cannot hold has no detail, as lines from before the log have none: one
    // scored before any drill showed its digits, or with the digit count raised past them.
    if (!drill.makesSense(lineNumber))
        return false;
    // A log opened for reading only is opened again once the file can be written.
    if (m_db && !m_writable && !m_newer &&
        ::access(QFile::encodeName(m_path).constData(), W_OK) == 0)
        close();
    if (!ready(true)) {
        writeFailed(cannotWrite(m_openError));
        return false;
    }
    if (m_newer)
        return false; // told once, when it was opened
    if (!m_writable) {
        writeFailed(cannotWrite(m_openError));
        return false;
    }
    int rc = DrillLogRows::insert(m_db, drill);
    if (isDamage(rc) && setAsideAndReopen(damaged))
        rc = DrillLogRows::insert(m_db, drill);
    if (rc != SQLITE_OK) {
        writeFailed(cannotWrite(m_db ? reasonOf(m_db, rc, m_path) : m_openError));
        return false;
    }
    m_failureTold = false;
    return true;
}

bool DrillLog::clear(QString *error)
{
    if (!ready(false)) {
        if (m_openError.isEmpty())
            return true; // no log, nothing to empty
        *error = cannotWrite(m_openError);
        return false;
    }
    if (m_newer) {
        *error = describedName() +
                 QStringLiteral("は新しい版のケタモリ！で作られているため、消さずに残しています。");
        return false;
    }
    if (!m_writable) {
        *error = cannotWrite(m_openError);
        return false;
    }
    const auto empty = [this] {
        return inTransaction(m_db, [this] {
            int rc = sqlExec(m_db, "DELETE FROM entry");
            if (rc == SQLITE_OK)
                rc = sqlExec(m_db, "DELETE FROM drill");
            return rc;
        });
    };
    int rc = empty();
    // A damaged log set aside leaves a new, empty one.
    if (isDamage(rc) && setAsideAndReopen(damaged))
        return true;
    if (rc != SQLITE_OK) {
        *error = cannotWrite(m_db ? reasonOf(m_db, rc, m_path) : m_openError);
        return false;
    }
    m_failureTold = false;
    return true;
}

std::optional<DrillLog::Contents> DrillLog::read(qint64 historyLines, QString *error)
{
    if (!ready(false)) {
        if (m_openError.isEmpty())
            return Contents();
        *error = cannotRead(m_openError);
        return std::nullopt;
    }
    if (!m_hasTables)
        return Contents();
    Contents contents;
    const int rc = DrillLogRows::readAll(m_db, historyLines, &contents.drills, &contents.skipped);
    if (isDamage(rc) && setAsideAndReopen(damaged))
        return Contents();
    if (rc != SQLITE_OK) {
        *error = cannotRead(m_newer ? QStringLiteral("新しい版の形式のため読み込めません。")
                                    : reasonOf(m_db, rc, m_path));
        return std::nullopt;
    }
    return contents;
}

std::optional<LoggedDrill> DrillLog::detailFor(qint64 lineNumber, QByteArrayView lineBytes)
{
    if (!ready(false) || !m_hasTables)
        return std::nullopt;
    std::optional<LoggedDrill> drill;
    if (DrillLogRows::readLine(m_db, lineNumber, lineBytes, &drill) != SQLITE_OK)
        return std::nullopt;
    return drill;
}
