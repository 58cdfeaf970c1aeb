// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QWidget>

struct PracticeSuggestion;
class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class SpanChart;
class SpanEstimate;
class SpanTally;
class StatsHost;

// The page 推定スパン: the span with its interval (or what it still needs), the chart of whole
// rows right by digit count, and the digit count to practise next with a button that picks it
// in the main window's 問題数, or 自動調整, which then picks the count after every drill.
class SpanPage : public QWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit SpanPage(StatsHost &host, QWidget *parent = nullptr);
    ~SpanPage() override;

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    QLabel *estimate() const { return m_estimate; }
    QLabel *suggestion() const { return m_suggestion; }
    QPushButton *chooseButton() const { return m_choose; }
    QCheckBox *adaptiveSwitch() const { return m_adaptive; }
    SpanChart *chart() const { return m_chart; } // null until first shown

private:
    void showSpan(const SpanTally &tally, const SpanEstimate &estimate,
                  const PracticeSuggestion &suggestion);

    QVBoxLayout *m_layout = nullptr;
    QLabel *m_estimate = nullptr;
    SpanChart *m_chart = nullptr;
    QLabel *m_suggestion = nullptr;
    QPushButton *m_choose = nullptr;
    QCheckBox *m_adaptive = nullptr; // 自動調整, as the host has it
    StatsHost &m_host;
    int m_suggested = 0;
};
