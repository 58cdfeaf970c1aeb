// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;
class QString;
class QWidget;

// The window's sentences: wrapped a phrase at a time (StatsText::phrased), never inside a word,
// at any width and scale.
namespace StatsSentence {

// A sentence in place of a chart or a table, centred and wrapped: what a page still needs, or
// why it shows nothing.
QLabel *make(const QString &text, QWidget *parent);
// Shows a sentence in a wrapped label; a screen reader hears it as written.
void setText(QLabel *label, const QString &text);
// The sentence a label shows, as it was written.
QString text(const QLabel *label);

} // namespace StatsSentence
