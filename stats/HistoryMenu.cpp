// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/HistoryMenu.h"

#include "records/HistoryModel.h"
#include "records/HistoryStore.h"
#include "records/core/DrillDetailText.h"
#include "records/core/DrillLog.h"
#include "records/core/DrillLogCsv.h"
#include "stats/StatsWindowModule.h"
#include "stats/core/HistoryCsv.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTableView>

#include <algorithm>

HistoryMenu::HistoryMenu(QTableView &table, const HistoryModel &model, const Clock &clock,
                         QWidget &owner, std::function<void(int digitCount)> chooseDigitCount)
    : m_table(table), m_model(model), m_owner(owner),
      m_host(model, clock, std::move(chooseDigitCount))
{
    askFileName = [](QWidget *parent, const QString &proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("CSV に書き出す"), proposed,
                                            QStringLiteral("CSV ファイル (*.csv)"));
    };
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
}

void HistoryMenu::popup(const QPoint &globalPos)
{
    if (!m_menu) {
        m_menu = new QMenu(&m_table);
        m_menu->setObjectName(QStringLiteral("HistoryMenu"));
        m_menu->addAction(QStringLiteral("成績グラフ(&G)…"), this, &HistoryMenu::openStatsWindow);
        m_menu->addAction(QStringLiteral("CSV に書き出す(&E)…"), this, &HistoryMenu::exportCsv);
        if (m_store) {
            m_menu->addSeparator();
            m_menu->addAction(QStringLiteral("この結果の詳細(&I)…"), this,
                              &HistoryMenu::showDetail);
            m_menu->addAction(QStringLiteral("詳細記録を CSV に書き出す(&D)…"), this,
                              &HistoryMenu::exportDrillLogCsv);
        }
        m_menu->addSeparator();
        m_menu->addAction(QStringLiteral("コピー(&C)"), this, &HistoryMenu::copyRows);
    }
    m_menu->actions().constLast()->setEnabled(!selectedRows().isEmpty());
    m_menu->popup(globalPos);
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

QByteArray HistoryMenu::csvOf(const HistoryModel &model)
{
    QStringList header;
    for (int c = 0; c < HistoryModel::columns; ++c)
        header.append(HistoryModel::headerText(c));
    HistoryCsv csv(header);
    QStringList cells;
    for (int row = 0; row < model.recordCount(); ++row) {
        cells.clear();
        for (int c = 0; c < HistoryModel::columns; ++c)
            cells.append(model.data(model.index(row, c)).toString());
        csv.addRow(cells);
    }
    return csv.bytes();
}

QString HistoryMenu::defaultCsvPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("履歴.csv"));
}

void HistoryMenu::exportCsv()
{
    const QString path = askFileName(&m_owner, defaultCsvPath());
    if (path.isEmpty())
        return;
    QString error;
    if (!HistoryCsv::save(path, csvOf(m_model), &error)) {
        QMessageBox::warning(&m_owner, QStringLiteral("書き出しエラー"),
                             error + QStringLiteral("\n書きかけのファイルは残していません。"));
    }
}

void HistoryMenu::showDetailsFrom(HistoryStore &store, DrillLog &log)
{
    m_store = &store;
    m_log = &log;
}

void HistoryMenu::showDetail()
{
    const int row = m_table.currentIndex().row();
    if (!m_store || row < 0)
        return;
    const std::optional<LoggedDrill> detail = m_store->detailOf(row);
    QMessageBox::information(
        &m_owner, QStringLiteral("この結果の詳細"),
        detail ? QStringLiteral("%1番の結果\n").arg(row + 1) + drillDetailText(*detail)
               : QStringLiteral("%1番の結果の詳細は記録されていません。").arg(row + 1));
}

void HistoryMenu::exportDrillLogCsv()
{
    if (!m_store || !m_log)
        return;
    const QString path = askFileName(
        &m_owner, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                      .filePath(QStringLiteral("詳細.csv")));
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<DrillLog::Contents> contents = m_log->read(m_store->lineCount(), &error);
    if (!contents) {
        QMessageBox::warning(&m_owner, QStringLiteral("書き出しエラー"),
                             error + QStringLiteral("\nCSV ファイルは書き出していません。"));
        return;
    }
    if (!HistoryCsv::save(path, DrillLogCsv::bytes(contents->drills), &error)) {
        QMessageBox::warning(&m_owner, QStringLiteral("書き出しエラー"),
                             error + QStringLiteral("\n書きかけのファイルは残していません。"));
        return;
    }
    if (contents->skipped > 0) {
        QMessageBox::information(
            &m_owner, QStringLiteral("書き出し"),
            QStringLiteral("詳細記録のうち%1件は、内容が正しくないため書き出していません。"
                           "詳細記録ファイルのその行は書き換えずに残しています。")
                .arg(contents->skipped));
    }
}

QList<int> HistoryMenu::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel *selection = m_table.selectionModel()) {
        for (const QModelIndex &index : selection->selectedIndexes())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QString HistoryMenu::selectedRowsText() const
{
    QString text;
    for (int row : selectedRows()) {
        QStringList cells;
        for (int c = 0; c < HistoryModel::columns; ++c)
            cells.append(m_model.data(m_model.index(row, c)).toString());
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

void HistoryMenu::copyRows()
{
    const QString text = selectedRowsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
