// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SummaryView.h"

#include "stats/StatsSentence.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

SummaryView::SummaryView(QWidget *parent) : QWidget(parent)
{
    m_table = new QTableWidget(this);
    m_table->setAccessibleName(title());
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels({QStringLiteral("問題数"), QStringLiteral("回数"),
                                        QStringLiteral("平均正解率"), QStringLiteral("最高正解率"),
                                        QStringLiteral("最近 10 回"), QStringLiteral("最初の日"),
                                        QStringLiteral("最後の日")});
    m_table->horizontalHeaderItem(4)->setToolTip(QStringLiteral("最近 10 回の平均正解率"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionsClickable(false);

    m_days = new QLabel(this);
    m_days->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_days);
}

QString SummaryView::title() const
{
    return QStringLiteral("まとめ");
}

void SummaryView::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const HistoryStats &stats = figures.history;
    const int digitCount = selection.digitCount;
    const QDate today = selection.today;
    const QList<int> counts = stats.digitCounts();
    const QList<SummaryRow> rows = stats.summaryRows();
    m_table->setRowCount(static_cast<int>(rows.size()));
    int chosenRow = -1;
    for (int r = 0; r < rows.size(); ++r) {
        const SummaryRow &row = rows.at(r);
        const QString cells[] = {row.digits,  QString::number(row.results), row.mean,
                                 row.best,    row.lastWindowMean,           row.firstDate,
                                 row.lastDate};
        for (int c = 0; c < 7; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 || c >= 5 ? Qt::AlignCenter
                                                    : Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
        // The rows of the digit counts come first, in the order of counts; the last is all.
        const int rowCount = r < counts.size() ? counts.at(r) : 0;
        if (rowCount == digitCount)
            chosenRow = r;
    }
    if (chosenRow >= 0)
        m_table->selectRow(chosenRow);

    StatsSentence::setText(m_days, QStringLiteral("遊んだ日数：%1　　連続して遊んだ日数：%2")
                                       .arg(StatsText::days(stats.daysPlayed()),
                                            StatsText::days(stats.currentRun(today))));
}
