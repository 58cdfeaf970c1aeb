// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/SingleCopy.h"

#include "app/core/DataFolderLock.h"
#include "files/ShownText.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What a second start sends, followed by its activation token and a line end, and the answer.
constexpr char raiseRequest[] = "raise ";
constexpr char raisedAnswer[] = "raised\n";
// A request longer than this is no request of ours.
constexpr qint64 longestRequest = 4096;

// The data folder as the system resolves it, so that a link to it or a path through ".." is the
// same folder; as given when it cannot be resolved (it is then refused at start-up anyway).
QByteArray realPath(const QByteArray &folder)
{
    char *resolved = ::realpath(folder.constData(), nullptr);
    if (!resolved)
        return folder;
    QByteArray path(resolved);
    std::free(resolved);
    return path;
}

// The runtime folder, made if missing, must be a folder of this user's that no one else can
// write to: another user could otherwise put a lock or a socket of their own in our place.
int checkRuntimeFolder(const QByteArray &folder)
{
    if (folder.isEmpty())
        return ENOENT;
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    struct stat st
    {
    };
    if (::lstat(folder.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (st.st_uid != ::geteuid() || (st.st_mode & 022) != 0)
        return EPERM;
    return 0;
}

// The socket's address, both for the first copy listening and a second start calling; false
// when the path is too long for one.
bool socketAddress(const QByteArray &path, sockaddr_un *address)
{
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Whether the whole of bytes went out through the socket before the deadline.
bool sendAll(int fd, QByteArray bytes, QDeadlineTimer deadline)
{
    while (!bytes.isEmpty()) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, int(deadline.remainingTime())) <= 0)
            return false;
        const ssize_t sent = ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        bytes.remove(0, sent > 0 ? sent : 0);
    }
    return true;
}

// The first line the socket gives before the deadline, with its line end; what came when not.
QByteArray receiveLine(int fd, QDeadlineTimer deadline)
{
    QByteArray line;
    while (!line.endsWith('\n') && line.size() < longestRequest) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, int(deadline.remainingTime())) <= 0)
            break;
        char bytes[256];
        const ssize_t got = ::recv(fd, bytes, sizeof bytes, 0);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            break;
        if (got > 0)
            line.append(bytes, got);
    }
    return line;
}

} // namespace

SingleCopy::SingleCopy(const QByteArray &dataFolder, const QByteArray &runtimeFolder,
                       QObject *parent)
    : QObject(parent), m_runtimeFolder(runtimeFolder)
{
    const QByteArray key =
        QCryptographicHash::hash(realPath(dataFolder), QCryptographicHash::Sha256).toHex().left(32);
    m_base = runtimeFolder + "/ketamori-" + key;
    m_folderLock = new DataFolderLock(realPath(dataFolder), this);
    connect(m_folderLock, &DataFolderLock::lost, this, &SingleCopy::folderLockLost);
}

void SingleCopy::setMachine(const QByteArray &hostName, int heartbeatMs)
{
    m_folderLock->setMachine(hostName, heartbeatMs);
}

void SingleCopy::unlock()
{
    if (m_lockFd < 0)
        return;
    // Removed while still held: a start that opened this file meanwhile sees, once it gets the
    // lock, that the file is gone, and makes a new one (tryLock).
    ::unlink(lockPath().constData());
    ::close(m_lockFd);
    m_lockFd = -1;
}

SingleCopy::~SingleCopy()
{
    if (m_serverFd >= 0) {
        ::unlink(socketPath().constData());
        ::close(m_serverFd);
    }
    delete m_folderLock; // before this machine's lock goes: no start here finds neither
    unlock();
}

QByteArray SingleCopy::defaultRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/'))
        return runtime;
    return "/tmp/ketamori-" + QByteArray::number(::geteuid());
}

SingleCopy::Lock SingleCopy::tryLock(int *errorNumber)
{
    for (;;) {
        const int fd =
            ::open(lockPath().constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            *errorNumber = errno;
            return Lock::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            *errorNumber = errno;
            ::close(fd);
            return errno == EWOULDBLOCK ? Lock::Held : Lock::Failed;
        }
        // The copy that held it may have removed the file as it ended: the lock then belongs to
        // no file anyone else will open.
        struct stat locked
        {
        }, named{};
        if (::fstat(fd, &locked) == 0 && ::stat(lockPath().constData(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            m_lockFd = fd;
            return Lock::Taken;
        }
        ::close(fd);
    }
}

SingleCopy::Start SingleCopy::start(QString *error, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    int failure = checkRuntimeFolder(m_runtimeFolder);
    for (;;) {
        if (failure == 0) {
            switch (tryLock(&failure)) {
            case Lock::Taken: {
                int folderFailure = 0;
                const DataFolderLock::Take taken = m_folderLock->take(&folderFailure);
                if (taken == DataFolderLock::Take::Failed) {
                    // A folder this copy cannot write to (read-only, or not there): it runs,
                    // and its files say so as soon as they are written.
                    qWarning("ketamori: the lock in the data folder cannot be made (error %d)",
                             folderFailure);
                }
                if (taken != DataFolderLock::Take::HeldElsewhere)
                    return Start::First;
                unlock();
                const QByteArray holder = m_folderLock->holder();
                *error = QStringLiteral("ケタモリ！はこのデータフォルダで、コンピュータ「%1」で"
                                        "すでに起動しています。\nそちらのケタモリ！を終了してから、"
                                        "もう一度起動してください。")
                             .arg(holder.isEmpty() ? QStringLiteral("（名前不明）")
                                                   : ShownText::excerpt(holder));
                return Start::Elsewhere;
            }
            case Lock::Held:
                failure = 0;
                if (askToRaise(int(deadline.remainingTime())))
                    return Start::HandedOver;
                break;
            case Lock::Failed:
                break;
            }
        }
        if (failure != 0) {
            *error = QStringLiteral("ケタモリ！がこのデータフォルダですでに起動しているかどうかを"
                                    "確かめられません。\n確認に使うフォルダ「%1」を使えません"
                                    "（エラー番号 %2）。")
                         .arg(QFile::decodeName(m_runtimeFolder))
                         .arg(failure);
            return Start::NoLock;
        }
        if (deadline.hasExpired()) {
            *error = QStringLiteral("ケタモリ！はこのデータフォルダですでに起動していますが、"
                                    "応答がありません。\n先に起動したケタモリ！を終了してから、"
                                    "もう一度起動してください。");
            return Start::Unreachable;
        }
        QThread::msleep(50); // the running copy may still be starting
    }
}

// Connects to the running copy's socket and asks it to come to the front. False when no one
// listens there yet, or no answer came before waitMs.
bool SingleCopy::askToRaise(int waitMs)
{
    const QDeadlineTimer deadline(std::max(waitMs, 0));
    sockaddr_un address;
    if (!socketAddress(socketPath(), &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool raised = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
        const QByteArray request = raiseRequest + qgetenv("XDG_ACTIVATION_TOKEN") + '\n';
        raised = sendAll(fd, request, deadline) && receiveLine(fd, deadline) == raisedAnswer;
    }
    ::close(fd);
    return raised;
}

bool SingleCopy::listen(QString *error)
{
    if (m_lockFd < 0)
        return false;
    m_folderLock->startHeartbeat();
    const QByteArray path = socketPath();
    const auto cannotListen = [&] {
        *error = QStringLiteral("後から起動したケタモリ！からの呼び出しを受けられません"
                                "（「%1」）。")
                     .arg(QFile::decodeName(path));
        return false;
    };
    sockaddr_un address;
    if (!socketAddress(path, &address))
        return cannotListen();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return cannotListen();
    // A socket left by a copy that was killed goes: the lock says no one listens on it.
    ::unlink(path.constData());
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return cannotListen();
    }
    m_serverFd = fd;
    auto *incoming = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(incoming, &QSocketNotifier::activated, this, [this] {
        for (;;) {
            const int caller =
                ::accept4(m_serverFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (caller < 0)
                return; // none waiting (EAGAIN), or one that left before it was taken
            if (m_callers >= maxCallers) {
                ::close(caller); // only a program flooding the socket waits on so many
                continue;
            }
            answer(caller);
        }
    });
    return true;
}

// Reads one caller's request as it comes, answers a request to come to the front and hangs up;
// anything else, or a request that does not end within longestRequest bytes, is hung up on.
void SingleCopy::answer(int caller)
{
    ++m_callers;
    auto *readable = new QSocketNotifier(qintptr(caller), QSocketNotifier::Read, this);
    auto request = std::make_shared<QByteArray>();
    const auto hangUp = [this, caller, readable] {
        readable->setEnabled(false);
        readable->deleteLater();
        ::close(caller);
        --m_callers;
    };
    const auto take = [this, caller, request, hangUp] {
        char bytes[512];
        for (;;) {
            const ssize_t got = ::recv(caller, bytes, sizeof bytes, 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return; // more to come
            if (got <= 0) {
                hangUp();
                return;
            }
            request->append(bytes, got);
            const qsizetype end = request->indexOf('\n');
            if (end < 0 && request->size() <= longestRequest)
                continue;
            const QByteArray line = request->left(end).trimmed();
            if (end < 0 || end > longestRequest ||
                (line != QByteArray(raiseRequest).trimmed() && !line.startsWith(raiseRequest))) {
                hangUp();
                return;
            }
            emit raiseRequested(line.mid(qsizetype(sizeof raiseRequest) - 1).trimmed());
            // A few bytes into an empty socket buffer: they go at once, or the caller has gone.
            ::send(caller, raisedAnswer, sizeof raisedAnswer - 1, MSG_NOSIGNAL);
            hangUp();
            return;
        }
    };
    connect(readable, &QSocketNotifier::activated, this, take);
    take(); // what came with the connection
}
