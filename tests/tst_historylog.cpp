// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeClock.h"
#include "HistoryBytes.h"
#include "SaveStream.h"
#include "files/Disk.h"
#include "records/HistoryModel.h"
#include "records/HistoryPrompt.h"
#include "records/HistoryStore.h"
#include "records/core/DrillDetailText.h"
#include "records/core/DrillLog.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The history with its drill log, without a window: each saved line gets its detail right after
// it, for exactly that line; clearing empties both; what the log cannot do is told once, and
// never costs a line.

namespace {

// Answers every question with OK and keeps what the player was told.
class RecordingPrompt : public HistoryPrompt
{
public:
    struct Told
    {
        QString title;
        QString text;
        bool warning;
    };
    QList<Told> told;

    void warnNotWritten(const QString &message, const QString &consequence,
                        const QString &title) override
    {
        told.append({title, message + u'\n' + consequence, true});
    }
    void inform(const QString &title, const QString &text) override
    {
        told.append({title, text, false});
    }
    bool confirm(const QString &, const QString &) override { return true; }
};

} // namespace

class tst_HistoryLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        dir.emplace();
        QVERIFY(dir->isValid());
        clock.setLocalNow(streamMoment(1));
    }
    void cleanup() { dir.reset(); }

    // The detail of each save names the file's own line, counting the lines the table left out
    // (a foreign line, a cut-off one that the next save ends first), and the table's row shows
    // it as its tooltip.
    void eachSaveLogsItsLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<qint64>("firstLine");
        QTest::newRow("an empty history") << QByteArray() << qint64(1);
        QTest::newRow("lines the table left out")
            << lineOfDay(1) + "not a history line\r\n" + lineOfDay(2) + "\"2001/0" << qint64(5);
    }
    void eachSaveLogsItsLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(qint64, firstLine);
        QVERIFY(writeFile(historyPath(), before));
        if (firstLine > 1)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"の 2 行は履歴の行ではない"_qs));
        HistoryFile file(historyPath(), Disk::real());
        DrillLog log(logPath());
        RecordingPrompt prompt;
        HistoryStore store(file, clock, prompt, &log);
        QVERIFY(store.load(nullptr));
        const int rowsBefore = store.model().recordCount();
        for (int n = 1; n <= 2; ++n) {
            QVERIFY(store.save(streamResult(n)));
            clock.advance(1);
        }
        QCOMPARE(prompt.told.size(), 0);

        const QList<QByteArray> lines = fileBytes(historyPath()).split('\n');
        QString error;
        const std::optional<DrillLog::Contents> contents = log.read(store.lineCount(), &error);
        QVERIFY2(contents, qPrintable(error));
        QCOMPARE(contents->drills.size(), 2);
        for (int n = 1; n <= 2; ++n) {
            const LoggedDrill &drill = contents->drills.at(n - 1);
            QCOMPARE(drill.result, streamResult(n));
            QCOMPARE(drill.lineNumber, firstLine + n - 1);
            QCOMPARE(drill.historyLine + '\r', lines.at(drill.lineNumber - 1));
            const int row = rowsBefore + n - 1;
            QCOMPARE(store.lineNumberOf(row), drill.lineNumber);
            QCOMPARE(store.detailOf(row), drill);
            QCOMPARE(store.model().data(store.model().index(row, 3), Qt::ToolTipRole).toString(),
                     drillDetailText(drill));
        }
        // Rows from before the log have no detail and no tooltip.
        for (int row = 0; row < rowsBefore; ++row) {
            QCOMPARE(store.detailOf(row), std::nullopt);
            QVERIFY(store.model().data(store.model().index(row, 3), Qt::ToolTipRole).isNull());
        }
    }

    // A log that cannot be written costs no line and is told once, not on every save.
    void logThatCannotBeWrittenIsToldOnce()
    {
        QVERIFY(writeFile(historyPath(), {}));
        QVERIFY(QDir(dir->path()).mkdir(DrillLog::fileName()));
        HistoryFile file(historyPath(), Disk::real());
        DrillLog log(logPath());
        RecordingPrompt prompt;
        HistoryStore store(file, clock, prompt, &log);
        QVERIFY(store.load(nullptr));
        QVERIFY(store.save(streamResult(1)));
        QVERIFY(store.save(streamResult(2)));
        QCOMPARE(store.model().recordCount(), 2);
        QCOMPARE(fileBytes(historyPath()).count('\n'), 2);
        QCOMPARE(prompt.told.size(), 1);
        QVERIFY2(prompt.told.first().text.contains(u"同じ名前のフォルダがあります"),
                 qPrintable(prompt.told.first().text));
    }

    // Clear empties the history and its log in one confirmed action, with one message either
    // way: the report, or the warning that the log kept its details.
    void clearEmptiesBoth_data()
    {
        QTest::addColumn<bool>("newerLog");
        QTest::newRow("both emptied") << false;
        QTest::newRow("a newer version's log, kept") << true;
    }
    void clearEmptiesBoth()
    {
        QFETCH(bool, newerLog);
        QVERIFY(writeFile(historyPath(), {}));
        HistoryFile file(historyPath(), Disk::real());
        std::optional<DrillLog> log(std::in_place, logPath());
        RecordingPrompt prompt;
        std::optional<HistoryStore> store(std::in_place, file, clock, prompt, &*log);
        QVERIFY(store->load(nullptr));
        QVERIFY(store->save(streamResult(1)));
        if (newerLog) {
            store.reset();
            log.reset();
            QVERIFY(QProcess::execute(QStringLiteral(SQLITE3_COMMAND),
                                      {logPath(), QStringLiteral("PRAGMA user_version = 2")}) == 0);
            log.emplace(logPath());
            store.emplace(file, clock, prompt, &*log);
            QVERIFY(store->load(nullptr));
            prompt.told.clear();
        }
        QVERIFY(store->clear());
        QCOMPARE(fileBytes(historyPath()), QByteArray());
        QCOMPARE(store->model().recordCount(), 0);
        QString error;
        const std::optional<DrillLog::Contents> contents = log->read(1, &error);
        QVERIFY2(contents, qPrintable(error));
        // The newer log says so when first opened; the clearing adds one message of its own.
        const qsizetype told = newerLog ? 2 : 1;
        QCOMPARE(prompt.told.size(), told);
        const RecordingPrompt::Told &last = prompt.told.last();
        if (newerLog) {
            QCOMPARE(contents->drills.size(), 1);
            QVERIFY(last.warning);
            QVERIFY2(last.text.contains(u"詳細記録は消えずに残っています"), qPrintable(last.text));
        } else {
            QCOMPARE(contents->drills.size(), 0);
            QCOMPARE(last.title, QStringLiteral("クリア終了"));
        }
    }

private:
    QString historyPath() const { return dir->filePath(HistoryFile::fileName()); }
    QString logPath() const { return dir->filePath(DrillLog::fileName()); }
    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

    std::optional<QTemporaryDir> dir;
    FakeClock clock;
};

QTEST_GUILESS_MAIN(tst_HistoryLog)
#include "tst_historylog.moc"
