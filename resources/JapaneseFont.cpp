#include "resources/JapaneseFont.h"

QFont japaneseFont(qreal points)
{
    static const QString face = [] {
        const QString windowsFace = QStringLiteral("ＭＳ Ｐゴシック");
        QFont::insertSubstitution(windowsFace, QStringLiteral("IPAPGothic"));
        return windowsFace;
    }();
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
