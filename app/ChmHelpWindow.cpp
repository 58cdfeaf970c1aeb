#include "app/ChmHelpWindow.h"

#include "app/ChmBrowser.h"
#include "app/ChmFile.h"

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
    resize(640, 520);

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
    if (!file->isOpen()) {
        m_browser->setHelpFile(nullptr);
        setWindowTitle(QStringLiteral("ヘルプ - %1").arg(shownName));
        showMessage(QStringLiteral("ヘルプを表示できません"),
                    QStringLiteral("ヘルプファイル「%1」を開けませんでした。"
                                   "ファイルが見つからないか、ヘルプファイルとして読み取れません。")
                        .arg(helpFile));
        return;
    }

    const QString title = file->title();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ - %1").arg(shownName) : title);
    const QString topic = file->defaultTopic();
    m_browser->setHelpFile(std::move(file));
    if (topic.isEmpty()) {
        showMessage(
            QStringLiteral("ヘルプを表示できません"),
            QStringLiteral("ヘルプファイル「%1」には表示できるページがありません。").arg(helpFile));
        return;
    }
    m_home->setEnabled(true);
    m_browser->showPage(topic);
}

void ChmHelpWindow::showMessage(const QString &heading, const QString &text)
{
    m_home->setEnabled(false);
    m_browser->setHtml(
        QStringLiteral("<h3>%1</h3><p>%2</p>").arg(heading.toHtmlEscaped(), text.toHtmlEscaped()));
}

void ChmHelpWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        placeOnFirstShow();
    }
    QWidget::showEvent(event);
}

// Without a window manager (as under Xvfb) a new window would sit at the screen's corner; the
// help opens centred over the window that asked for it, kept on its screen.
void ChmHelpWindow::placeOnFirstShow()
{
    QWidget *owner = parentWidget();
    QScreen *screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(), size());
    frame.moveCenter(owner && owner->isVisible() ? owner->frameGeometry().center()
                                                 : available.center());
    frame.moveLeft(qBound(available.left(), frame.left(),
                          qMax(available.left(), available.right() - frame.width() + 1)));
    frame.moveTop(qBound(available.top(), frame.top(),
                         qMax(available.top(), available.bottom() - frame.height() + 1)));
    move(frame.topLeft());
}
