// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QStackedWidget>

class QLabel;
class SpanTrendChart;

// The page スパンの推移: the span estimate of each week for the chosen display time, or the
// sentence saying what a week needs for one.
class TrendPage : public QStackedWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit TrendPage(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    SpanTrendChart *chart() const { return m_chart; } // null until first shown

private:
    SpanTrendChart *m_chart = nullptr;
    QLabel *m_hint = nullptr;
};
