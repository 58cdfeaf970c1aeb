// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsWindow.h"

#include "app/controls/WindowPlacement.h"
#include "drill/core/Clock.h"
#include "records/HistoryModel.h"
#include "resources/JapaneseFont.h"
#include "stats/PositionChart.h"
#include "stats/RateChart.h"
#include "stats/SummaryView.h"
#include "stats/core/StatsText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int countRole = Qt::UserRole;

QLabel *sentence(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

StatsWindow::StatsWindow(const HistoryModel &model, const Clock &clock, QWidget *owner)
    : QWidget(owner, Qt::Window), m_model(model), m_clock(clock)
{
    setObjectName(QStringLiteral("StatsWindow"));
    setWindowTitle(QStringLiteral("成績グラフ"));
    setFont(japaneseFont(9));
    resize(780, 500);

    m_pages = new QStackedWidget(this);
    m_empty = sentence(QStringLiteral("まだ成績が保存されていません。結果を保存すると、"
                                      "ここに正解率のグラフと集計が表示されます。"),
                       m_pages);
    m_pages->addWidget(m_empty);

    auto *content = new QWidget(m_pages);
    auto *countsLabel = new QLabel(QStringLiteral("問題数(&N)"), content);
    m_counts = new QListWidget(content);
    m_counts->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("すべてすべて")) + 24);
    countsLabel->setBuddy(m_counts);

    m_tabs = new QTabWidget(content);
    m_rateChart = new RateChart(m_tabs);
    m_positionPage = new QStackedWidget(m_tabs);
    m_positionChart = new PositionChart(m_positionPage);
    m_positionHint = sentence(QStringLiteral("桁ごとの正解率は、問題数を 1 つ選ぶと表示されます。"),
                              m_positionPage);
    m_positionPage->addWidget(m_positionChart);
    m_positionPage->addWidget(m_positionHint);
    m_summary = new SummaryView(m_tabs);
    m_tabs->addTab(m_rateChart, QStringLiteral("正解率の推移"));
    m_tabs->addTab(m_positionPage, QStringLiteral("桁ごとの正解率"));
    m_tabs->addTab(m_summary, QStringLiteral("まとめ"));

    auto *side = new QVBoxLayout;
    side->addWidget(countsLabel);
    side->addWidget(m_counts, 1);
    auto *row = new QHBoxLayout(content);
    row->addLayout(side);
    row->addWidget(m_tabs, 1);
    m_pages->addWidget(content);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);

    connect(m_counts, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem *item = m_counts->item(row))
            chooseDigitCount(item->data(countRole).toInt());
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { refreshView(); });
    // The views turn with Ctrl+Tab from anywhere in the window, the list of counts included.
    auto turn = [this](int by) {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + m_tabs->count()) % m_tabs->count());
    };
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [turn] { turn(1); });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this, [turn] { turn(-1); });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // The model only ever grows at its end (a save) or is replaced whole (a clear, a load).
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (first == m_rowsCounted)
                    addRows(first, last);
                else
                    recount();
            });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { recount(); });
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, [this] { recount(); });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, [this] { recount(); });
    connect(&m_model, &QAbstractItemModel::dataChanged, this, [this] { recount(); });

    recount();
}

void StatsWindow::chooseDigitCount(int digitCount)
{
    if (digitCount == m_digitCount)
        return;
    m_digitCount = digitCount;
    for (int row = 0; row < m_counts->count(); ++row) {
        if (m_counts->item(row)->data(countRole).toInt() == digitCount)
            m_counts->setCurrentRow(row);
    }
    refresh();
}

void StatsWindow::chooseView(View view)
{
    m_tabs->setCurrentIndex(static_cast<int>(view));
}

bool StatsWindow::showsEmptyState() const
{
    return m_pages->currentWidget() == m_empty;
}

// The whole model again, in one pass.
void StatsWindow::recount()
{
    const bool wasEmpty = m_stats.results() == 0;
    m_stats.clear();
    m_rowsCounted = 0;
    addRowsWithoutRefresh(0, m_model.recordCount() - 1);
    // A new history starts at its newest result's count; a changed one keeps the choice while
    // that count is still there.
    const QList<int> counts = m_stats.digitCounts();
    if (wasEmpty || (m_digitCount != 0 && !counts.contains(m_digitCount)))
        m_digitCount = m_stats.newestDigitCount();
    fillDigitCountList();
    refresh();
}

void StatsWindow::addRows(int first, int last)
{
    const bool wasEmpty = m_stats.results() == 0;
    addRowsWithoutRefresh(first, last);
    if (wasEmpty)
        m_digitCount = m_stats.newestDigitCount();
    fillDigitCountList();
    refresh();
}

void StatsWindow::addRowsWithoutRefresh(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_stats.add(m_model.record(row));
    m_rowsCounted = last + 1;
}

void StatsWindow::fillDigitCountList()
{
    const QSignalBlocker blocker(m_counts);
    m_counts->clear();
    auto addEntry = [this](const QString &text, int digitCount) {
        auto *item = new QListWidgetItem(text, m_counts);
        item->setData(countRole, digitCount);
        if (digitCount == m_digitCount)
            m_counts->setCurrentItem(item);
    };
    addEntry(StatsText::allDigitCounts(), 0);
    for (int n : m_stats.digitCounts())
        addEntry(StatsText::digitCount(n), n);
}

void StatsWindow::refresh()
{
    for (bool &fresh : m_fresh)
        fresh = false;
    m_pages->setCurrentWidget(m_stats.results() == 0 ? m_empty : m_pages->widget(1));
    refreshView();
}

// Draws the view on show, if the figures changed since it was last drawn.
void StatsWindow::refreshView()
{
    const int view = m_tabs->currentIndex();
    if (view < 0 || m_fresh[view] || showsEmptyState())
        return;
    m_fresh[view] = true;
    const ResultSeries &series = m_digitCount ? m_stats.ofDigitCount(m_digitCount) : m_stats.all();
    switch (static_cast<View>(view)) {
    case View::Rate:
        m_rateChart->showSeries(series, m_digitCount ? StatsText::digitCount(m_digitCount)
                                                     : StatsText::allDigitCounts());
        break;
    case View::Position:
        // Positions mean nothing across rows of different lengths.
        if (m_digitCount == 0) {
            m_positionPage->setCurrentWidget(m_positionHint);
        } else {
            m_positionChart->showSeries(series, m_digitCount);
            m_positionPage->setCurrentWidget(m_positionChart);
        }
        break;
    case View::Summary:
        m_summary->showStats(m_stats, m_digitCount, m_clock.localNow().date());
        break;
    }
}

void StatsWindow::changeEvent(QEvent *event)
{
    // The charts take their colours and font when drawn: a new palette means drawing anew.
    if (m_tabs && (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange))
        refresh();
    QWidget::changeEvent(event);
}

void StatsWindow::showEvent(QShowEvent *event)
{
    // Beside the main window the first time it appears, or where it hides least of it.
    if (!m_placed) {
        m_placed = true;
        QWidget *owner = parentWidget();
        if (const QScreen *screen = owner ? owner->screen() : nullptr) {
            const QSize decoration = frameGeometry().size() - size();
            const QRect frame = WindowPlacement::besideOrCoveringLeast(
                size() + decoration, owner->frameGeometry(),
                WindowPlacement::inDevicePixels(screen->availableGeometry(),
                                                screen->devicePixelRatio()));
            resize(frame.size() - decoration);
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}
