// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/BestsTable.h"

#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QFontMetrics>
#include <QHeaderView>

BestsTable::BestsTable(QWidget *parent) : QTableWidget(parent)
{
    setAccessibleName(title());
    setColumnCount(3);
    setHorizontalHeaderLabels({QStringLiteral("表示時間"), QStringLiteral("全問正解の最長"),
                               QStringLiteral("初めて達した日時")});
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionsClickable(false);
    // A board of a few rows that fills the page: the rows share its height, in a large face,
    // down to two lines each where there are many display times (then the table scrolls).
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    setFont(large);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setMinimumSectionSize(2 * QFontMetrics(large).height());
}

QString BestsTable::title() const
{
    return QStringLiteral("自己ベスト");
}

QString BestsTable::tabTitle() const
{
    return QStringLiteral("ベスト");
}

void BestsTable::refresh(const StatsFigures &figures, const StatsSelection &)
{
    const QList<PersonalBest> bests = figures.history.personalBests();
    setRowCount(static_cast<int>(bests.size()));
    for (int r = 0; r < bests.size(); ++r) {
        const PersonalBest &best = bests.at(r);
        const QString cells[] = {
            StatsText::displayTime(best.seconds), StatsText::digitCount(best.digitCount),
            StatsText::date(best.date) + u' ' + best.time.toString(QStringLiteral("HH:mm:ss"))};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 1) { // the best itself stands out
                QFont best = font();
                best.setBold(true);
                best.setPointSizeF(best.pointSizeF() * 1.5);
                item->setFont(best);
            }
            setItem(r, c, item);
        }
    }
}
