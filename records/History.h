#pragma once

#include <QString>

class Clock;
class frmMain;

// The history file and the history table: laying out the table, loading the file into it at
// start-up, saving a result and clearing the history.
class History
{
public:
    History(frmMain &form, Clock &clock);

    // Lays out the history table with its header row only.
    void InitRireki();
    // Loads the history file into the table. Returns false with a message for the player when
    // the file is missing or cannot be read.
    bool LoadHistory(QString *error);
    // Appends the last scored result to the file and the table.
    void Save();
    // Empties the file and the table after the player confirms.
    void ClearHistory();

private:
    frmMain &m_form;
    Clock &m_clock;
};
