// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The help viewer as the window uses it: show a compiled help file at its default topic in a
// window owned by the main window, and close every help window the program opened.
class HelpService
{
public:
    virtual ~HelpService() = default;

    virtual void displayTopic(QWidget *owner, const QString &helpFile) = 0;
    virtual void closeAll() = 0;
};
