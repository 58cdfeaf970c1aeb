// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the history tells the player and asks of them. The window answers with message boxes;
// a test can answer without any.
class HistoryPrompt
{
public:
    virtual ~HistoryPrompt() = default;

    // A data file could not be written: the file layer's message, then what follows from it.
    virtual void warnNotWritten(const QString &message, const QString &consequence,
                                const QString &title) = 0;
    // Something the player should know; the program goes on.
    virtual void inform(const QString &title, const QString &text) = 0;
    // A question with OK and Cancel, OK the default; true for OK.
    virtual bool confirm(const QString &title, const QString &question) = 0;
};
