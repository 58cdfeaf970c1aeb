// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/DataFolderLock.h"

#include "files/RegularFile.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QSaveFile>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A lock file is a few short lines; anything longer is no lock of ours.
constexpr qint64 longestContent = 4096;

// The file's bytes; empty with ENOENT when there is none.
QByteArray readLock(const QByteArray &path, int *errorNumber)
{
    *errorNumber = 0;
    RegularFile file(QFile::decodeName(path));
    if (!file.isOpen()) {
        *errorNumber = file.failure() != 0 ? file.failure() : EINVAL;
        return {};
    }
    QByteArray bytes(longestContent, '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.handle(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

QByteArray thisBoot()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

qint64 utcNowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

DataFolderLock::DataFolderLock(const QByteArray &dataFolder, QObject *parent)
    : QObject(parent), m_path(dataFolder + '/' + fileName),
      m_host(QSysInfo::machineHostName().toUtf8()), m_boot(thisBoot())
{
}

DataFolderLock::~DataFolderLock()
{
    if (!m_held)
        return;
    int failure = 0;
    if (isOurs(parse(readLock(m_path, &failure))))
        ::unlink(m_path.constData());
}

void DataFolderLock::setMachine(const QByteArray &hostName, int heartbeatMs)
{
    m_host = hostName;
    m_heartbeatMs = heartbeatMs;
}

DataFolderLock::Content DataFolderLock::parse(const QByteArray &bytes)
{
    Content content;
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.first(equals), value = line.sliced(equals + 1);
        bool ok = true;
        if (key == "host")
            content.host = value;
        else if (key == "pid")
            content.pid = value.toLongLong(&ok);
        else if (key == "boot")
            content.boot = value;
        else if (key == "beat")
            content.beat = value.toLongLong(&ok);
        else if (key == "utc")
            content.utcMs = value.toLongLong(&ok);
        if (!ok)
            return {};
    }
    return content;
}

QByteArray DataFolderLock::ours() const
{
    return "host=" + m_host + "\npid=" + QByteArray::number(qint64(::getpid())) +
           "\nboot=" + m_boot + "\nbeat=" + QByteArray::number(m_beat) +
           "\nutc=" + QByteArray::number(utcNowMs()) + '\n';
}

bool DataFolderLock::isOurs(const Content &content) const
{
    return content.host == m_host && content.pid == qint64(::getpid()) && content.boot == m_boot;
}

// A copy on this machine that still runs: same boot, and its process is there.
bool DataFolderLock::heldHereByOther(const Content &content) const
{
    if (content.host != m_host || content.boot != m_boot || content.pid <= 0 ||
        content.pid > INT_MAX)
        return false;
    return ::kill(pid_t(content.pid), 0) == 0 || errno == EPERM;
}

// Writes this copy's lock in place of whatever is there, whole or not at all, and reads it back:
// another machine taking it over at the same moment may have won.
bool DataFolderLock::replace(int *errorNumber)
{
    QSaveFile file(QFile::decodeName(m_path));
    file.setDirectWriteFallback(false);
    const QByteArray content = ours();
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        *errorNumber = errno != 0 ? errno : EIO;
        return false;
    }
    return isOurs(parse(readLock(m_path, errorNumber)));
}

DataFolderLock::Take DataFolderLock::take(int *errorNumber)
{
    *errorNumber = 0;
    m_holder.clear();
    for (int attempt = 0; attempt < 5; ++attempt) {
        int failure = 0;
        const QByteArray seen = readLock(m_path, &failure);
        if (failure == ENOENT) {
            // None yet: made only if still none, so that of two machines starting at once
            // one makes it and the other finds it.
            const int fd = ::open(m_path.constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0) {
                *errorNumber = errno;
                return Take::Failed;
            }
            // Not forced to the disk: that would wait for the disk (or, on NFS, the server) on
            // every start, and close() already reports what the server refused. A machine that
            // lost power right after leaves the lock empty or cut short, which a later start
            // takes for stale.
            const QByteArray content = ours();
            bool written =
                ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
            *errorNumber = written ? 0 : errno;
            if (::close(fd) != 0 && written) {
                written = false;
                *errorNumber = errno;
            }
            if (!written) {
                ::unlink(m_path.constData());
                return Take::Failed;
            }
            m_held = true;
            return Take::Taken;
        }
        if (failure != 0) {
            *errorNumber = failure;
            return Take::Failed;
        }
        const Content content = parse(seen);
        if (isOurs(content)) {
            m_held = true;
            return Take::Taken;
        }
        if (heldHereByOther(content)) {
            m_holder = content.host;
            return Take::HeldElsewhere;
        }
        if (content.host != m_host) {
            const qint64 age = utcNowMs() - content.utcMs;
            if (content.utcMs >= 0 && qAbs(age) <= 5 * qint64(m_heartbeatMs) / 2) {
                m_holder = content.host;
                return Take::HeldElsewhere;
            }
            // Old, or by a clock far from this one's: it still beats if its copy runs.
            const QDeadlineTimer watch(3 * m_heartbeatMs / 2);
            QByteArray now = seen;
            while (!watch.hasExpired() && now == seen) {
                QThread::msleep(std::min<qint64>(100, std::max<qint64>(watch.remainingTime(), 1)));
                now = readLock(m_path, &failure);
            }
            if (failure == ENOENT)
                continue; // gone meanwhile: looked at afresh
            if (now != seen) {
                m_holder = parse(now).host;
                return Take::HeldElsewhere;
            }
        }
        // A copy of this machine's that is gone, or a machine's whose heartbeat stopped.
        if (replace(errorNumber)) {
            m_held = true;
            return Take::Taken;
        }
        if (*errorNumber != 0 && *errorNumber != ENOENT)
            return Take::Failed;
    }
    const Content content = parse(readLock(m_path, errorNumber));
    m_holder = content.host;
    return Take::HeldElsewhere;
}

void DataFolderLock::startHeartbeat()
{
    if (!m_held || m_timer)
        return;
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &DataFolderLock::beat);
    m_timer->start(m_heartbeatMs);
}

void DataFolderLock::beat()
{
    int failure = 0;
    const Content content = parse(readLock(m_path, &failure));
    if (failure == 0 && !isOurs(content)) {
        m_timer->stop();
        m_held = false;
        emit lost(content.host);
        return;
    }
    ++m_beat;
    // A beat that cannot be written (a full disk, a folder gone) is tried again at the next.
    QSaveFile file(QFile::decodeName(m_path));
    file.setDirectWriteFallback(false);
    const QByteArray bytes = ours();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}
