// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/BestsTable.h"

#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

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
}

QString BestsTable::title() const
{
    return QStringLiteral("自己ベスト");
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
            setItem(r, c, item);
        }
    }
}
