// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/HistoryModel.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace {

struct ColumnDesign
{
    const char16_t *header;
    int widthTwips;
    Qt::Alignment data;
};

constexpr Qt::Alignment centred = Qt::AlignCenter;
constexpr Qt::Alignment rightAligned = Qt::AlignRight | Qt::AlignVCenter;

const std::array<ColumnDesign, HistoryModel::columns> columnDesigns = {{
    {u"回", 475, centred},
    {u"日付", 1100, centred},
    {u"時間", 1000, centred},
    {u"成績詳細", 3500, rightAligned},
    {u"ＯＫ", 485, rightAligned},
    {u"ＮＧ", 485, rightAligned},
    {u"正解率", 800, rightAligned},
    {u"秒", 600, rightAligned},
}};

} // namespace

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent) {}

QString HistoryModel::headerText(int column)
{
    return QString::fromUtf16(columnDesigns.at(static_cast<size_t>(column)).header);
}

int HistoryModel::columnWidthTwips(int column)
{
    return columnDesigns.at(static_cast<size_t>(column)).widthTwips;
}

Qt::Alignment HistoryModel::dataAlignment(int column)
{
    return columnDesigns.at(static_cast<size_t>(column)).data;
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : recordCount();
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= recordCount())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const HistoryRecord r = record(index.row());
        switch (column) {
        case 0:
            return QString::number(index.row() + 1);
        case 1:
            return r.tableDate();
        case 2:
            return r.timeText();
        case 3:
            return r.marksText();
        case 4:
            return QString::number(r.ok);
        case 5:
            return QString::number(r.ng);
        case 6:
            return r.percentText();
        case 7:
            return r.secondsText();
        }
        return {};
    }
    case Qt::TextAlignmentRole:
        return dataAlignment(column).toInt();
    case Qt::ToolTipRole:
        if (m_toolTip) {
            const QString text = m_toolTip(index.row());
            return text.isEmpty() ? QVariant() : text;
        }
        return {};
    case Qt::BackgroundRole:
        // The numbering column is a fixed column: it wears the header's button face.
        if (column == 0)
            return QGuiApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (column == 0)
            return QGuiApplication::palette().brush(QPalette::ButtonText);
        return {};
    }
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return headerText(section);
    case Qt::TextAlignmentRole:
        return Qt::Alignment(Qt::AlignCenter).toInt();
    }
    return {};
}

Qt::ItemFlags HistoryModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The numbering column is not part of the selection, as a fixed column is not.
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void HistoryModel::setRecords(HistoryRecords records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

void HistoryModel::append(const HistoryRecord &record)
{
    const int row = recordCount();
    beginInsertRows(QModelIndex(), row, row);
    m_records.push_back(record);
    endInsertRows();
}

void HistoryModel::clear()
{
    beginResetModel();
    m_records.clear();
    endResetModel();
}
