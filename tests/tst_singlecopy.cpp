// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/DataFolderLock.h"
#include "app/core/SingleCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System |
                                  QDir::Hidden);
}

// A first copy running on a thread of its own with its event loop, as the first program would:
// it holds the lock, listens, and notes the tokens of the starts that asked it to the front.
class FirstCopy
{
public:
    FirstCopy(const QByteArray &folder, const QByteArray &runtime,
              const QByteArray &hostName = QByteArray())
    {
        m_thread.start();
        m_copy = new SingleCopy(folder, runtime);
        if (!hostName.isEmpty())
            m_copy->setMachine(hostName, 100);
        m_copy->moveToThread(&m_thread);
        QObject::connect(
            m_copy, &SingleCopy::raiseRequested, m_copy,
            [this](const QByteArray &token) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_tokens.append(token);
            },
            Qt::DirectConnection);
        QMetaObject::invokeMethod(
            m_copy,
            [this] {
                QString error;
                m_started =
                    m_copy->start(&error, 0) == SingleCopy::Start::First && m_copy->listen(&error);
            },
            Qt::BlockingQueuedConnection);
    }
    ~FirstCopy()
    {
        QMetaObject::invokeMethod(
            m_copy, [this] { delete m_copy; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    bool started() const { return m_started; }
    QList<QByteArray> tokens()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_tokens;
    }

private:
    QThread m_thread;
    SingleCopy *m_copy = nullptr;
    bool m_started = false;
    std::mutex m_mutex;
    QList<QByteArray> m_tokens;
};

// Sends pieces to the socket at path, a moment apart, and then nothing more; returns what came
// back before the other end hung up, marked when it did not within 5 s.
QByteArray callWith(const QByteArray &path, const QList<QByteArray> &pieces)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return "(no connection)";
    for (const QByteArray &piece : pieces) {
        ::send(fd, piece.constData(), size_t(piece.size()), MSG_NOSIGNAL);
        QThread::msleep(20);
    }
    ::shutdown(fd, SHUT_WR); // all is said
    QByteArray answer;
    pollfd ready{fd, POLLIN, 0};
    char bytes[256];
    for (;;) {
        if (::poll(&ready, 1, 5000) <= 0) {
            answer += "(no hang-up)";
            break;
        }
        const ssize_t got = ::recv(fd, bytes, sizeof bytes, 0);
        if (got <= 0)
            break;
        answer.append(bytes, got);
    }
    ::close(fd);
    return answer;
}

// What a machine's copy writes into the lock in the data folder.
QByteArray lockContent(const QByteArray &host, qint64 pid, const QByteArray &boot, qint64 beat,
                       qint64 utcMs)
{
    return "host=" + host + "\npid=" + QByteArray::number(pid) + "\nboot=" + boot +
           "\nbeat=" + QByteArray::number(beat) + "\nutc=" + QByteArray::number(utcMs) + '\n';
}

QByteArray thisBoot()
{
    QFile file(u"/proc/sys/kernel/random/boot_id"_qs);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

} // namespace

class tst_SingleCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_data.isValid() && m_runtime.isValid());
        QVERIFY(QDir(m_data.path()).mkpath(u"データ"_qs));
        QVERIFY(QDir(m_data.path()).mkpath(u"別のデータ"_qs));
    }
    void cleanup()
    {
        qunsetenv("XDG_ACTIVATION_TOKEN");
        QVERIFY(QDir(m_data.path()).removeRecursively() && QDir().mkpath(m_data.path()));
    }

    // A second start on the folder the first runs on, however it is named, brings the first
    // to the front and passes on the desktop's activation token.
    void secondStartHandsOver_data()
    {
        QTest::addColumn<QString>("secondPath");
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("the same path") << u"データ"_qs << QByteArray();
        QTest::newRow("through a link") << u"link"_qs << QByteArray("token-1");
        QTest::newRow("through ..") << u"別のデータ/../データ"_qs << QByteArray();
    }
    void secondStartHandsOver()
    {
        QFETCH(QString, secondPath);
        QFETCH(QByteArray, token);
        QVERIFY(QFile::link(folder(u"データ"_qs), folder(u"link"_qs)));
        const QStringList before = namesIn(folder(u"データ"_qs));
        {
            FirstCopy first(path(u"データ"_qs), runtime());
            QVERIFY(first.started());
            if (!token.isEmpty())
                qputenv("XDG_ACTIVATION_TOKEN", token);
            SingleCopy second(path(secondPath), runtime());
            QString error;
            QCOMPARE(second.start(&error, 5000), SingleCopy::Start::HandedOver);
            QCOMPARE(first.tokens(), QList<QByteArray>{token});
        }
        // Nothing was written into the data folder, and nothing is left in the runtime folder.
        QCOMPARE(namesIn(folder(u"データ"_qs)), before);
        QCOMPARE(namesIn(m_runtime.path()), QStringList());
    }

    // The first copy answers only a request to come to the front, however it arrives; any other
    // caller is hung up on, and the copy goes on answering.
    void callersAnsweredOnlyForTheirRequest_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QList<QByteArray>>("tokens");
        const QList<QByteArray> none;
        QTest::newRow("in pieces") << QList<QByteArray>{"rai", "se tok", "en-2\n"}
                                   << QByteArray("raised\n") << QList<QByteArray>{"token-2"};
        QTest::newRow("another request") << QList<QByteArray>{"quit\n"} << QByteArray() << none;
        QTest::newRow("ends before the line end")
            << QList<QByteArray>{"raise "} << QByteArray() << none;
        QTest::newRow("a line too long")
            << QList<QByteArray>{"raise " + QByteArray(5000, 'x') + '\n'} << QByteArray() << none;
    }
    void callersAnsweredOnlyForTheirRequest()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QByteArray, answer);
        QFETCH(QList<QByteArray>, tokens);
        FirstCopy first(path(u"データ"_qs), runtime());
        QVERIFY(first.started());
        const QByteArray socket = SingleCopy(path(u"データ"_qs), runtime()).socketPath();
        QCOMPARE(callWith(socket, pieces), answer);
        QCOMPARE(first.tokens(), tokens);
        SingleCopy second(path(u"データ"_qs), runtime());
        QString error;
        QCOMPARE(second.start(&error, 5000), SingleCopy::Start::HandedOver);
    }

    void differentFoldersRunSideBySide()
    {
        SingleCopy one(path(u"データ"_qs), runtime()), other(path(u"別のデータ"_qs), runtime());
        QString error;
        QCOMPARE(one.start(&error, 0), SingleCopy::Start::First);
        QCOMPARE(other.start(&error, 0), SingleCopy::Start::First);
        QVERIFY(one.lockPath() != other.lockPath());
    }

    // A copy that holds the lock but does not answer is reported; once it is killed, its lock
    // and the socket it left behind block nothing.
    void killedCopyNeverBlocks()
    {
        SingleCopy copy(path(u"データ"_qs), runtime());
        QProcess holder; // holds the same kind of lock on the same file, and never answers
        // -o: the lock stays with flock itself, not with the cat it runs (which ends with its
        // input).
        holder.start(u"flock"_qs, {u"-o"_qs, QFile::decodeName(copy.lockPath()), u"cat"_qs});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY(QFile::exists(QFile::decodeName(copy.lockPath())));
        QVERIFY(QFile(QFile::decodeName(copy.socketPath())).open(QIODevice::WriteOnly));
        QString error;
        QCOMPARE(copy.start(&error, 300), SingleCopy::Start::Unreachable);
        QVERIFY2(error.contains(u"応答がありません"_qs), qPrintable(error));

        holder.kill();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(copy.start(&error, 0), SingleCopy::Start::First);
        QVERIFY(copy.listen(&error));
    }

    // A copy on another machine that shares the data folder (another runtime folder, another
    // host name) is refused while the first runs there, and told which machine that is; once
    // the first has ended, it starts.
    void secondMachineRefused()
    {
        QTemporaryDir otherRuntime;
        {
            FirstCopy first(path(u"データ"_qs), runtime(), "machine-a");
            QVERIFY(first.started());
            QVERIFY(QFile::exists(folder(u"データ/"_qs) + QLatin1String(DataFolderLock::fileName)));
            SingleCopy second(path(u"データ"_qs), QFile::encodeName(otherRuntime.path()));
            second.setMachine("machine-b", 100);
            QString error;
            QCOMPARE(second.start(&error, 0), SingleCopy::Start::Elsewhere);
            QVERIFY2(error.contains(u"コンピュータ「machine-a」ですでに起動しています"_qs),
                     qPrintable(error));
            QCOMPARE(namesIn(otherRuntime.path()), QStringList());
        }
        SingleCopy second(path(u"データ"_qs), QFile::encodeName(otherRuntime.path()));
        second.setMachine("machine-b", 100);
        QString error;
        QCOMPARE(second.start(&error, 0), SingleCopy::Start::First);
    }

    // A running copy elsewhere whose clock is an hour behind still beats: it is never taken
    // over, however old its time looks.
    void beatingLockNeverTaken()
    {
        const QString lock = folder(u"データ/"_qs) + QLatin1String(DataFolderLock::fileName);
        std::atomic<bool> running{true};
        std::thread machine([&] {
            for (qint64 beat = 0; running; ++beat) {
                QSaveFile file(lock);
                const QByteArray content =
                    lockContent("machine-a", 4242, "a-boot", beat,
                                QDateTime::currentMSecsSinceEpoch() - 3600 * 1000);
                if (file.open(QIODevice::WriteOnly) && file.write(content) > 0)
                    file.commit();
                QThread::msleep(50);
            }
        });
        QTRY_VERIFY(QFile::exists(lock));
        SingleCopy second(path(u"データ"_qs), runtime());
        second.setMachine("machine-b", 100);
        QString error;
        const SingleCopy::Start started = second.start(&error, 0);
        running = false;
        machine.join();
        QCOMPARE(started, SingleCopy::Start::Elsewhere);
        QVERIFY2(error.contains(u"「machine-a」"_qs), qPrintable(error));
    }

    // A lock no copy holds any longer blocks nobody: another machine's that stopped beating,
    // this machine's of a process gone or of a boot before this one, a file cut short.
    void staleLockTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QTest::newRow("a machine that vanished")
            << lockContent("vanished", 4242, "v-boot", 17, now - 3600 * 1000);
        QTest::newRow("a machine whose clock runs an hour ahead")
            << lockContent("vanished", 4242, "v-boot", 17, now + 3600 * 1000);
        QTest::newRow("this machine, a process gone")
            << lockContent("machine-b", INT_MAX, thisBoot(), 3, now);
        QTest::newRow("this machine, before it was started again")
            << lockContent("machine-b", QCoreApplication::applicationPid(), "old-boot", 3, now);
        QTest::newRow("cut short") << QByteArray("host=vani");
        QTest::newRow("empty") << QByteArray();
    }
    void staleLockTakenOver()
    {
        QFETCH(QByteArray, content);
        const QString lock = folder(u"データ/"_qs) + QLatin1String(DataFolderLock::fileName);
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        SingleCopy copy(path(u"データ"_qs), runtime());
        copy.setMachine("machine-b", 100);
        QString error;
        QCOMPARE(copy.start(&error, 0), SingleCopy::Start::First);
        QVERIFY(fileBytes(lock).startsWith("host=machine-b\npid=" +
                                           QByteArray::number(QCoreApplication::applicationPid())));
    }

    // The lock is not made where another user could tamper with it.
    void unsafeRuntimeFolderRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a file") << u"file"_qs;
        QTest::newRow("writable by others") << u"open"_qs;
    }
    void unsafeRuntimeFolderRefused()
    {
        QFETCH(QString, kind);
        const QString place = m_runtime.filePath(u"runtime"_qs);
        if (kind == u"file")
            QVERIFY(QFile(place).open(QIODevice::WriteOnly));
        else
            QVERIFY(QDir().mkdir(place) &&
                    ::chmod(QFile::encodeName(place).constData(), 0777) == 0);
        SingleCopy copy(path(u"データ"_qs), QFile::encodeName(place));
        QString error;
        QCOMPARE(copy.start(&error, 0), SingleCopy::Start::NoLock);
        QVERIFY2(error.contains(u"確認に使うフォルダ「%1」を使えません"_qs.arg(place)),
                 qPrintable(error));
        QVERIFY(QFile::remove(place) || QDir(place).removeRecursively());
    }

private:
    QString folder(const QString &name) const { return m_data.filePath(name); }
    QByteArray path(const QString &name) const { return QFile::encodeName(folder(name)); }
    QByteArray runtime() const { return QFile::encodeName(m_runtime.path()); }

    QTemporaryDir m_data;
    QTemporaryDir m_runtime;
};

QTEST_GUILESS_MAIN(tst_SingleCopy)
#include "tst_singlecopy.moc"
