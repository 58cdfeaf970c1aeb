// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/MessageBoxPrompt.h"

#include "records/WriteWarning.h"

#include <QMessageBox>

void MessageBoxPrompt::warnNotWritten(const QString &message, const QString &consequence,
                                      const QString &title)
{
    ::warnNotWritten(&m_owner, message, consequence, title);
}

void MessageBoxPrompt::inform(const QString &title, const QString &text)
{
    QMessageBox::information(&m_owner, title, text);
}

bool MessageBoxPrompt::confirm(const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::Ok | QMessageBox::Cancel,
                    &m_owner);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
