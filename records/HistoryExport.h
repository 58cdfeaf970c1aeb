// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class HistoryModel;
class QTableView;
class QWidget;

// The history taken out of the program: the table as a CSV file, and the chosen rows copied as
// tab-separated text.
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
};
