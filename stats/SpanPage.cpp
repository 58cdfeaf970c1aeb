// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SpanPage.h"

#include "stats/SpanChart.h"
#include "stats/StatsHost.h"
#include "stats/StatsSentence.h"
#include "stats/core/HistoryStats.h"
#include "stats/core/PracticeSuggestion.h"
#include "stats/core/SpanEstimate.h"
#include "stats/core/StatsText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SpanPage::SpanPage(StatsHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    m_estimate = new QLabel(this);
    m_estimate->setWordWrap(true);
    m_estimate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    m_estimate->setFont(large);
    m_suggestion = new QLabel(this);
    m_suggestion->setWordWrap(true);
    m_suggestion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_choose = new QPushButton(QStringLiteral("問題数を選ぶ(&P)"), this);
    m_choose->setEnabled(false);
    m_adaptive = new QCheckBox(QStringLiteral("問題数の自動調整(&A)"), this);
    m_adaptive->setToolTip(QStringLiteral(
        "オンにすると、1 回ごとの結果に合わせて問題数が変わります：2 回続けて全問正解すると 1 "
        "問増え、間違いがあると 1 問減ります（1〜15 問）。"));

    auto *next = new QHBoxLayout;
    next->addWidget(m_suggestion, 1);
    next->addWidget(m_choose);
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_estimate);
    m_layout->addStretch(1); // the chart's place
    m_layout->addLayout(next);
    m_layout->addWidget(m_adaptive);

    connect(m_choose, &QPushButton::clicked, this, [this] {
        if (m_suggested > 0)
            m_host.chooseDigitCount(m_suggested);
    });
    // clicked() is the player's: a refresh's setChecked() switches nothing.
    connect(m_adaptive, &QCheckBox::clicked, this,
            [this](bool on) { m_host.setAdaptiveDigitCount(on); });
    // The switch is also in the history table's menu: the box shows it as it is.
    m_adaptive->setChecked(m_host.adaptiveDigitCount());
    m_host.setAdaptiveListener([this](bool on) { m_adaptive->setChecked(on); });
}

SpanPage::~SpanPage()
{
    m_host.setAdaptiveListener({});
}

QString SpanPage::title() const
{
    return QStringLiteral("推定スパン");
}

QString SpanPage::tabTitle() const
{
    return QStringLiteral("スパン");
}

void SpanPage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const SpanTally tally = figures.history.spanTally(selection.displaySeconds);
    const SpanEstimate estimate = SpanEstimate::of(tally);
    showSpan(tally, estimate,
             PracticeSuggestion::of(tally, estimate, figures.history.newestDigitCount()));
}

void SpanPage::showSpan(const SpanTally &tally, const SpanEstimate &estimate,
                        const PracticeSuggestion &suggestion)
{
    StatsSentence::setText(m_estimate, StatsText::spanEstimate(estimate));
    // The chart is made when first shown: a chart costs milliseconds, and most openings of the
    // window never turn to this page.
    if (!m_chart) {
        m_chart = new SpanChart(this);
        m_chart->setAccessibleName(QStringLiteral("問題数ごとの全問正解の割合"));
        delete m_layout->takeAt(1);
        m_layout->insertWidget(1, m_chart, 1);
    }
    m_chart->showSpan(tally, estimate);
    m_suggested = suggestion.digitCount;
    m_choose->setEnabled(m_suggested > 0);
    if (m_suggested > 0) {
        StatsSentence::setText(m_suggestion,
                               QStringLiteral("次の練習：%1。%2")
                                   .arg(StatsText::digitCount(m_suggested), suggestion.reason));
        m_choose->setText(
            QStringLiteral("問題数を %1にする(&P)").arg(StatsText::digitCount(m_suggested)));
    } else {
        StatsSentence::setText(m_suggestion, QString());
        m_choose->setText(QStringLiteral("問題数を選ぶ(&P)"));
    }
}
