// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecords.h"

#include <QAbstractTableModel>

#include <functional>

// The records behind the history table, one row each, oldest first. Column 0 numbers the rows
// from 1 and looks like a header column; columns 1 to 7 show the record's fields. The horizontal
// header is the table's header row.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int columns = 8;

    explicit HistoryModel(QObject *parent = nullptr);

    static QString headerText(int column);
    static int columnWidthTwips(int column);
    static Qt::Alignment dataAlignment(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int recordCount() const { return static_cast<int>(m_records.size()); }
    // The record of a row, unpacked: rows are answered from the compact records as the table
    // asks for them, so only the rows on screen are ever turned into texts.
    HistoryRecord record(int row) const { return m_records.at(static_cast<size_t>(row)); }

    // Replaces all rows.
    void setRecords(HistoryRecords records);
    // Adds one row at the end.
    void append(const HistoryRecord &record);
    // Drops every row; the header stays.
    void clear();

    // Where a row's tooltip comes from (its detail in the drill log); none by default.
    void setToolTip(std::function<QString(int row)> toolTip) { m_toolTip = std::move(toolTip); }

private:
    HistoryRecords m_records;
    std::function<QString(int row)> m_toolTip;
};
