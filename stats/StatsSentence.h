// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;
class QString;
class QWidget;

// A sentence in place of a chart or a table, centred and wrapped: what a page still needs, or
// why it shows nothing.
namespace StatsSentence {

QLabel *make(const QString &text, QWidget *parent);

} // namespace StatsSentence
