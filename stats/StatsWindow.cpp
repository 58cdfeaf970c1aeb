// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsWindow.h"

#include "controls/WindowPlacement.h"
#include "stats/AdvicePage.h"
#include "stats/BestsTable.h"
#include "stats/CalendarView.h"
#include "stats/ConfusionPage.h"
#include "stats/ErrorKindsPage.h"
#include "stats/PositionPage.h"
#include "stats/RateChart.h"
#include "stats/SpanPage.h"
#include "stats/StatsChoiceList.h"
#include "stats/StatsHost.h"
#include "stats/StatsSentence.h"
#include "stats/SummaryView.h"
#include "stats/TrendPage.h"
#include "stats/core/StatsText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

StatsWindow::StatsWindow(StatsHost &host, QWidget *owner)
    : QWidget(owner, Qt::Window), m_host(host), m_drills([&host] { return host.loggedDrills(); })
{
    setObjectName(QStringLiteral("StatsWindow"));
    setWindowTitle(QStringLiteral("成績グラフ"));
    setFont(m_host.japaneseFont(9));
    resize(780, 500);

    m_pages = new QStackedWidget(this);
    m_empty = StatsSentence::make(QStringLiteral("まだ成績が保存されていません。結果を保存すると、"
                                                 "ここに正解率のグラフと集計が表示されます。"),
                                  m_pages);
    m_pages->addWidget(m_empty);

    auto *content = new QWidget(m_pages);
    auto *countsLabel = new QLabel(QStringLiteral("問題数(&N)"), content);
    m_counts = new StatsChoiceList(QStringLiteral("問題数"), content);
    m_counts->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("すべてすべて")) + 24);
    countsLabel->setBuddy(m_counts);

    m_tabs = new QTabWidget(content);
    // The pages, in the order of their tabs: first those of the chosen digit count; then those
    // of the display time, chosen in a list of its own, made just before them so that the focus
    // moves on from it into them.
    const auto addPages = [this](const QList<StatsPage *> &pages) {
        for (StatsPage *page : pages) {
            m_pageList.append(page);
            const int tab = m_tabs->addTab(page->widget(), page->tabTitle());
            m_tabs->setTabToolTip(tab, page->title());
        }
    };
    addPages({new RateChart(m_tabs), new PositionPage(m_tabs), new SummaryView(m_tabs)});
    auto *timesLabel = new QLabel(QStringLiteral("表示時間(&T)"), content);
    m_times = new StatsChoiceList(QStringLiteral("表示時間"), content);
    m_times->setFixedWidth(m_counts->width());
    timesLabel->setBuddy(m_times);
    addPages({new SpanPage(m_host, m_tabs), new TrendPage(m_tabs), new CalendarView(m_tabs),
              new BestsTable(m_tabs), new ErrorKindsPage(m_tabs), new ConfusionPage(m_tabs),
              new AdvicePage(m_tabs)});

    // Every caption whole: never cut short, and the window wide enough for all of them.
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->setUsesScrollButtons(true);

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

    connect(m_counts, &StatsChoiceList::chosen, this, &StatsWindow::chooseDigitCount);
    connect(m_times, &StatsChoiceList::chosen, this, &StatsWindow::chooseDisplayTime);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { refreshPage(); });
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
    if (digitCount == m_selection.digitCount)
        return;
    m_selection.digitCount = digitCount;
    m_counts->choose(digitCount);
    refresh();
}

void StatsWindow::chooseDisplayTime(int seconds)
{
    if (seconds == m_selection.displaySeconds)
        return;
    m_selection.displaySeconds = seconds;
    m_times->choose(seconds);
    refresh();
}

void StatsWindow::choosePage(StatsPage *page)
{
    if (page)
        m_tabs->setCurrentWidget(page->widget());
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
    m_drills.clear();
    m_rowsCounted = 0;
    addRowsWithoutRefresh(0, m_host.recordCount() - 1);
    // A new history starts at the main window's count (or the newest result's); a changed one
    // keeps the choice while that count is still there.
    const QList<int> counts = m_stats.digitCounts();
    int &digitCount = m_selection.digitCount;
    if (wasEmpty || (digitCount != 0 && !counts.contains(digitCount)))
        digitCount = m_stats.startingDigitCount(m_host.digitCount());
    int &seconds = m_selection.displaySeconds;
    if (seconds != HistoryStats::everyDisplayTime && !m_stats.displayTimes().contains(seconds))
        seconds = HistoryStats::everyDisplayTime;
    fillChoiceLists();
    refresh();
}

void StatsWindow::addRows(int first, int last)
{
    const bool wasEmpty = m_stats.results() == 0;
    addRowsWithoutRefresh(first, last);
    m_drills.clear(); // a save adds to the drill log too
    if (wasEmpty)
        m_selection.digitCount = m_stats.startingDigitCount(m_host.digitCount());
    fillChoiceLists();
    refresh();
}

void StatsWindow::addRowsWithoutRefresh(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_stats.add(m_host.record(row));
    m_rowsCounted = last + 1;
}

void StatsWindow::fillChoiceLists()
{
    QList<std::pair<QString, int>> counts{{StatsText::allDigitCounts(), 0}};
    for (int n : m_stats.digitCounts())
        counts.append({StatsText::digitCount(n), n});
    m_counts->setChoices(counts, m_selection.digitCount);
    QList<std::pair<QString, int>> times{
        {StatsText::displayTime(HistoryStats::everyDisplayTime), HistoryStats::everyDisplayTime}};
    for (int seconds : m_stats.displayTimes())
        times.append({StatsText::displayTime(seconds), seconds});
    m_times->setChoices(times, m_selection.displaySeconds);
}

void StatsWindow::refresh()
{
    m_freshPages.clear();
    m_pages->setCurrentWidget(m_stats.results() == 0 ? m_empty : m_pages->widget(1));
    refreshPage();
}

// Draws the page turned to, if the figures or the choices changed since it was last drawn.
void StatsWindow::refreshPage()
{
    const int index = m_tabs->currentIndex();
    if (index < 0 || showsEmptyState())
        return;
    StatsPage *page = m_pageList.at(index);
    if (m_freshPages.contains(page))
        return;
    m_freshPages.append(page);
    StatsSelection selection = m_selection;
    selection.today = m_host.localNow().date();
    page->refresh(StatsFigures{m_stats, m_drills}, selection);
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
        // Wide enough for every tab's caption, as the style and the font draw them.
        ensurePolished();
        layout()->activate();
        const int missing = m_tabs->tabBar()->sizeHint().width() - m_tabs->tabBar()->width();
        if (missing > 0)
            resize(width() + missing, height());
        QWidget *owner = parentWidget();
        if (const QScreen *screen = owner ? owner->screen() : nullptr) {
            const QSize decoration = frameGeometry().size() - size();
            const QRect frame = WindowPlacement::besideOrCoveringLeast(
                size() + decoration, owner->frameGeometry(),
                WindowPlacement::inDevicePixels(screen->availableGeometry(),
                                                screen->devicePixelRatio()),
                m_host.drillArea());
            resize(frame.size() - decoration);
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}
