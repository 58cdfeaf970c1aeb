// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/ChmHelpWindow.h"

#include "controls/WindowPlacement.h"
#include "help/ChmBrowser.h"
#include "help/core/ChmFile.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

ChmHelpWindow::ChmHelpWindow(QWidget *owner) : QWidget(owner, Qt::Window)
{
    // The main window's closing ends the program; an open help window must not hold it up.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 500);

    auto *tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_back = tools->addAction(QStringLiteral("戻る"));
    m_forward = tools->addAction(QStringLiteral("進む"));
    m_home = tools->addAction(QStringLiteral("ホーム"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_home->setEnabled(false);

    m_browser = new ChmBrowser(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_browser);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, m_browser, &QTextBrowser::home);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void ChmHelpWindow::openFile(const QString &helpFile)
{
    m_helpFile = helpFile;
    const QString shownName = QFileInfo(helpFile).fileName();
    auto file = std::make_shared<const ChmFile>(helpFile);
    const QString title = file->title();
    const QString topic = file->defaultTopic();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ - %1").arg(shownName) : title);

    if (!file->isOpen()) {
        m_browser->setHelpFile(nullptr);
        showMessage(QStringLiteral("ヘルプファイル「%1」を開けませんでした。"
                                   "ファイルが見つからないか、ヘルプファイルとして読み取れません。")
                        .arg(helpFile));
    } else if (topic.isEmpty()) {
        m_browser->setHelpFile(nullptr);
        showMessage(
            QStringLiteral("ヘルプファイル「%1」には表示できるページがありません。").arg(helpFile));
    } else {
        m_browser->setHelpFile(std::move(file));
        m_browser->showPage(topic);
    }
    // A fresh start: nothing to go back to, and Home is the page just shown.
    m_browser->clearHistory();
    m_home->setEnabled(!topic.isEmpty());
}

void ChmHelpWindow::showMessage(const QString &text)
{
    m_browser->setHtml(
        QStringLiteral("<h3>ヘルプを表示できません</h3><p>%1</p>").arg(text.toHtmlEscaped()));
}

void ChmHelpWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        placeOnFirstShow();
    }
    QWidget::showEvent(event);
}

// Beside the window that asked for help when the screen has room, otherwise over it but below its
// top band, so that its buttons (Help, Exit) stay in reach; always wholly on that window's screen.
void ChmHelpWindow::placeOnFirstShow()
{
    QWidget *owner = parentWidget();
    QScreen *screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect available =
        WindowPlacement::inDevicePixels(screen->availableGeometry(), screen->devicePixelRatio());
    const QSize decoration = frameGeometry().size() - size();
    QRect frame(QPoint(), size() + decoration);
    if (!owner || !owner->isVisible()) {
        frame.moveCenter(available.center());
    } else if (const auto placed =
                   WindowPlacement::beside(frame.size(), owner->frameGeometry(), available)) {
        frame = *placed;
    } else {
        const QRect beside = owner->frameGeometry();
        constexpr int ownerBandKeptVisible = 96;
        frame.moveCenter(QPoint(beside.center().x(), frame.center().y()));
        frame.moveTop(beside.top() + ownerBandKeptVisible);
        // Shorter rather than over the band, down to a height still worth reading.
        constexpr int minimumHeight = 240;
        const int room = available.bottom() + 1 - frame.top();
        if (room < frame.height() && room >= minimumHeight)
            frame.setHeight(room);
    }
    frame = WindowPlacement::onScreen(frame, available);
    resize(frame.size() - decoration);
    move(frame.topLeft());
}
