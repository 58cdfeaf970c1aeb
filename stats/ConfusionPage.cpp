// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ConfusionPage.h"

#include "stats/StatsSentence.h"
#include "stats/core/DrillAnalyses.h"
#include "stats/core/StatsText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString typedName(int typed)
{
    return typed == ConfusionTable::emptyBox ? QStringLiteral("空欄") : QString::number(typed);
}

} // namespace

ConfusionPage::ConfusionPage(QWidget *parent) : QStackedWidget(parent)
{
    m_hint = StatsSentence::make(
        QStringLiteral("迷いやすい数字は、出た数字と違う数字を入れた間違いが記録されると表示され"
                       "ます。"),
        this);
    m_content = new QWidget(this);
    m_caption = new QLabel(m_content);
    m_caption->setWordWrap(true);
    m_caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_grid = new QTableWidget(ConfusionTable::shownDigits, ConfusionTable::typedColumns, m_content);
    m_grid->setAccessibleName(QStringLiteral("出た数字と入力した数字"));
    QStringList rows, columns;
    for (int s = 0; s < ConfusionTable::shownDigits; ++s)
        rows.append(QString::number(s));
    for (int t = 0; t < ConfusionTable::typedColumns; ++t)
        columns.append(typedName(t));
    m_grid->setVerticalHeaderLabels(rows);
    m_grid->setHorizontalHeaderLabels(columns);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->verticalHeader()->setSectionsClickable(false);
    m_leftOut = new QLabel(m_content);
    m_leftOut->setWordWrap(true);
    m_leftOut->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(m_content);
    layout->addWidget(m_caption);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_leftOut);
    addWidget(m_hint);
    addWidget(m_content);
}

QString ConfusionPage::title() const
{
    return QStringLiteral("迷いやすい数字");
}

QString ConfusionPage::tabTitle() const
{
    return QStringLiteral("迷う数字");
}

void ConfusionPage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const DrillAnalysis &analysis = figures.drills.of(selection.displaySeconds);
    const ConfusionTable &table = analysis.confusion();
    if (table.total() == 0) {
        setCurrentWidget(m_hint);
        return;
    }
    int most = 1;
    for (int s = 0; s < ConfusionTable::shownDigits; ++s) {
        for (int t = 0; t < ConfusionTable::typedColumns; ++t)
            most = std::max(most, table.count(s, t));
    }
    // Shaded from the table's own background to the highlight, in proportion to the count.
    const QPalette pal = palette();
    const QColor base = pal.color(QPalette::Base);
    const QColor full = pal.color(QPalette::Highlight);
    for (int s = 0; s < ConfusionTable::shownDigits; ++s) {
        for (int t = 0; t < ConfusionTable::typedColumns; ++t) {
            const int count = table.count(s, t);
            const double share = static_cast<double>(count) / most;
            auto *cell = new QTableWidgetItem;
            const auto mix = [share](int from, int to) {
                return static_cast<int>(from + (to - from) * share + 0.5);
            };
            cell->setBackground(QColor(mix(base.red(), full.red()), mix(base.green(), full.green()),
                                       mix(base.blue(), full.blue())));
            const QString text =
                s == t ? QStringLiteral("%1（正しい数字）").arg(s)
                : t == ConfusionTable::emptyBox
                    ? QStringLiteral("%1 の所が空欄：%2 回").arg(s).arg(count)
                    : QStringLiteral("%1 の所に %2 と入力：%3 回").arg(s).arg(t).arg(count);
            cell->setToolTip(text);
            cell->setData(Qt::AccessibleTextRole, text);
            m_grid->setItem(s, t, cell);
        }
    }
    StatsSentence::setText(
        m_caption,
        QStringLiteral("行は出た数字、列はその場所に入力した数字です（表示時間 %1・"
                       "問題数 %2、違う数字や空欄を入れた所 %3 か所）。"
                       "色が濃いほど多く、数はマウスを合わせると表示されます。")
            .arg(StatsText::displayTime(selection.displaySeconds), StatsText::allDigitCounts())
            .arg(table.total()));
    // A swap or a shifted row has every digit remembered but not its place: those positions are
    // not one digit taken for another, and the grid says nothing of them. Say how many.
    const int leftOut = analysis.wrongPositions() - table.total();
    StatsSentence::setText(
        m_leftOut, leftOut > 0 ? QStringLiteral("間違えた所 %1 か所のうち %2 か所は、入れ替えや"
                                                "抜け・ずれ、終わりの空欄など、ほかの数字と"
                                                "取り違えたのではない間違いなので、表に入れて"
                                                "いません。")
                                     .arg(analysis.wrongPositions())
                                     .arg(leftOut)
                               : QString());
    m_leftOut->setVisible(leftOut > 0);
    setCurrentWidget(m_content);
}
