// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/HistoryTable.h"

#include "controls/ConsoleColors.h"
#include "controls/FittingTextDelegate.h"
#include "controls/GridLineStyle.h"
#include "controls/Twips.h"
#include "records/HistoryModel.h"
#include "records/NumberColumn.h"
#include "resources/JapaneseFont.h"

#include <QHeaderView>
#include <QTableView>

namespace {

// Rows of the table, header included, that fit without scrolling.
constexpr int visibleRows = 7;

} // namespace

void HistoryTable::setUp()
{
    QTableView *grid = &m_grid;
    // The font first: the model's header texts are measured as soon as it is set, and measuring
    // them in any other font would load that font for nothing.
    grid->setFont(japaneseFont(9));
    if (grid->model() != &m_model) {
        grid->setModel(&m_model);
        // The numbering column grows with the count of records (NumberColumn says when).
        const auto fitNumbers = [grid, model = &m_model] {
            NumberColumn::fit(*grid, model->recordCount());
        };
        QObject::connect(&m_model, &QAbstractItemModel::rowsInserted, grid, fitNumbers);
        QObject::connect(&m_model, &QAbstractItemModel::modelReset, grid, fitNumbers);
    }
    // The header and six records fill the table's inside exactly, so that a scrolled table,
    // which Qt aligns to the bottom of its last row, still starts on a row boundary under the
    // header: the header takes what is left over from whole rows.
    const int inside = grid->height() - 2 * grid->frameWidth();
    const int rowHeight = inside / visibleRows;
    const int headerHeight = inside - (visibleRows - 1) * rowHeight;

    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->setShowGrid(true);
    grid->setGridStyle(Qt::SolidLine);
    // Light grey lines between the cells, through the style rather than a style sheet.
    if (!qobject_cast<GridLineStyle *>(grid->style()))
        grid->setStyle(new GridLineStyle(QColor(ConsoleColors::lightGrey), grid));

    // Row 0, the header row.
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setFixedHeight(headerHeight);
    for (int c = 0; c < HistoryModel::columns; ++c)
        header->resizeSection(c, Twips::toPixels(HistoryModel::columnWidthTwips(c)));

    // Column 0 numbers the rows itself; the view's own row header is not wanted. Its numbers
    // from 10000 on are wider than the column: they are drawn narrower, not cut off.
    if (!qobject_cast<FittingTextDelegate *>(grid->itemDelegateForColumn(0)))
        grid->setItemDelegateForColumn(0, new FittingTextDelegate(grid));
    QHeaderView *rows = grid->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);

    m_model.clear();
}

// Filling a row leaves its last cell current, and that is the cell the table's focus shows when
// the player reaches it with Tab: in view, at the newest record, not at a row scrolled away.
void HistoryTable::showNewest()
{
    makeNewestCurrent();
    scrollToNewest();
}

void HistoryTable::makeNewestCurrent()
{
    const int records = m_model.recordCount();
    if (records == 0)
        return;
    m_grid.selectionModel()->setCurrentIndex(m_model.index(records - 1, HistoryModel::columns - 1),
                                             QItemSelectionModel::NoUpdate);
}

// With more rows than the table shows at once, the newest record is brought into view. The
// table can only scroll once it has its size, which a table not yet shown lacks: start-up loads
// the history before the window first appears, and the window tells the history when the table is
// first shown.
void HistoryTable::scrollToNewest()
{
    const int rowCount = m_model.recordCount() + 1; // the header row included
    QTableView *grid = &m_grid;
    if (rowCount <= visibleRows || !grid->isVisible())
        return;
    grid->doItemsLayout(); // the scroll range must know of rows just added
    grid->scrollTo(m_model.index(rowCount - 2, 0), QAbstractItemView::PositionAtTop);
}
