// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryBytes.h"
#include "MessageBoxAnswerer.h"
#include "SaveStream.h"
#include "TestWindow.h"
#include "TmpfsMount.h"
#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"
#include "files/ShownText.h"
#include "records/History.h"
#include "records/HistoryModel.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryScanner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Faults of the disk and of the data folder, made real where they can be: a tmpfs that is full
// or read-only, a folder or a named pipe where a data file should be, a process killed in the
// middle of its saves. After each, the bytes on disk are checked, and what the player was told.

namespace {

const QString settingsName = QStringLiteral("設定.txt");
const QString historyName = QStringLiteral("履歴.txt");
const QByteArray settingsBytes = "5,5,0\r\n";

QByteArray linesOfDays(int count)
{
    QByteArray content("");
    for (int i = 0; i < count; ++i)
        content += lineOfDay(i);
    return content;
}

// A message for the player is Japanese: apart from the file's own name and a size in MB, no
// word of the system's English ("Unknown error", "Is a directory", …) may show through.
bool isJapanese(QString text)
{
    text.remove(settingsName).remove(historyName).remove(QRegularExpression(u"\\d+ MB"_qs));
    return !text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
}

// A named pipe in place of a data file. A program that opens it to read would wait for a writer
// for ever; so that such a fault fails the test instead of hanging it, a writer stands by and
// lets any reader go with the given bytes.
class PipeInPlace
{
public:
    PipeInPlace(const QString &path, const QByteArray &releaseWith) : m_path(path)
    {
        m_made = mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        if (m_made)
            m_writer = std::thread([this, releaseWith] { standBy(releaseWith); });
    }
    ~PipeInPlace()
    {
        m_stop = true;
        if (m_writer.joinable())
            m_writer.join();
    }

    bool made() const { return m_made; }
    // Whether anyone opened the pipe to read from it.
    bool wasRead() const { return m_read; }
    bool stillAPipe() const
    {
        struct stat st
        {
        };
        return lstat(QFile::encodeName(m_path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

private:
    void standBy(const QByteArray &bytes)
    {
        const QByteArray name = QFile::encodeName(m_path);
        while (!m_stop) {
            // Opening to write without waiting succeeds only while a reader has it open.
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_read = true;
                [[maybe_unused]] const ssize_t written = ::write(fd, bytes.data(), bytes.size());
                ::close(fd);
                return;
            }
            usleep(2000);
        }
    }

    QString m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_read{false};
    std::thread m_writer;
};

// The window of TestWindow, scored and ready to save a result: a drill of the digit count
// chosen, its last answer wrong, played without changing a setting.
void scoreADrill(TestWindow &t)
{
    const QString shown = QStringLiteral("123456781234567").left(t->drillState().intMonsu);
    t.score(shown, shown.chopped(1) + u'0');
}

// One more result in the history: a drill scored, and saved by auto-save or else by Save.
void saveADrill(TestWindow &t)
{
    scoreADrill(t);
    if (t->drillState().intAs == 0)
        t->ui.cmdHozon->click();
}

int records(TestWindow &t)
{
    return t->history().model().recordCount();
}

// The folder holds exactly these names: nothing was left behind by a failed write.
QStringList namesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                               QDir::System | QDir::Hidden);
    names.removeIf(
        [](const QString &name) { return name == u"filler" || name.startsWith(u"inode"); });
    names.sort();
    return names;
}

// A file-size limit on this process (as `ulimit -f` sets one) for the length of a test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool set() const { return m_set; }
    void lift()
    {
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_old);
        m_set = false;
    }

private:
    rlimit m_old{};
    bool m_set = false;
};

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

public:
    // Before the test application and its threads exist: see TmpfsMount.
    static void initMain() { TmpfsMount::available() = TmpfsMount::enterPrivateNamespace(); }

private Q_SLOTS:
    // Start-up on a data file that is no file: it must neither wait nor pass for a history.
    void startUpOnWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString folder = QStringLiteral("同じ名前のフォルダがあります");
        const QString noFile = QStringLiteral("通常のファイルではありません");
        QTest::newRow("history is a folder") << historyName << u"folder"_qs << folder;
        QTest::newRow("settings is a folder") << settingsName << u"folder"_qs << folder;
        QTest::newRow("history is a pipe") << historyName << u"pipe"_qs << noFile;
        QTest::newRow("settings is a pipe") << settingsName << u"pipe"_qs << noFile;
    }
    void startUpOnWhatIsNoFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestWindow t(settingsBytes, lineOfDay(1));
        QVERIFY(t.loaded);
        const QString path = t.dataFile(name);
        QVERIFY(QFile::remove(path));
        std::unique_ptr<PipeInPlace> pipe;
        if (kind == u"folder") {
            QVERIFY(QDir().mkdir(path));
        } else {
            pipe = std::make_unique<PipeInPlace>(path, name == settingsName ? settingsBytes
                                                                            : lineOfDay(2));
            QVERIFY(pipe->made());
        }

        QVERIFY(!t.restart());
        QVERIFY2(t.error.contains(QStringLiteral("「%1」").arg(name)), qPrintable(t.error));
        QVERIFY2(t.error.contains(reason), qPrintable(t.error));
        QVERIFY2(isJapanese(t.error), qPrintable(t.error));
        if (pipe) {
            QVERIFY2(!pipe->wasRead(), "start-up opened the pipe");
            QVERIFY(pipe->stillAPipe());
        } else {
            QVERIFY(QFileInfo(path).isDir());
        }
    }

    // A folder or a pipe appears where a data file was while the program runs.
    void writeOntoWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString folder = QStringLiteral("同じ名前のフォルダがあります");
        const QString noFile = QStringLiteral("通常のファイルではありません");
        for (const QString &operation : {u"save"_qs, u"clear"_qs, u"settings"_qs}) {
            QTest::addRow("%s onto a folder", qPrintable(operation))
                << operation << u"folder"_qs << folder;
            QTest::addRow("%s onto a pipe", qPrintable(operation))
                << operation << u"pipe"_qs << noFile;
        }
    }
    void writeOntoWhatIsNoFile()
    {
        QFETCH(QString, operation);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestWindow t(settingsBytes, linesOfDays(2));
        QVERIFY(t.loaded);
        const QString name = operation == u"settings" ? settingsName : historyName;
        const QString path = t.dataFile(name);
        QVERIFY(QFile::remove(path));
        std::unique_ptr<PipeInPlace> pipe;
        if (kind == u"folder") {
            QVERIFY(QDir().mkdir(path));
            QVERIFY(writeBytes(path + u"/inside"_qs, "kept"));
        } else {
            pipe = std::make_unique<PipeInPlace>(path, QByteArray());
            QVERIFY(pipe->made());
        }

        // The history can no longer be read again: クリア says so without asking first.
        const QList<MessageBoxAnswerer::Shown> shown = run(t, operation);
        QCOMPARE(shown.size(), 1);
        checkWarning(shown.last(), operation, name, reason);
        QCOMPARE(records(t), 2); // the table still shows the history
        if (pipe) {
            QVERIFY(pipe->stillAPipe());
        } else {
            QCOMPARE(namesIn(path), QStringList{u"inside"_qs});
            QCOMPARE(fileBytes(path + u"/inside"_qs), QByteArray("kept"));
        }
        QCOMPARE(namesIn(t.dir.path()), (QStringList{historyName, settingsName}));
    }

    // The data folder on a disk that is full or read-only: each write fails as a whole and is
    // reported; whatever needs no new space (emptying the history) still works.
    void fullOrReadOnlyDisk_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<int>("historyLines");
        QTest::addColumn<QString>("reason"); // empty: the operation succeeds
        const QString full = QStringLiteral("ディスクがいっぱいです");
        const QString readOnly = QStringLiteral("読み取り専用のディスクです");
        QTest::newRow("save, no block free") << u"save"_qs << u"full"_qs << 0 << full;
        // 53 lines fill 4028 bytes of a 4096-byte block: the new line starts in the block's
        // last 68 bytes and breaks off there, so it must be taken back.
        QTest::newRow("save, breaks off in mid-line") << u"save"_qs << u"full"_qs << 53 << full;
        QTest::newRow("save, no inode free") << u"save"_qs << u"no inode"_qs << 2 << QString();
        QTest::newRow("save, read-only") << u"save"_qs << u"read-only"_qs << 2 << readOnly;
        QTest::newRow("clear, no block free") << u"clear"_qs << u"full"_qs << 2 << QString();
        QTest::newRow("clear, no inode free") << u"clear"_qs << u"no inode"_qs << 2 << full;
        QTest::newRow("clear, read-only") << u"clear"_qs << u"read-only"_qs << 2 << readOnly;
        QTest::newRow("settings, no block free") << u"settings"_qs << u"full"_qs << 2 << full;
        QTest::newRow("settings, no inode free") << u"settings"_qs << u"no inode"_qs << 2 << full;
        QTest::newRow("settings, read-only") << u"settings"_qs << u"read-only"_qs << 2 << readOnly;
    }
    void fullOrReadOnlyDisk()
    {
        QFETCH(QString, operation);
        QFETCH(QString, disk);
        QFETCH(int, historyLines);
        QFETCH(QString, reason);
        if (!TmpfsMount::available())
            QSKIP("needs root, to mount a small tmpfs as the data folder");
        TestWindow t(settingsBytes, QByteArray(""));
        const QByteArray history = linesOfDays(historyLines);
        TmpfsMount mount(t.dir.path(), disk == u"no inode" ? "size=64k,nr_inodes=8" : "size=64k");
        QVERIFY2(mount.mounted(), qPrintable(mount.error()));
        QVERIFY(writeBytes(t.dataFile(settingsName), settingsBytes));
        QVERIFY(writeBytes(t.dataFile(historyName), history));
        QVERIFY2(t.restart(), qPrintable(t.error)); // started on the mounted folder
        if (disk == u"full")
            QVERIFY(mount.fillBlocks());
        else if (disk == u"no inode")
            QVERIFY(mount.fillInodes());
        else
            QVERIFY(mount.remountReadOnly());

        const QList<MessageBoxAnswerer::Shown> shown = run(t, operation);
        const QString name = operation == u"settings" ? settingsName : historyName;
        if (reason.isEmpty()) {
            QCOMPARE(shown.size(), operation == u"clear" ? 2 : 0);
        } else {
            QCOMPARE(shown.size(), operation == u"clear" ? 2 : 1);
            checkWarning(shown.last(), operation, name, reason);
        }

        QByteArray historyAfter = history;
        if (reason.isEmpty() && operation == u"save")
            historyAfter += HistoryLine::format(t->history().model().record(records(t) - 1));
        if (reason.isEmpty() && operation == u"clear")
            historyAfter.clear();
        QCOMPARE(fileBytes(t.dataFile(historyName)), historyAfter);
        QCOMPARE(fileBytes(t.dataFile(settingsName)), settingsBytes);
        QCOMPARE(namesIn(t.dir.path()), (QStringList{historyName, settingsName}));
        // The table agrees with the file.
        QCOMPARE(records(t), int(HistoryScanner::scan(historyAfter).records.size()));
    }

    // A write beyond the process's file-size limit (ulimit -f) fails like one onto a full disk:
    // the program is not ended by SIGXFSZ, the part of a line written is taken back, the player
    // is told why, and once the limit is lifted the program saves on, in step with the file.
    void fileSizeLimit_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("limit");      // in bytes; the history has two lines, 152 bytes
        QTest::addColumn<QString>("reason"); // empty: the operation succeeds
        const QString tooLarge = QStringLiteral("ファイルが大きすぎます");
        QTest::newRow("save, no byte left") << u"save"_qs << 152 << tooLarge;
        QTest::newRow("save, breaks off in mid-line") << u"save"_qs << 182 << tooLarge;
        // The new settings file, 7 bytes, is larger than the limit.
        QTest::newRow("settings, over the limit") << u"settings"_qs << 3 << tooLarge;
        QTest::newRow("clear, under the limit") << u"clear"_qs << 152 << QString();
    }
    void fileSizeLimit()
    {
        QFETCH(QString, operation);
        QFETCH(int, limit);
        QFETCH(QString, reason);
        const QByteArray history = linesOfDays(2);
        QCOMPARE(history.size(), 152);
        TestWindow t(settingsBytes, history);
        QVERIFY(t.loaded);

        FileSizeLimit sizeLimit{rlim_t(limit)};
        QVERIFY(sizeLimit.set());
        const QList<MessageBoxAnswerer::Shown> shown = run(t, operation);
        sizeLimit.lift();
        const QString name = operation == u"settings" ? settingsName : historyName;
        if (reason.isEmpty()) {
            QCOMPARE(shown.size(), operation == u"clear" ? 2 : 0);
        } else {
            QCOMPARE(shown.size(), 1);
            checkWarning(shown.last(), operation, name, reason);
        }
        const QByteArray historyAfter = operation == u"clear" ? QByteArray() : history;
        QCOMPARE(fileBytes(t.dataFile(historyName)), historyAfter);
        QCOMPARE(fileBytes(t.dataFile(settingsName)), settingsBytes);
        QCOMPARE(namesIn(t.dir.path()), (QStringList{historyName, settingsName}));
        QCOMPARE(records(t), int(HistoryScanner::scan(historyAfter).records.size()));

        saveADrill(t);
        QCOMPARE(fileBytes(t.dataFile(historyName)),
                 historyAfter + HistoryLine::format(t->history().model().record(records(t) - 1)));
        QCOMPARE(records(t), int(HistoryScanner::scan(historyAfter).records.size()) + 1);
    }

    // A stream of saves in a real process started under `ulimit -f`: it is told that the file
    // is too large and ends by itself instead of being killed by SIGXFSZ, and the file holds
    // whole lines only, up to the limit.
    void streamOfSavesUnderUlimit()
    {
        const QByteArray before = linesOfDays(3);
        TestWindow t(settingsBytes, before);
        QVERIFY(t.loaded);
        QProcess saver;
        // bash counts ulimit -f in KiB: 4096 bytes, not a whole number of lines.
        saver.start(u"bash"_qs, {u"-c"_qs, u"ulimit -f 4 && exec \"$0\" \"$1\""_qs,
                                 QStringLiteral(SAVE_STREAM), t.dir.path()});
        QVERIFY(saver.waitForFinished(20000));
        QCOMPARE(saver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(saver.exitCode(), 1);
        const QString said = QString::fromUtf8(saver.readAllStandardError());
        QVERIFY2(said.contains(u"ファイルが大きすぎます"_qs), qPrintable(said));

        const QByteArray after = fileBytes(t.dataFile(historyName));
        QByteArray expected = before;
        int lines = 0;
        while (expected.size() < after.size())
            expected += HistoryLine::format(streamRecord(++lines));
        QCOMPARE(after, expected);
        QVERIFY(after.size() <= 4096);
        QVERIFY(after.size() + HistoryLine::format(streamRecord(lines + 1)).size() > 4096);
    }

    // Start-up on a history file of what this program never writes: the lines it can read
    // are loaded, the rest left out and counted, and nothing makes it wait or grow without end.
    void startUpOnHostileHistory_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("loadedRecords");
        QTest::addColumn<int>("skippedLines"); // -1: start-up refuses the file
        QTest::newRow("a line of 100 MB") << u"long line"_qs << 2 << 1;
        QTest::newRow("a line of 100 MB, never ended") << u"long tail"_qs << 1 << 1;
        QTest::newRow("10 MB of binary zeros") << u"zeros"_qs << 1 << 1;
        QTest::newRow("bytes that are no code page 932") << u"not cp932"_qs << 2 << 4;
        QTest::newRow("a million empty lines") << u"line ends"_qs << 1 << 1000000;
        QTest::newRow("a million lines") << u"million"_qs << 1000000 << 0;
        QTest::newRow("larger than any history") << u"huge"_qs << 0 << -1;
        QTest::newRow("a device in its place") << u"device"_qs << 0 << -1;
    }
    void startUpOnHostileHistory()
    {
        QFETCH(QString, kind);
        QFETCH(int, loadedRecords);
        QFETCH(int, skippedLines);
        TestWindow t(settingsBytes, QByteArray(""));
        const QString path = t.dataFile(historyName);
        const QByteArray first = lineOfDay(1), last = lineOfDay(2);
        constexpr qsizetype mb = 1024 * 1024;
        if (kind == u"long line") {
            QVERIFY(writeBytes(path, first + QByteArray(100 * mb, 'x') + "\r\n" + last));
        } else if (kind == u"long tail") {
            QVERIFY(writeBytes(path, first + QByteArray(100 * mb, '7')));
        } else if (kind == u"zeros") {
            QVERIFY(writeBytes(path, QByteArray(10 * mb, '\0') + "\r\n" + last));
        } else if (kind == u"not cp932") {
            QByteArray badLead = first, badTrail = first, highBytes;
            badLead[27] = '\xA0';  // no lead byte of code page 932
            badTrail[28] = '\x20'; // a lead byte without its trail
            for (int b = 0x80; b <= 0xFF; ++b)
                highBytes += char(b);
            QVERIFY(writeBytes(path, first + badLead + badTrail + highBytes + "\r\n" +
                                         QByteArray(first).replace('2', '\xFF') + last));
        } else if (kind == u"line ends") {
            QVERIFY(writeBytes(path, first + QByteArray(skippedLines, '\n')));
        } else if (kind == u"million") {
            QByteArray content;
            content.reserve(loadedRecords * first.size());
            for (int i = 0; i < loadedRecords; ++i)
                content += lineOfDay(i);
            QVERIFY(writeBytes(path, content));
        } else if (kind == u"huge") {
            // Sparse: as large as it says, without taking the disk.
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(4LL * 1024 * mb));
        } else {
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::link(u"/dev/zero"_qs, path));
        }

        if (skippedLines > 0)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"%1 の %2 行は履歴の行ではないため読み飛ばし"
                                                    "ました"_qs.arg(historyName)
                                                        .arg(skippedLines)));
        const bool started = t.restart();
        if (skippedLines < 0) {
            QVERIFY(!started);
            QVERIFY2(t.error.contains(QStringLiteral("「%1」").arg(historyName)),
                     qPrintable(t.error));
            QVERIFY2(isJapanese(t.error), qPrintable(t.error));
            return;
        }
        QVERIFY2(started, qPrintable(t.error));
        QCOMPARE(records(t), loadedRecords);
        if (kind != u"million")
            QCOMPARE(
                t->history().model().record(records(t) - 1),
                HistoryScanner::scan(kind == u"long tail" || kind == u"line ends" ? first : last)
                    .records.at(0));
    }

    // Start-up only reads: a read-only data folder starts as any other.
    void startUpFromAReadOnlyFolder()
    {
        if (!TmpfsMount::available())
            QSKIP("needs root, to mount a small tmpfs as the data folder");
        TestWindow t(settingsBytes, QByteArray(""));
        TmpfsMount mount(t.dir.path(), "size=64k");
        QVERIFY2(mount.mounted(), qPrintable(mount.error()));
        QVERIFY(writeBytes(t.dataFile(settingsName), "7,3,1\r\n"));
        QVERIFY(writeBytes(t.dataFile(historyName), linesOfDays(3)));
        QVERIFY(mount.remountReadOnly());
        QVERIFY2(t.restart(), qPrintable(t.error));
        QCOMPARE(records(t), 3);
        QCOMPARE(t->drillState().intMonsu, int16_t(7));
    }

    // A stream of saves in a real process, killed with SIGKILL: every line it finished is
    // there and whole, nothing older is lost, the next start loads them all, and the next save
    // starts a line of its own even after half a line.
    void killedInAStreamOfSaves_data()
    {
        QTest::addColumn<int>("tearAt");
        QTest::addColumn<int>("killAfter");
        QTest::newRow("killed while saving at full speed") << 0 << 300;
        QTest::newRow("killed in the middle of a line") << 40 << 0;
    }
    void killedInAStreamOfSaves()
    {
        QFETCH(int, tearAt);
        QFETCH(int, killAfter);
        const QByteArray before = linesOfDays(3);
        TestWindow t(settingsBytes, before);
        QVERIFY(t.loaded);

        QProcess saver;
        saver.setProgram(QStringLiteral(SAVE_STREAM));
        saver.setArguments({t.dir.path(), QString::number(tearAt)});
        saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        saver.start();
        QVERIFY(saver.waitForStarted());
        int saved = 0;
        bool torn = false;
        QElapsedTimer waited;
        waited.start();
        while (!(tearAt ? torn : saved >= killAfter) && waited.elapsed() < 20000) {
            if (!saver.canReadLine() && !saver.waitForReadyRead(1000))
                QVERIFY2(saver.state() == QProcess::Running, "the saver stopped by itself");
            while (saver.canReadLine()) {
                const QByteArray said = saver.readLine().trimmed();
                if (said.startsWith("saved "))
                    saved = said.mid(6).toInt();
                torn = torn || said.startsWith("torn ");
            }
        }
        QVERIFY(tearAt ? torn : saved >= killAfter);
        saver.kill(); // SIGKILL
        QVERIFY(saver.waitForFinished());
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
        // It may have saved on while the test read: its last word counts.
        for (const QByteArray &said : saver.readAllStandardOutput().split('\n')) {
            if (said.startsWith("saved "))
                saved = said.mid(6).toInt();
        }

        // The file: what was there before, then the stream's lines in order, at least as many
        // as were reported saved, perhaps one more, perhaps a last one cut off.
        const QByteArray after = fileBytes(t.dataFile(historyName));
        QVERIFY(after.startsWith(before));
        QByteArray expected = before;
        int lines = 0;
        while (after.startsWith(expected + HistoryLine::format(streamRecord(lines + 1))))
            expected += HistoryLine::format(streamRecord(++lines));
        QVERIFY2(lines >= saved, qPrintable(u"%1 lines for %2 saves"_qs.arg(lines).arg(saved)));
        QVERIFY(lines <= saved + 1);
        const QByteArray tail = after.mid(expected.size());
        QVERIFY2(HistoryLine::format(streamRecord(lines + 1)).startsWith(tail),
                 tail.toHex().constData());
        if (tearAt) {
            QCOMPARE(lines, tearAt - 1);
            QVERIFY(!tail.isEmpty());
        }

        // The next start loads every whole line, and says in Japanese which it left out.
        if (!tail.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"%1 の 1 行は履歴の行ではないため読み飛ばし"
                                                    "ました（%2 行目）"_qs.arg(historyName)
                                                        .arg(3 + lines + 1)));
        QVERIFY2(t.restart(), qPrintable(t.error));
        QCOMPARE(records(t), 3 + lines);
        QCOMPARE(t->history().model().record(records(t) - 1),
                 lines ? streamRecord(lines) : HistoryScanner::scan(before).records.back());

        // A new save lands on a line of its own, after the cut-off one.
        scoreADrill(t);
        t->ui.cmdHozon->click();
        QCOMPARE(records(t), 3 + lines + 1);
        const QByteArray saveLine =
            HistoryLine::format(t->history().model().record(records(t) - 1));
        QCOMPARE(fileBytes(t.dataFile(historyName)),
                 after + (tail.isEmpty() ? "" : "\r\n") + saveLine);
        if (!tail.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"の 1 行は"_qs));
        QVERIFY(t.restart());
        QCOMPARE(records(t), 3 + lines + 1);
    }

    // A byte-order mark, which an editor elsewhere may write, before either file's first line:
    // start-up reads the file as without it, and nothing the program writes carries one.
    void byteOrderMarks_data()
    {
        QTest::addColumn<bool>("inSettings");
        QTest::addColumn<bool>("inHistory");
        QTest::newRow("settings") << true << false;
        QTest::newRow("history") << false << true;
        QTest::newRow("both") << true << true;
    }
    void byteOrderMarks()
    {
        QFETCH(bool, inSettings);
        QFETCH(bool, inHistory);
        const QByteArray mark = "\xEF\xBB\xBF";
        const QByteArray history = (inHistory ? mark : QByteArray("")) + linesOfDays(2);
        TestWindow t((inSettings ? mark : QByteArray("")) + "7,3,0\r\n", history);
        QVERIFY2(t.loaded, qPrintable(t.error));
        QCOMPARE(t->drillState().intMonsu, int16_t(7));
        QCOMPARE(records(t), 2); // no line left out: none is told on standard error either
        QTest::mouseClick(t->ui.chkAs, Qt::LeftButton);
        QCOMPARE(fileBytes(t.dataFile(settingsName)), QByteArray("7,3,1\r\n"));
        saveADrill(t);
        QCOMPARE(fileBytes(t.dataFile(historyName)),
                 history + HistoryLine::format(t->history().model().record(2)));
    }

    // A settings value that is no number is quoted by a short excerpt, decoded as the player's
    // editor wrote it: the refusal fits on the screen, and comes as quickly as any other.
    void refusalsFit_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("30 KB of words") << "5," + QByteArray("word ").repeated(6000) + ",1\r\n"
                                        << u"「word word word word word word word word …」"_qs;
        QTest::newRow("a field of a megabyte")
            << QByteArray(1024 * 1024 - 8, '5') + "x,5,1\r\n"
            << u"「%1…」"_qs.arg(QString(ShownText::excerptLength, u'5'));
        QTest::newRow("full-width digit, UTF-8")
            << QByteArray("\xEF\xBC\x95,5,1\r\n") << u"「５」"_qs;
        QTest::newRow("full-width digit, code page 932")
            << QByteArray("\x82\x54,5,1\r\n") << u"「５」"_qs;
    }
    void refusalsFit()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, quoted);
        TestWindow t(settings, linesOfDays(1));
        QVERIFY(!t.loaded);
        QVERIFY2(t.error.contains(quoted), qPrintable(t.error));
        QVERIFY2(t.error.size() < 120, qPrintable(t.error.left(200)));
        // The box start-up shows it in is no taller than the screen.
        QMessageBox box(QMessageBox::Critical, u"ケタモリ！"_qs, t.error);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.frameGeometry().height() <= box.screen()->availableGeometry().height());
    }

    // Lines start-up leaves out are told in the window once it shows, in Japanese: how many,
    // which, and that the file keeps them; the confirmation of クリア says they go too.
    void skippedLinesAreTold_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<QString>("lines");
        const QByteArray torn = lineOfDay(2).left(30);
        QTest::newRow("a foreign line, a blank one and a torn one")
            << lineOfDay(0) + "\r\n" + "\"2001/13/01\",x\r\n" + lineOfDay(1) + torn
            << u"3行（2、3、5行目）"_qs;
        QTest::newRow("more than are named") << lineOfDay(0) + QByteArray(12, '\n') + lineOfDay(1)
                                             << u"12行（2、3、4、5、6行目など）"_qs;
    }
    void skippedLinesAreTold()
    {
        QFETCH(QByteArray, history);
        QFETCH(QString, lines);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"読み飛ばしました"_qs));
        TestWindow t(settingsBytes, history);
        QVERIFY(t.loaded);
        QCOMPARE(records(t), 2);
        {
            MessageBoxAnswerer answerer({QMessageBox::Ok});
            t->show();
            QVERIFY(QTest::qWaitForWindowExposed(&t.w()));
            QTRY_COMPARE(answerer.shown().size(), 1);
            const MessageBoxAnswerer::Shown &told = answerer.shown().first();
            QCOMPARE(told.title, u"履歴の読み込み"_qs);
            QVERIFY2(told.text.contains(lines), qPrintable(told.text));
            QVERIFY2(told.text.contains(u"残しています"_qs), qPrintable(told.text));
            QVERIFY2(isJapanese(told.text), qPrintable(told.text));
            QTest::qWait(50);
            QCOMPARE(answerer.shown().size(), 1); // once
        }
        // Cancel: nothing goes; the question named the lines the table does not show.
        {
            MessageBoxAnswerer cancel({QMessageBox::Cancel});
            t->ui.cmdClear->click();
            QCOMPARE(cancel.shown().size(), 1);
            const QString question = cancel.shown().first().text;
            QVERIFY(question.startsWith(u"履歴データをクリアします。よろしいですか？\n\n"_qs));
            QVERIFY2(question.contains(lines), qPrintable(question));
        }
        QCOMPARE(fileBytes(t.dataFile(historyName)), history);
        // OK: they go with the rest, and the next question is the usual one.
        const QList<MessageBoxAnswerer::Shown> cleared = run(t, u"clear"_qs);
        QCOMPARE(cleared.size(), 2);
        QCOMPARE(fileBytes(t.dataFile(historyName)), QByteArray());
        MessageBoxAnswerer again({QMessageBox::Cancel});
        t->ui.cmdClear->click();
        QCOMPARE(again.shown().first().text, u"履歴データをクリアします。よろしいですか？"_qs);
    }

    // Another program changes "履歴.txt" while this one runs: before Save or クリア writes, the
    // player is told and the file loaded again, so that file and table stay in step.
    void fileChangedUnderTheProgram_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("told");
        const QString changed = u"変更されています"_qs, missing = u"見つかりません"_qs;
        for (const QString &operation : {u"save"_qs, u"clear"_qs}) {
            const auto row = [&](const char *name, const QString &change, const QString &told) {
                QTest::addRow("%s, %s", qPrintable(operation), name) << operation << change << told;
            };
            row("a line added by another copy", u"append"_qs, changed);
            row("replaced by another file", u"replace"_qs, changed);
            row("emptied", u"empty"_qs, changed);
            row("deleted", u"delete"_qs, missing);
            row("data folder deleted and made again", u"folder"_qs, missing);
        }
    }
    void fileChangedUnderTheProgram()
    {
        QFETCH(QString, operation);
        QFETCH(QString, change);
        QFETCH(QString, told);
        TestWindow t(settingsBytes, linesOfDays(3));
        QVERIFY(t.loaded);
        const QString path = t.dataFile(historyName);
        QByteArray now;
        if (change == u"append") {
            now = linesOfDays(3) + lineOfDay(20) + lineOfDay(21);
            QVERIFY(writeBytes(path, now));
        } else if (change == u"replace") {
            now = lineOfDay(9) + lineOfDay(10);
            const QString other = t.dataFile(u"other"_qs);
            QVERIFY(writeBytes(other, now));
            QVERIFY(::rename(QFile::encodeName(other).constData(),
                             QFile::encodeName(path).constData()) == 0);
        } else if (change == u"empty") {
            QVERIFY(writeBytes(path, now));
        } else if (change == u"delete") {
            QVERIFY(QFile::remove(path));
        } else {
            QVERIFY(QDir(t.dir.path()).removeRecursively());
            QVERIFY(QDir().mkpath(t.dir.path()));
        }

        const QList<MessageBoxAnswerer::Shown> shown = run(t, operation);
        QCOMPARE(shown.size(), operation == u"clear" ? 3 : 1);
        QCOMPARE(shown.first().title, u"履歴の読み込み"_qs);
        QVERIFY2(shown.first().text.contains(told), qPrintable(shown.first().text));
        QVERIFY2(isJapanese(shown.first().text), qPrintable(shown.first().text));
        const QByteArray after = fileBytes(path);
        if (operation == u"save")
            QCOMPARE(after, now + HistoryLine::format(t->history().model().record(records(t) - 1)));
        else
            QCOMPARE(after, QByteArray());
        // The table agrees with the file, and nothing further is told at the next write.
        QCOMPARE(records(t), int(HistoryScanner::scan(after).records.size()));
        QCOMPARE(run(t, u"save"_qs).size(), 0);
        QCOMPARE(records(t), int(HistoryScanner::scan(fileBytes(path)).records.size()));
    }

    // The real program started in a data folder whose name is no valid UTF-8 (an old Shift-JIS
    // name): it opens its files by their bare names, and a refusal names the folder readably.
    void startsInAFolderNamedInShiftJis_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("starts");
        QTest::newRow("sound files") << settingsBytes << true;
        QTest::newRow("refused settings") << QByteArray("x,5,0\r\n") << false;
    }
    void startsInAFolderNamedInShiftJis()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, starts);
        QTemporaryDir parent;
        const QByteArray folder = QFile::encodeName(parent.path()) + "/\x83\x65\x83\x58\x83\x67";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        const QByteArray home = QFile::encodeName(QDir::currentPath());
        QVERIFY(::chdir(folder.constData()) == 0);
        const auto back = qScopeGuard([&home] { QVERIFY(::chdir(home.constData()) == 0); });
        QVERIFY(writeBytes(settingsName, settings));
        QVERIFY(writeBytes(historyName, linesOfDays(2)));
        QCOMPARE(ShownText::folderName(QDir(u"."_qs)),
                 QDir::toNativeSeparators(parent.path() + u"/テスト"_qs));

        QProcess program;
        program.setProgram(QStringLiteral(KETAMORI_BINARY));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        program.setProcessEnvironment(environment);
        program.start();
        QVERIFY(program.waitForStarted());
        // Refused, it says why on standard error, then waits in its message box.
        QByteArray said;
        QElapsedTimer waited;
        waited.start();
        while (!said.contains("データフォルダ") && program.state() == QProcess::Running &&
               waited.elapsed() < (starts ? 3000 : 20000)) {
            program.waitForReadyRead(200);
            said += program.readAllStandardError();
        }
        const bool running = program.state() == QProcess::Running;
        program.kill();
        program.waitForFinished();
        const QString message = QString::fromUtf8(said);
        if (starts) {
            QVERIFY2(running && !message.contains(u"ketamori:"_qs), qPrintable(message));
        } else {
            QVERIFY2(message.contains(u"「x」"_qs), qPrintable(message));
            QVERIFY2(message.contains(u"データフォルダ: %1"_qs.arg(parent.path() + u"/テスト"_qs)),
                     qPrintable(message));
        }
        QCOMPARE(fileBytes(historyName), linesOfDays(2));
    }

private:
    // Runs one operation as the player would, answering every message box with OK.
    static QList<MessageBoxAnswerer::Shown> run(TestWindow &t, const QString &operation)
    {
        MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok});
        if (operation == u"save") {
            scoreADrill(t);
            t->ui.cmdHozon->click();
        } else if (operation == u"clear") {
            t->ui.cmdClear->click();
        } else {
            QTest::mouseClick(t->ui.chkAs, Qt::LeftButton); // auto-save on: a settings change
        }
        return answerer.shown();
    }

    static void checkWarning(const MessageBoxAnswerer::Shown &box, const QString &operation,
                             const QString &name, const QString &reason)
    {
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.title, operation == u"clear" ? u"クリアエラー"_qs : u"保存エラー"_qs);
        QVERIFY2(box.text.contains(QStringLiteral("「%1」").arg(name)), qPrintable(box.text));
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        QVERIFY2(isJapanese(box.text), qPrintable(box.text));
    }
};

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
