// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <array>

// A control array as the window knows them: elements addressed by index First..Last, written
// lblMondai(i). Indexing outside the range is a programming error.
template <typename T, int First, int Last> class ControlArray
{
public:
    T *&operator()(int i)
    {
        Q_ASSERT_X(i >= First && i <= Last, "ControlArray", "index out of range");
        return m_items[static_cast<std::size_t>(i - First)];
    }
    T *operator()(int i) const
    {
        Q_ASSERT_X(i >= First && i <= Last, "ControlArray", "index out of range");
        return m_items[static_cast<std::size_t>(i - First)];
    }

private:
    std::array<T *, Last - First + 1> m_items{};
};
