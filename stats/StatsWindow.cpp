// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsWindow.h"

#include "controls/WindowPlacement.h"
#include "stats/CalendarView.h"
#include "stats/PositionChart.h"
#include "stats/RateChart.h"
#include "stats/SpanPage.h"
#include "stats/SpanTrendChart.h"
#include "stats/StatsHost.h"
#include "stats/SummaryView.h"
#include "stats/core/PracticeSuggestion.h"
#include "stats/core/SpanEstimate.h"
#include "stats/core/StatsText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int countRole = Qt::UserRole;
constexpr int secondsRole = Qt::UserRole;

QLabel *sentence(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

StatsWindow::StatsWindow(StatsHost &host, QWidget *owner) : QWidget(owner, Qt::Window), m_host(host)
{
    setObjectName(QStringLiteral("StatsWindow"));
    setWindowTitle(QStringLiteral("成績グラフ"));
    setFont(m_host.japaneseFont(9));
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
    m_counts->setAccessibleName(QStringLiteral("問題数")); // a buddy gives a relation, not a name

    m_tabs = new QTabWidget(content);
    m_rateChart = new RateChart(m_tabs);
    m_positionPage = new QStackedWidget(m_tabs);
    m_positionChart = new PositionChart(m_positionPage);
    m_positionHint = sentence(QStringLiteral("桁ごとの正解率は、問題数を 1 つ選ぶと表示されます。"),
                              m_positionPage);
    m_positionPage->addWidget(m_positionChart);
    m_positionPage->addWidget(m_positionHint);
    m_summary = new SummaryView(m_tabs);
    m_rateChart->setAccessibleName(QStringLiteral("正解率の推移"));
    m_positionChart->setAccessibleName(QStringLiteral("桁ごとの正解率"));
    m_summary->table()->setAccessibleName(QStringLiteral("まとめ"));
    m_tabs->addTab(m_rateChart, QStringLiteral("正解率の推移"));
    m_tabs->addTab(m_positionPage, QStringLiteral("桁ごとの正解率"));
    m_tabs->addTab(m_summary, QStringLiteral("まとめ"));

    // The span and what follows from it are of one display time, chosen in a list of its own.
    auto *timesLabel = new QLabel(QStringLiteral("表示時間(&T)"), content);
    m_times = new QListWidget(content);
    m_times->setFixedWidth(m_counts->width());
    timesLabel->setBuddy(m_times);
    m_times->setAccessibleName(QStringLiteral("表示時間"));
    m_spanPage = new SpanPage(m_tabs);
    m_trendPage = new QStackedWidget(m_tabs);
    m_trendHint = sentence(QStringLiteral("推定スパンを出せる週がまだありません。1 週のうちに "
                                          "%1 回以上、2 つ以上の桁数で練習すると表示されます。")
                               .arg(SpanEstimate::minResults),
                           m_trendPage);
    m_trendPage->addWidget(m_trendHint);
    m_calendar = new CalendarView(m_tabs);
    m_bests = new QTableWidget(m_tabs);
    m_bests->setAccessibleName(QStringLiteral("自己ベスト"));
    m_bests->setColumnCount(3);
    m_bests->setHorizontalHeaderLabels({QStringLiteral("表示時間"),
                                        QStringLiteral("全問正解の最長"),
                                        QStringLiteral("初めて達した日時")});
    m_bests->verticalHeader()->hide();
    m_bests->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_bests->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_bests->setSelectionMode(QAbstractItemView::SingleSelection);
    m_bests->setTabKeyNavigation(false);
    m_bests->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_bests->horizontalHeader()->setSectionsClickable(false);
    m_tabs->addTab(m_spanPage, QStringLiteral("推定スパン"));
    m_tabs->addTab(m_trendPage, QStringLiteral("スパンの推移"));
    m_tabs->addTab(m_calendar, QStringLiteral("練習カレンダー"));
    m_tabs->addTab(m_bests, QStringLiteral("自己ベスト"));

    auto *side = new QVBoxLayout;
    side->addWidget(countsLabel);
    side->addWidget(m_counts, 1);
    side->addWidget(timesLabel);
    side->addWidget(m_times, 1);
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
    connect(m_times, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem *item = m_times->item(row))
            chooseDisplayTime(item->data(secondsRole).toInt());
    });
    connect(m_spanPage, &SpanPage::digitCountChosen, this,
            [this](int digitCount) { m_host.chooseDigitCount(digitCount); });
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
    const QAbstractItemModel &model = m_host.historyModel();
    connect(&model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (first == m_rowsCounted)
                    addRows(first, last);
                else
                    recount();
            });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] { recount(); });
    connect(&model, &QAbstractItemModel::layoutChanged, this, [this] { recount(); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [this] { recount(); });
    connect(&model, &QAbstractItemModel::dataChanged, this, [this] { recount(); });

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

void StatsWindow::chooseDisplayTime(int seconds)
{
    if (seconds == m_seconds)
        return;
    m_seconds = seconds;
    for (int row = 0; row < m_times->count(); ++row) {
        if (m_times->item(row)->data(secondsRole).toInt() == seconds)
            m_times->setCurrentRow(row);
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
    addRowsWithoutRefresh(0, m_host.recordCount() - 1);
    // A new history starts at its newest result's count; a changed one keeps the choice while
    // that count is still there.
    const QList<int> counts = m_stats.digitCounts();
    if (wasEmpty || (m_digitCount != 0 && !counts.contains(m_digitCount)))
        m_digitCount = m_stats.newestDigitCount();
    if (m_seconds != HistoryStats::everyDisplayTime && !m_stats.displayTimes().contains(m_seconds))
        m_seconds = HistoryStats::everyDisplayTime;
    fillDigitCountList();
    fillDisplayTimeList();
    refresh();
}

void StatsWindow::addRows(int first, int last)
{
    const bool wasEmpty = m_stats.results() == 0;
    addRowsWithoutRefresh(first, last);
    if (wasEmpty)
        m_digitCount = m_stats.newestDigitCount();
    fillDigitCountList();
    fillDisplayTimeList();
    refresh();
}

void StatsWindow::addRowsWithoutRefresh(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_stats.add(m_host.record(row));
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

void StatsWindow::fillDisplayTimeList()
{
    const QSignalBlocker blocker(m_times);
    m_times->clear();
    QList<int> times = m_stats.displayTimes();
    times.prepend(HistoryStats::everyDisplayTime);
    for (int seconds : times) {
        auto *item = new QListWidgetItem(StatsText::displayTime(seconds), m_times);
        item->setData(secondsRole, seconds);
        if (seconds == m_seconds)
            m_times->setCurrentItem(item);
    }
}

void StatsWindow::showBests()
{
    const QList<PersonalBest> bests = m_stats.personalBests();
    m_bests->setRowCount(static_cast<int>(bests.size()));
    for (int r = 0; r < bests.size(); ++r) {
        const PersonalBest &best = bests.at(r);
        const QString cells[] = {
            StatsText::displayTime(best.seconds), StatsText::digitCount(best.digitCount),
            StatsText::date(best.date) + u' ' + best.time.toString(QStringLiteral("HH:mm:ss"))};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            m_bests->setItem(r, c, item);
        }
    }
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
        m_summary->showStats(m_stats, m_digitCount, m_host.localNow().date());
        break;
    case View::Span: {
        const SpanTally tally = m_stats.spanTally(m_seconds);
        const SpanEstimate estimate = SpanEstimate::of(tally);
        m_spanPage->showSpan(tally, estimate,
                             PracticeSuggestion::of(estimate, m_stats.newestDigitCount()));
        break;
    }
    case View::Trend: {
        const QList<WeekSpan> weeks = m_stats.weeklySpans(m_seconds);
        if (weeks.isEmpty()) {
            m_trendPage->setCurrentWidget(m_trendHint);
        } else {
            // Made when first needed, as the span's chart is.
            if (!m_trendChart) {
                m_trendChart = new SpanTrendChart(m_trendPage);
                m_trendChart->setAccessibleName(QStringLiteral("週ごとの推定スパン"));
                m_trendPage->addWidget(m_trendChart);
            }
            m_trendChart->showWeeks(weeks);
            m_trendPage->setCurrentWidget(m_trendChart);
        }
        break;
    }
    case View::Calendar:
        m_calendar->showStats(m_stats, m_host.localNow().date());
        break;
    case View::Bests:
        showBests();
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
