// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/HistoryExport.h"

#include "records/HistoryModel.h"
#include "records/HistoryStore.h"
#include "records/core/DrillDetailText.h"
#include "records/core/DrillLog.h"
#include "records/core/DrillLogCsv.h"
#include "records/core/HistoryCsv.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTableView>

#include <algorithm>

HistoryExport::HistoryExport(QTableView &table, const HistoryModel &model, QWidget &owner)
    : m_table(table), m_model(model), m_owner(owner)
{
    askFileName = [](QWidget *parent, const QString &proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("CSV に書き出す"), proposed,
                                            QStringLiteral("CSV ファイル (*.csv)"));
    };
}

QByteArray HistoryExport::csvOf(const HistoryModel &model)
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

QString HistoryExport::defaultCsvPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("履歴.csv"));
}

void HistoryExport::exportCsv()
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

void HistoryExport::useDrillLog(HistoryStore &store, DrillLog &log)
{
    m_store = &store;
    m_log = &log;
}

void HistoryExport::showDetail()
{
    const int row = m_table.currentIndex().row();
    if (!m_store || row < 0)
        return;
    const std::optional<LoggedDrill> detail = m_store->detailOf(row);
    QMessageBox::information(
        &m_owner, QStringLiteral("この結果の詳細"),
        detail ? QStringLiteral("%1 回目の結果\n").arg(row + 1) + drillDetailText(*detail)
               : QStringLiteral("%1 回目の結果の詳細は記録されていません。").arg(row + 1));
}

void HistoryExport::exportDrillLogCsv()
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

QList<int> HistoryExport::selectedRows() const
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

QString HistoryExport::selectedRowsText() const
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

void HistoryExport::copyRows()
{
    const QString text = selectedRowsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
