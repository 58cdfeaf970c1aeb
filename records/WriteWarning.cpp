// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/WriteWarning.h"

#include <QMessageBox>

void warnNotWritten(QWidget *owner, const QString &message, const QString &consequence,
                    const QString &title)
{
    QMessageBox::warning(owner, title, message + u'\n' + consequence);
}
