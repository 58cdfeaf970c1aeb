// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/JapaneseFont.h"

#include "resources/StartupWarmUp.h"

#include <QFontDatabase>

QFont japaneseFont(qreal points)
{
    // Asked for by a name that is not installed, a face is looked for anew for every script of
    // every text (a fontconfig sort of all fonts each time); the stand-in is asked for by its
    // own name instead.
    static const QString face = [] {
        StartupWarmUp::wait();
        const QString windowsFace = QStringLiteral("ＭＳ Ｐゴシック");
        const QString standIn = QStringLiteral("IPAPGothic");
        QFont::insertSubstitution(windowsFace, standIn);
        return QFontDatabase::hasFamily(windowsFace) ? windowsFace : standIn;
    }();
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
