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
    const QString of = QStringLiteral("%1・表示時間 %2")
                           .arg(n ? StatsText::digitCount(n) : QStringLiteral("すべての問題数"),
                                StatsText::displayTime(selection.displaySeconds));
    const QString older =
        without > 0
            ? QStringLiteral("詳しい記録のない結果 %1 回（記録を始める前のもの）は数えていません。")
                  .arg(without)
            : QString();
    if (wrong < minWrongRows) {
        m_hint->setText(QStringLiteral("間違い方は、詳しい記録のある間違いが %1 回以上あると表示"
                                       "されます（%2：今 %3 回、あと %4 回）。")
                            .arg(minWrongRows)
                            .arg(of)
                            .arg(wrong)
                            .arg(minWrongRows - wrong) +
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
    m_counts->setText(QStringLiteral("%1：詳しい記録のある間違い %2 回。").arg(of).arg(wrong) +
                      older);
    setCurrentWidget(m_content);
}
