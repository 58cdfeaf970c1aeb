#pragma once

#include <QObject>
#include <QString>
#include <memory>

class Clock;
class HistoryFile;
class HistoryModel;
class frmMain;

// The history file and the history table msgRireki: laying out the table, loading the file into
// it at start-up, saving a result and clearing the history. File and table always agree: a
// record reaches the table only once its line is on disk, and the table is emptied only once the
// file is.
class History : public QObject
{
    Q_OBJECT

public:
    History(frmMain &form, Clock &clock);
    ~History() override;

    // Lays out the history table with its header row only.
    void InitRireki();
    // Loads the history file into the table and scrolls to the newest record. Returns false
    // with a message for the player when the file is missing or cannot be read.
    bool LoadHistory(QString *error);
    // The Click of cmdHozon, also called by scoring when auto-save is on: appends the last
    // scored result to the file and the table.
    void Save();
    // The Click of cmdClear: empties the file and the table after the player confirms.
    void ClearHistory();

    HistoryModel &model() { return *m_model; }
    // Replaces the file layer, so tests can make the disk fail.
    void setFile(std::unique_ptr<HistoryFile> file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyScrollRule();

    frmMain &m_form;
    Clock &m_clock;
    std::unique_ptr<HistoryFile> m_file;
    HistoryModel *m_model = nullptr; // owned by the table
    bool m_scrollWhenShown = false;
};
