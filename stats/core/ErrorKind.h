// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a wrong row differs from the row shown, the kinds a player's recall errors fall into.
enum class ErrorKind
{
    NeighbourSwap, // two neighbouring digits typed the other way round
    DistantSwap,   // two digits further apart typed in each other's place
    Omission,      // one digit left out, those after it moved up a box
    Insertion,     // one digit added, those after it moved down and the last pushed out
    Replacement,   // one digit typed wrong (or its box left empty) in its place
    EmptyEnd,      // right as far as it goes, the last boxes left empty
    Several,       // more than one of these
};

namespace ErrorKinds {

constexpr int count = 7;

} // namespace ErrorKinds
