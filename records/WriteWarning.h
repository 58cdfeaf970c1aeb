// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Tells the player that a data file could not be written: the file layer's message (which file,
// and why, in Japanese), then what follows from it for the player. The program goes on.
void warnNotWritten(QWidget *owner, const QString &message, const QString &consequence,
                    const QString &title = QStringLiteral("保存エラー"));
