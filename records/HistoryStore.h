// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class Clock;
class HistoryFile;
class HistoryModel;
class HistoryPrompt;
struct DrillResult;
struct HistoryContents;

// The history file and the table's model, always in step: a record reaches the model only once
// its line is on disk, and the model is emptied only once the file is. A file changed by another
// program since it was read is read again before it is written. No widgets: what the player is
// told or asked goes through the prompt.
class HistoryStore : public QObject
{
    Q_OBJECT

public:
    HistoryStore(HistoryFile &file, Clock &clock, HistoryPrompt &prompt, QObject *parent = nullptr);
    ~HistoryStore() override;

    HistoryModel &model() { return *m_model; }

    // Reads the file into the model at start-up. Returns false with a message for the player
    // when the file is missing or cannot be read.
    bool load(QString *error);
    // Appends a scored result, exactly as it was scored, with the clock's date and time.
    // Returns false, the player told, when it could not be saved.
    bool save(const DrillResult &result);
    // Empties the file and the model once the player confirms. Returns whether it did.
    bool clear();

    // What the player is told of the lines of the file the table left out; empty when none.
    QString skippedLinesText() const;
    qint64 skippedCount() const { return m_skippedCount; }

Q_SIGNALS:
    void contentsReplaced(); // the model holds the file as read afresh
    void appended();         // one record more, at the end

private:
    void takeContents(HistoryContents &&contents);
    // Before the file is written: when another program changed it since it was loaded, the
    // player is told and the model loaded again, so that it shows what the file holds before
    // `next` ("保存", "クリア") goes on. Returns false, having shown the failure with consequence
    // under title, when the file cannot be read.
    bool followFileChanges(const QString &next, const QString &consequence, const QString &title);

    HistoryFile &m_file;
    Clock &m_clock;
    HistoryPrompt &m_prompt;
    HistoryModel *m_model;        // a child of the store
    QList<qint64> m_skippedLines; // of the file as loaded: see HistoryContents
    qint64 m_skippedCount = 0;
};
