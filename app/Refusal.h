// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdio>

class QDir;

// A start that cannot go on: the player is told why, on standard error and in a message box, in
// one text, so that what the box shows and what the terminal shows are the same characters to
// the last byte quoted from a file (ShownText::message makes every one of them visible).
namespace Refusal {

// The message with the data folder it is about.
QString withDataFolder(const QString &message, const QDir &dataDir);

// Writes "ketamori: " and the message on stream, then shows it in a box and returns when the
// player has closed the box (or it was closed for them). Needs the application to exist.
void tell(const QString &message, std::FILE *stream);

} // namespace Refusal
