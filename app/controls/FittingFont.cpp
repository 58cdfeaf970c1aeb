// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls/FittingFont.h"

#include <QFontMetricsF>

namespace {

// How far the ink of the widest text reaches from the centre of its advance, on either side: a
// centred text needs twice this much room.
qreal halfInkWidth(const QFont &font, const QStringList &texts, QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    qreal half = 0;
    for (const QString &text : texts) {
        const qreal middle = metrics.horizontalAdvance(text) / 2;
        const QRectF ink = metrics.tightBoundingRect(text);
        if (!ink.isEmpty())
            half = qMax(half, qMax(middle - ink.left(), ink.right() - middle));
    }
    return half;
}

} // namespace

QFont FittingFont::narrowedToFit(QFont font, const QStringList &texts, qreal width,
                                 QPaintDevice *device)
{
    constexpr qreal clearance = 1;
    constexpr int narrowest = 50;
    const qreal room = width / 2 - clearance;
    const qreal half = halfInkWidth(font, texts, device);
    if (half <= room || room <= 0)
        return font;
    // Glyphs do not narrow in exact proportion (hinting): from the proportional guess, a per cent
    // at a time.
    for (int stretch = qBound(narrowest, int(100 * room / half), 99); stretch >= narrowest;
         --stretch) {
        font.setStretch(stretch);
        if (halfInkWidth(font, texts, device) <= room)
            break;
    }
    return font;
}

QStringList FittingFont::digits()
{
    QStringList all;
    for (char digit = '0'; digit <= '9'; ++digit)
        all.append(QString(QLatin1Char(digit)));
    return all;
}
