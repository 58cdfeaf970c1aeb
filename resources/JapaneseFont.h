// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The window's Japanese face "ＭＳ Ｐゴシック", regular weight, at the given point size. The face
// is usually missing outside Windows; the IPA proportional Gothic stands in for it.
QFont japaneseFont(qreal points);

// Whether family is one of the two faces japaneseFont() gives: the window's own or its stand-in.
bool isJapaneseFace(const QString &family);
