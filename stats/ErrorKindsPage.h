// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QStackedWidget>

class ErrorKindsChart;
class QLabel;
class QVBoxLayout;

// The page 間違い方: how the wrong rows of the chosen digit count and display time differ from
// the rows shown, as the share of each kind of error with its count, and how many results had
// no details to tell (saved before the drill log kept them); or, with too few wrong rows, how
// many more are needed.
class ErrorKindsPage : public QStackedWidget, public StatsPage
{
    Q_OBJECT

public:
    static constexpr int minWrongRows = 10;

    explicit ErrorKindsPage(QWidget *parent = nullptr);

    QString title() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    ErrorKindsChart *chart() const { return m_chart; } // null until first shown
    QLabel *counts() const { return m_counts; }
    QLabel *hint() const { return m_hint; }

private:
    QLabel *m_hint = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout = nullptr;
    ErrorKindsChart *m_chart = nullptr;
    QLabel *m_counts = nullptr;
};
