// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/NumberColumn.h"

#include "controls/Twips.h"
#include "records/HistoryModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace {

constexpr int numbers = 0; // 回
constexpr int marks = 3;   // 成績詳細

} // namespace

void NumberColumn::fit(QTableView &grid, int recordCount)
{
    const int designNumbers = Twips::toPixels(HistoryModel::columnWidthTwips(numbers));
    const int designMarks = Twips::toPixels(HistoryModel::columnWidthTwips(marks));
    int width = designNumbers;
    if (recordCount > designedRecords) {
        // The widest number of that many digits, in the table's face, with the margins the
        // style leaves on either side of a cell's text.
        const QFontMetrics metrics(grid.font());
        int digit = 0;
        for (char c = '0'; c <= '9'; ++c)
            digit = qMax(digit, metrics.horizontalAdvance(QLatin1Char(c)));
        const int margin =
            grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
        const int digits = int(QString::number(recordCount).size());
        width = qMax(designNumbers, digits * digit + 2 * margin + 1);
    }
    QHeaderView *header = grid.horizontalHeader();
    if (header->sectionSize(numbers) == width)
        return;
    header->resizeSection(numbers, width);
    header->resizeSection(marks, designMarks - (width - designNumbers));
}
