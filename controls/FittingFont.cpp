// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FittingFont.h"

#include <QCache>
#include <QFontMetricsF>
#include <QPaintDevice>

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

// The stretch that fits, 0 for the font as it is. Measuring ink takes a good part of a
// millisecond; the answers are kept, as the same few controls ask the same questions.
int fittingStretch(const QFont &font, const QStringList &texts, qreal width, QPaintDevice *device)
{
    static QCache<QString, int> known(1000);
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(font.key())
                            .arg(width)
                            .arg(device ? device->devicePixelRatioF() : 1.0)
                            .arg(texts.join(QChar(0)));
    if (const int *stretch = known.object(key))
        return *stretch;

    constexpr qreal clearance = 1;
    constexpr int narrowest = 50;
    const qreal room = width / 2 - clearance;
    const qreal half = halfInkWidth(font, texts, device);
    int stretch = 0;
    if (half > room && room > 0) {
        // Glyphs do not narrow in exact proportion (hinting): from the proportional guess, a per
        // cent at a time.
        QFont narrowed = font;
        for (stretch = qBound(narrowest, int(100 * room / half), 99); stretch > narrowest;
             --stretch) {
            narrowed.setStretch(stretch);
            if (halfInkWidth(narrowed, texts, device) <= room)
                break;
        }
    }
    known.insert(key, new int(stretch));
    return stretch;
}

} // namespace

QFont FittingFont::narrowedToFit(QFont font, const QStringList &texts, qreal width,
                                 QPaintDevice *device)
{
    if (const int stretch = fittingStretch(font, texts, width, device))
        font.setStretch(stretch);
    return font;
}

QStringList FittingFont::digits()
{
    QStringList all;
    for (char digit = '0'; digit <= '9'; ++digit)
        all.append(QString(QLatin1Char(digit)));
    return all;
}
