// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

// How often each shown digit (0 to 8) was typed as each other one (0 to 9) or left empty, over
// the replaced positions of wrong rows.
class ConfusionTable
{
public:
    static constexpr int shownDigits = 9;   // 0 to 8
    static constexpr int typedColumns = 11; // 0 to 9, then the empty box
    static constexpr int emptyBox = 10;

    void add(int shown, int typed)
    {
        if (shown >= 0 && shown < shownDigits && typed >= 0 && typed < typedColumns) {
            ++m_counts[static_cast<size_t>(shown)][static_cast<size_t>(typed)];
            ++m_total;
        }
    }
    int count(int shown, int typed) const
    {
        return m_counts.at(static_cast<size_t>(shown)).at(static_cast<size_t>(typed));
    }
    int total() const { return m_total; }

private:
    std::array<std::array<int, typedColumns>, shownDigits> m_counts{};
    int m_total = 0;
};
