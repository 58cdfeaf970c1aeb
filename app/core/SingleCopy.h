// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DataFolderLock;

// One copy of the program per data folder. Two copies on one folder would each append to the
// history while each table shows only its own rows, and a Clear in one would leave the other
// claiming rows the file no longer holds; so a second start hands over to the first copy, which
// comes to the front, and ends.
//
// The first copy holds a lock on a file in the user's runtime folder ($XDG_RUNTIME_DIR, else a
// private folder under /tmp), named from a hash of the data folder's real path: two different
// folders run side by side, and this lock is never written into the data folder itself. The lock
// is the system's (flock), so it goes with the process however that ends: a copy killed with
// SIGKILL, or a machine that lost power, never blocks the next start. The first copy listens on
// a local socket beside the lock file; a second copy asks it there to come to the front.
//
// The runtime folder is this machine's own, while the data folder may be shared with others (a
// home folder on NFS, a synced folder): the first copy also holds a DataFolderLock in the data
// folder, which a copy on another machine finds and is refused by, told which machine runs.
class SingleCopy : public QObject
{
    Q_OBJECT

public:
    enum class Start
    {
        First,       // this copy holds the lock: it runs, and listen() once the event loop exists
        HandedOver,  // a running copy was asked to come to the front and said it did: end (0)
        Unreachable, // a running copy holds the lock but does not answer: end (1)
        NoLock,      // the lock could not be made: end (1); the message says why
        Elsewhere    // a copy runs on this folder from another machine (or user session): end (1)
    };

    // dataFolder and runtimeFolder as the system names them (bytes): a folder's name need not
    // be valid UTF-8.
    explicit SingleCopy(const QByteArray &dataFolder,
                        const QByteArray &runtimeFolder = defaultRuntimeFolder(),
                        QObject *parent = nullptr);
    // The first copy gives up its lock and removes its socket and lock file.
    ~SingleCopy() override;

    // Takes the lock, or asks the copy that holds it to come to the front. A copy that has the
    // lock but is not listening yet (still starting) is asked again until waitMs have passed.
    // Unless First or HandedOver, error is the message for the player.
    Start start(QString *error, int waitMs = 10000);

    // The first copy starts taking requests; needs the event loop's thread to have its event
    // dispatcher (QCoreApplication made). Returns false with a message when it cannot: the copy
    // still runs and holds the lock, later starts are then told it does not answer.
    bool listen(QString *error);

    // This machine's name (the system's host name unless given) and the heartbeat interval of the
    // lock in the data folder (see DataFolderLock).
    void setMachine(const QByteArray &hostName, int heartbeatMs);

    QByteArray lockPath() const { return m_base + ".lock"; }
    QByteArray socketPath() const { return m_base + ".socket"; }

    // $XDG_RUNTIME_DIR when it is an absolute path, else /tmp/ketamori-<user id>; empty when
    // there is none.
    static QByteArray defaultRuntimeFolder();

Q_SIGNALS:
    // A second start asks to come to the front. activationToken is the one the desktop gave that
    // start (XDG_ACTIVATION_TOKEN, needed on Wayland to take the focus), or empty.
    void raiseRequested(const QByteArray &activationToken);
    // The lock in the data folder was taken over by a copy on the machine named, while this one
    // ran (this machine slept longer than its heartbeat allows).
    void folderLockLost(const QByteArray &holder);

private:
    enum class Lock
    {
        Taken,
        Held,
        Failed
    };
    Lock tryLock(int *errorNumber);
    bool askToRaise(int waitMs);
    void answer(int caller);
    void unlock();

    QByteArray m_runtimeFolder;
    QByteArray m_base; // runtime folder and the key's file name, without extension
    int m_lockFd = -1;
    int m_serverFd = -1; // the listening socket, once listen() made it
    int m_callers = 0;   // connections being read
    static constexpr int maxCallers = 16;
    DataFolderLock *m_folderLock = nullptr; // a child
};
