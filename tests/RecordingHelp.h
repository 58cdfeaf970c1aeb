// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/HelpService.h"

#include <QList>
#include <QStringList>

// Records what the window asks of the help viewer.
class RecordingHelp : public HelpService
{
public:
    void displayTopic(QWidget *owner, const QString &helpFile) override
    {
        owners.append(owner);
        shown.append(helpFile);
    }
    void closeAll() override { ++closes; }

    QList<QWidget *> owners;
    QStringList shown;
    int closes = 0;
};
