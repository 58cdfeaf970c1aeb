// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QStackedWidget>

class PositionChart;
class QLabel;

// The page 桁ごとの正解率: the share of ○ at each position for the chosen digit count, or a
// sentence asking for one count when all are chosen (positions mean nothing across rows of
// different lengths).
class PositionPage : public QStackedWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit PositionPage(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    PositionChart *chart() const { return m_chart; }

private:
    PositionChart *m_chart = nullptr;
    QLabel *m_hint = nullptr;
};
