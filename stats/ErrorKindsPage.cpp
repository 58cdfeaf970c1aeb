// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ErrorKindsPage.h"

#include "stats/ErrorKindsChart.h"
#include "stats/StatsSentence.h"
#include "stats/core/DrillAnalyses.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/StatsText.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

ErrorKindsPage::ErrorKindsPage(QWidget *parent) : QStackedWidget(parent)
{
    m_hint = StatsSentence::make(QString(), this);
    m_content = new QWidget(this);
    m_counts = new QLabel(m_content);
    m_counts->setWordWrap(true);
    m_counts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout = new QVBoxLayout(m_content);
    m_layout->addStretch(1); // the chart's place
    m_layout->addWidget(m_counts);
    addWidget(m_hint);
    addWidget(m_content);
}

QString ErrorKindsPage::title() const
{
    return QStringLiteral("間違い方");
}

void ErrorKindsPage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const int n = selection.digitCount;
    const DrillAnalysis &analysis = figures.drills.of(selection.displaySeconds);
    const int wrong = analysis.wrongRows(n);
    // The results of the history the log has no details of: saved before it kept them.
    const SpanTally tally = figures.history.spanTally(selection.displaySeconds);
    const int results = n ? tally.tries(n) : tally.results();
    const int without = std::max(0, results - analysis.withDetails(n));
    // As the lists at the side name them: 「問題数 すべて」 for every count together.
    const QString of = QStringLiteral("問題数 %1・表示時間 %2")
                           .arg(n ? StatsText::digitCount(n) : StatsText::allDigitCounts(),
                                StatsText::displayTime(selection.displaySeconds));
    const QString older =
        without > 0
            ? QStringLiteral("詳細記録のない結果 %1 回（記録を始める前のもの）は数えていません。")
                  .arg(without)
            : QString();
    if (wrong < minWrongRows) {
        StatsSentence::setText(m_hint,
                               QStringLiteral("間違い方は、詳細記録に残る間違いが %1 回たまると"
                                              "表示されます（%2：今 %3 回）。")
                                       .arg(minWrongRows)
                                       .arg(of)
                                       .arg(wrong) +
                                   older);
        setCurrentWidget(m_hint);
        return;
    }
    // Made when first needed, as the span's chart is.
    if (!m_chart) {
        m_chart = new ErrorKindsChart(m_content);
        m_chart->setAccessibleName(QStringLiteral("間違いの種類ごとの割合"));
        delete m_layout->takeAt(0);
        m_layout->insertWidget(0, m_chart, 1);
    }
    m_chart->showKinds(analysis, n);
    // One line, so that the chart keeps the page's height.
    StatsSentence::setText(m_counts,
                           QStringLiteral("%1：詳細記録に残る間違い %2 回%3。")
                               .arg(of)
                               .arg(wrong)
                               .arg(without > 0 ? QStringLiteral("（ほかに詳細記録のない古い結果 "
                                                                 "%1 回）")
                                                      .arg(without)
                                                : QString()));
    setCurrentWidget(m_content);
}
