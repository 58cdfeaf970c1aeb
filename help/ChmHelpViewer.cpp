// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/ChmHelpViewer.h"

#include "help/ChmHelpWindow.h"

#include <QFileInfo>

ChmHelpViewer::~ChmHelpViewer()
{
    // Windows still alive belong to an owner that outlives the viewer, or to none at all.
    for (const QPointer<ChmHelpWindow> &window : std::as_const(m_windows))
        delete window.data();
}

QString ChmHelpViewer::key(const QString &helpFile)
{
    return QFileInfo(helpFile).absoluteFilePath();
}

ChmHelpWindow *ChmHelpViewer::window(const QString &helpFile) const
{
    return m_windows.value(key(helpFile)).data();
}

void ChmHelpViewer::displayTopic(QWidget *owner, const QString &helpFile)
{
    QPointer<ChmHelpWindow> &window = m_windows[key(helpFile)];
    if (!window)
        window = new ChmHelpWindow(owner ? owner->window() : nullptr);
    window->openFile(helpFile);
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void ChmHelpViewer::closeAll()
{
    for (const QPointer<ChmHelpWindow> &window : std::as_const(m_windows)) {
        if (window) {
            window->close();
            window->deleteLater();
        }
    }
    m_windows.clear();
}
