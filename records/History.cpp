#include "records/History.h"

#include "app/frmMain.h"

#include <QFile>

History::History(frmMain &form, Clock &clock) : m_form(form), m_clock(clock) {}

void History::InitRireki() {}

bool History::LoadHistory(QString *error)
{
    const QString name = QStringLiteral("履歴.txt");
    QFile file(m_form.dataFile(name));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("履歴ファイル「%1」を開けません。\n%2")
                         .arg(name, file.errorString());
        return false;
    }
    return true;
}

// Saving and clearing arrive with the history file format.
void History::Save() {}
void History::ClearHistory() {}
