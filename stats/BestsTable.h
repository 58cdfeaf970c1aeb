// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QTableWidget>

// The page 自己ベスト: for each display time, the longest row wholly right and when it was
// first reached.
class BestsTable : public QTableWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit BestsTable(QWidget *parent = nullptr);

    QString title() const override;
    QString tabTitle() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;
};
