// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ValueLabel;

// How a screen reader sees a ValueLabel: static text named by its caption and value, with the
// value on its own as well.
class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(ValueLabel *label);

    QString text(QAccessible::Text t) const override;

    // Makes Qt build this interface for every ValueLabel; once is enough, before the first
    // screen reader asks.
    static void install();

private:
    const ValueLabel *label() const;
};
