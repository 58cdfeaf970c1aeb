// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/JapaneseFont.h"

#include "resources/StartupWarmUp.h"

#include <QFontDatabase>

namespace {

constexpr QStringView windowsFace = u"ＭＳ Ｐゴシック";
constexpr QStringView standIn = u"IPAPGothic";

} // namespace

QFont japaneseFont(qreal points)
{
    // Asked for by a name that is not installed, a face is looked for anew for every script of
    // every text (a fontconfig sort of all fonts each time); the stand-in is asked for by its
    // own name instead.
    static const QString face = [] {
        StartupWarmUp::wait();
        QFont::insertSubstitution(windowsFace.toString(), standIn.toString());
        return (QFontDatabase::hasFamily(windowsFace.toString()) ? windowsFace : standIn)
            .toString();
    }();
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool isJapaneseFace(const QString &family)
{
    return family == windowsFace || family == standIn;
}
