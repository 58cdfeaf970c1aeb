// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/HelpService.h"

#include <QHash>
#include <QPointer>

class ChmHelpWindow;

// The program's own viewer for compiled help files. Each help file gets one help window,
// belonging to the window that first asked for it; asking again opens the file afresh at its
// default topic and brings the same window to the front.
class ChmHelpViewer : public HelpService
{
public:
    ChmHelpViewer() = default;
    ~ChmHelpViewer() override;
    ChmHelpViewer(const ChmHelpViewer &) = delete;
    ChmHelpViewer &operator=(const ChmHelpViewer &) = delete;

    void displayTopic(QWidget *owner, const QString &helpFile) override;
    void closeAll() override;

    // The window showing a help file, or nullptr.
    ChmHelpWindow *window(const QString &helpFile) const;

private:
    static QString key(const QString &helpFile);

    QHash<QString, QPointer<ChmHelpWindow>> m_windows;
};
