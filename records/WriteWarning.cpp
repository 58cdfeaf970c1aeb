#include "records/WriteWarning.h"

#include <QMessageBox>

void warnNotWritten(QWidget *owner, const QString &message, const QString &consequence,
                    const QString &title)
{
    QMessageBox::warning(owner, title, message + u'\n' + consequence);
}
