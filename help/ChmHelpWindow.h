// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ChmBrowser;
class QAction;

// The help viewer's own window: a small tool bar (back, forward, start page) over a browser of
// the help file's pages. It is a top-level window belonging to the window that opened it, never
// modal, and does not keep the program running once the main window has closed.
class ChmHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ChmHelpWindow(QWidget *owner);

    // Opens the help file afresh and shows its default topic. A file that is missing, is not a
    // help file or holds no page shows the viewer's message in its place.
    void openFile(const QString &helpFile);

    QString helpFile() const { return m_helpFile; }
    ChmBrowser *browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showMessage(const QString &text);
    void placeOnFirstShow();

    QString m_helpFile;
    ChmBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
    bool m_placed = false;
};
