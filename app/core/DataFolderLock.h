// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

class QTimer;

// The lock in the data folder itself, which holds across machines that share the folder (a home
// folder on NFS, a synced folder), where the system's own locks do not reach. It is the file
// ".ketamori.lock", holding the host name, process and boot of the copy that runs, and a
// heartbeat: a count and the time, rewritten every heartbeat interval while the copy runs, and
// the file removed when it ends.
//
// A lock no copy holds any longer is known so:
//  - one of this machine's: its process is gone, or the machine was started again since (the boot
//    differs): taken over at once;
//  - another machine's: a heartbeat whose time lies within 2.5 intervals of this machine's clock
//    is a running copy's; any other (an old time, a clock far off, a file cut short) is watched
//    for 1.5 intervals, and taken over if it did not beat meanwhile. With the interval of 10 s, a
//    crashed machine's lock is taken over within some 40 s of its last beat.
class DataFolderLock : public QObject
{
    Q_OBJECT

public:
    enum class Take
    {
        Taken,         // this copy holds it
        HeldElsewhere, // a running copy holds it; holder() names its machine
        Failed         // the folder could not be written (the copy then runs without it)
    };

    explicit DataFolderLock(const QByteArray &dataFolder, QObject *parent = nullptr);
    // Removes the file if this copy still holds it.
    ~DataFolderLock() override;

    // This machine's name (the system's host name unless given) and the heartbeat interval.
    void setMachine(const QByteArray &hostName, int heartbeatMs);

    // Takes the lock, waiting up to 1.5 heartbeat intervals to see whether a lock of another
    // machine's that looks old still beats.
    Take take(int *errorNumber);
    // The host name the lock names when it is held elsewhere.
    QByteArray holder() const { return m_holder; }

    // Starts the heartbeat; needs the event loop of the object's thread.
    void startHeartbeat();

    QByteArray path() const { return m_path; }
    static constexpr char fileName[] = ".ketamori.lock";

Q_SIGNALS:
    // Another copy took the lock over while this one held it (this machine slept through more
    // than the heartbeat allows): the two might now both write.
    void lost(const QByteArray &holder);

private:
    struct Content
    {
        QByteArray host;
        qint64 pid = -1;
        QByteArray boot;
        qint64 beat = -1;
        qint64 utcMs = -1;
    };
    static Content parse(const QByteArray &bytes);
    QByteArray ours() const;
    bool isOurs(const Content &content) const;
    bool heldHereByOther(const Content &content) const;
    bool replace(int *errorNumber);
    void beat();

    QByteArray m_path;
    QByteArray m_host;
    QByteArray m_boot;
    QByteArray m_holder;
    int m_heartbeatMs = 10000;
    qint64 m_beat = 0;
    bool m_held = false;
    QTimer *m_timer = nullptr;
};
