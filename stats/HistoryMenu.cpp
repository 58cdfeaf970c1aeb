// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/HistoryMenu.h"

#include "stats/StatsWindowModule.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>

HistoryMenu::HistoryMenu(QTableView &table, const HistoryModel &model, const Clock &clock,
                         QWidget &owner, std::function<void(int digitCount)> chooseDigitCount,
                         std::function<int()> digitCount)
    : m_table(table), m_owner(owner), m_export(table, model, owner),
      m_host(model, clock, std::move(chooseDigitCount), std::move(digitCount))
{
    makeStatsWindow = [](StatsHost &host, QWidget *owner, QString *error) {
        return StatsWindowModule::makeWindow(StatsWindowModule::defaultPath(), host, owner, error);
    };
    // A mouse's context menu event goes to the viewport, the keyboard's to the table.
    m_table.installEventFilter(this);
    m_table.viewport()->installEventFilter(this);
}

HistoryMenu::~HistoryMenu()
{
    delete m_window; // normally gone with the main window already
    delete m_menu;
}

bool HistoryMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_table && watched != m_table.viewport())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        if (menuEvent->reason() == QContextMenuEvent::Mouse)
            popup(menuEvent->globalPos());
        else
            popupAtCurrentCell();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == &m_table) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            popupAtCurrentCell();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// From the keyboard the menu opens under the current cell, or at the table's top left.
void HistoryMenu::popupAtCurrentCell()
{
    QPoint at(0, 0);
    const QRect cell = m_table.visualRect(m_table.currentIndex());
    if (cell.isValid() && m_table.viewport()->rect().intersects(cell))
        at = cell.bottomLeft();
    popup(m_table.viewport()->mapToGlobal(at));
    // Opened from the keyboard, the menu starts on its first item, so that the arrow keys and
    // Return act on it at once, as in a menu bar's menus.
    m_menu->setActiveAction(m_menu->actions().constFirst());
}

void HistoryMenu::popup(const QPoint &globalPos)
{
    if (!m_menu) {
        m_menu = new QMenu(&m_table);
        m_menu->setObjectName(QStringLiteral("HistoryMenu"));
        m_menu->addAction(QStringLiteral("成績グラフ(&G)…"), this, &HistoryMenu::openStatsWindow);
        if (m_host.canSwitchAdaptive()) {
            m_adaptive = m_menu->addAction(QStringLiteral("問題数の自動調整(&A)"), this,
                                           [this](bool on) { m_host.setAdaptiveDigitCount(on); });
            m_adaptive->setCheckable(true);
        }
        m_menu->addAction(QStringLiteral("CSV に書き出す(&E)…"), this,
                          [this] { m_export.exportCsv(); });
        if (m_export.hasDrillLog()) {
            m_menu->addSeparator();
            m_menu->addAction(QStringLiteral("この結果の詳細(&I)…"), this,
                              [this] { m_export.showDetail(); });
            m_menu->addAction(QStringLiteral("詳細記録を CSV に書き出す(&D)…"), this,
                              [this] { m_export.exportDrillLogCsv(); });
        }
        m_menu->addSeparator();
        m_menu->addAction(QStringLiteral("コピー(&C)"), this, [this] { m_export.copyRows(); });
    }
    m_menu->actions().constLast()->setEnabled(m_export.hasChosenRows());
    if (m_adaptive)
        m_adaptive->setChecked(m_host.adaptiveDigitCount());
    m_menu->popup(globalPos);
}

void HistoryMenu::setAdaptiveDigitCount(std::function<bool()> isOn,
                                        std::function<void(bool on)> turn)
{
    m_host.setAdaptiveSwitch(std::move(isOn), std::move(turn));
}

void HistoryMenu::openStatsWindow()
{
    if (!m_window) {
        QString error;
        m_window = makeStatsWindow(m_host, &m_owner, &error);
        if (!m_window) {
            QMessageBox::warning(&m_owner, QStringLiteral("読み込みエラー"), error);
            return;
        }
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HistoryMenu::closeStatsWindow()
{
    if (m_window)
        m_window->close();
}
