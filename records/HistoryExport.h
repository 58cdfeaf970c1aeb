// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class DrillLog;
class HistoryModel;
class HistoryStore;
class QTableView;
class QWidget;

// The history taken out of the program: the table as a CSV file, and the chosen rows copied as
// tab-separated text; with the drill log, a row's detail and the log as a CSV file.
class HistoryExport
{
public:
    HistoryExport(QTableView &table, const HistoryModel &model, QWidget &owner);

    // "CSV に書き出す…": asks for a file name and writes the history there.
    void exportCsv();
    // "コピー": the rows of the chosen cells, tab-separated, one line each.
    void copyRows();
    QString selectedRowsText() const;
    bool hasChosenRows() const { return !selectedRows().isEmpty(); }

    // The drill log's entries: its details of the store's lines.
    void useDrillLog(HistoryStore &store, DrillLog &log);
    bool hasDrillLog() const { return m_log != nullptr; }
    // "この結果の詳細…": the current row's detail in a message box, which the keyboard and a
    // screen reader reach as well as the tooltip the mouse shows.
    void showDetail();
    // "詳細記録を CSV に書き出す…": asks for a file name and writes the drill log there.
    void exportDrillLogCsv();

    // The bytes of the CSV file of the table's records.
    static QByteArray csvOf(const HistoryModel &model);
    static QString defaultCsvPath();

    // Asks the player for the file to write; an empty answer cancels. The native save dialog
    // unless a test puts something else here.
    std::function<QString(QWidget *owner, const QString &proposed)> askFileName;

private:
    QList<int> selectedRows() const;

    QTableView &m_table;
    const HistoryModel &m_model;
    QWidget &m_owner;
    HistoryStore *m_store = nullptr;
    DrillLog *m_log = nullptr;
};
