// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsChoiceList.h"

namespace {

constexpr int valueRole = Qt::UserRole;

} // namespace

StatsChoiceList::StatsChoiceList(const QString &accessibleName, QWidget *parent)
    : QListWidget(parent)
{
    setAccessibleName(accessibleName);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem *entry = item(row))
            Q_EMIT chosen(entry->data(valueRole).toInt());
    });
}

void StatsChoiceList::setChoices(const QList<std::pair<QString, int>> &choices, int chosen)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const auto &[text, value] : choices) {
        auto *entry = new QListWidgetItem(text, this);
        entry->setData(valueRole, value);
        if (value == chosen)
            setCurrentItem(entry);
    }
}

void StatsChoiceList::choose(int value)
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(valueRole).toInt() == value)
            setCurrentRow(row);
    }
}
