// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// A list of choices at the side of 成績グラフ (the digit counts, the display times): each entry a
// text for a value, one of them chosen. Refilled whenever the history changes, keeping the
// choice where it can.
class StatsChoiceList : public QListWidget
{
    Q_OBJECT

public:
    // accessibleName is the list's name for a screen reader; a buddy label gives a relation,
    // not a name.
    StatsChoiceList(const QString &accessibleName, QWidget *parent = nullptr);

    // Fills the list with the texts and values given, with the entry of the chosen value
    // current, and without a signal.
    void setChoices(const QList<std::pair<QString, int>> &choices, int chosen);
    // Makes the entry of a value current, as a click on it does.
    void choose(int value);

Q_SIGNALS:
    // The player made the entry of a value current.
    void chosen(int value);
};
