// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/HistoryPrompt.h"

class QWidget;

// The history's messages and questions as modal message boxes over the window.
class MessageBoxPrompt : public HistoryPrompt
{
public:
    explicit MessageBoxPrompt(QWidget &owner) : m_owner(owner) {}

    void warnNotWritten(const QString &message, const QString &consequence,
                        const QString &title) override;
    void inform(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &question) override;

private:
    QWidget &m_owner;
};
