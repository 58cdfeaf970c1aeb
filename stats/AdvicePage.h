// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/StatsPage.h"

#include <QWidget>

class QLabel;

// The page アドバイス: one to three sentences of what to try next, each with the figure it rests
// on, or what is still needed for them.
class AdvicePage : public QWidget, public StatsPage
{
    Q_OBJECT

public:
    explicit AdvicePage(QWidget *parent = nullptr);

    QString title() const override;
    QWidget *widget() override { return this; }
    void refresh(const StatsFigures &figures, const StatsSelection &selection) override;

    QLabel *advice() const { return m_advice; }

private:
    QLabel *m_advice = nullptr;
};
