// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drill/core/DigitSource.h"

#include <QList>

// Plays back a fixed list of digits. Every reseed starts the list from its beginning, so each
// drill draws the scripted digits in order (and the list repeats if a drill needs more).
class ScriptedDigits : public DigitSource
{
public:
    explicit ScriptedDigits(QList<int> digits = {0, 1, 2, 3, 4, 5, 6, 7, 8})
        : m_digits(std::move(digits))
    {
    }

    void setDigits(QList<int> digits)
    {
        m_digits = std::move(digits);
        m_next = 0;
    }

    void reseed() override
    {
        ++m_reseeds;
        m_next = 0;
    }

    int nextDigit() override
    {
        const int digit = m_digits.at(m_next % m_digits.size());
        ++m_next;
        return digit;
    }

    int reseeds() const { return m_reseeds; }

private:
    QList<int> m_digits;
    qsizetype m_next = 0;
    int m_reseeds = 0;
};
