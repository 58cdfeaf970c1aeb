// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/AdvicePage.h"

#include "stats/StatsSentence.h"
#include "stats/core/DrillAnalyses.h"
#include "stats/core/PracticeAdvice.h"

#include <QLabel>
#include <QVBoxLayout>

AdvicePage::AdvicePage(QWidget *parent) : QWidget(parent)
{
    m_advice = new QLabel(this);
    m_advice->setWordWrap(true);
    m_advice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_advice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // No accessible name of its own: a screen reader then reads the advice itself, the page's
    // tab already saying what it is.
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.25);
    m_advice->setFont(large);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_advice);
    layout->addStretch(1);
}

QString AdvicePage::title() const
{
    return QStringLiteral("アドバイス");
}

void AdvicePage::refresh(const StatsFigures &figures, const StatsSelection &selection)
{
    const PracticeAdvice advice = PracticeAdvice::of(figures.drills.of(selection.displaySeconds),
                                                     figures.history, selection.digitCount);
    if (advice.sentences.isEmpty()) {
        StatsSentence::setText(m_advice, advice.missing);
        return;
    }
    QStringList lines;
    for (const QString &sentence : advice.sentences)
        lines.append(QStringLiteral("・") + sentence);
    StatsSentence::setText(m_advice, lines.join(QStringLiteral("\n\n")));
}
