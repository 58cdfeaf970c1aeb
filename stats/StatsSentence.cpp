// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsSentence.h"

#include "stats/core/StatsText.h"

#include <QLabel>

namespace StatsSentence {

QLabel *make(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    setText(label, text);
    return label;
}

void setText(QLabel *label, const QString &text)
{
    // A label is heard by its text unless it has a name of its own: the sentence as written,
    // without the marks that hold its phrases together.
    const QString name = label->accessibleName();
    const bool named = !name.isEmpty() && name != StatsSentence::text(label);
    label->setText(StatsText::phrased(text));
    if (!named)
        label->setAccessibleName(text);
}

QString text(const QLabel *label)
{
    return StatsText::plainSentence(label->text());
}

} // namespace StatsSentence
