// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Pictures.h"

#include "resources/JapaneseFont.h"
#include "resources/StartupWarmUp.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QResource>

#include <array>
#include <cstring>

#include <vector>

namespace {

QByteArray readResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Decodes XPM text through Qt's own XPM reader for string arrays. QImage::fromData would reach
// the same reader only after QImageReader has loaded every image format plugin to ask it first.
QImage decodeXpm(const QByteArray &xpm)
{
    // The pixel data are the quoted strings of the C source, one a line, in order.
    QList<QByteArray> strings;
    for (const QByteArray &line : xpm.split('\n')) {
        const qsizetype open = line.indexOf('"');
        const qsizetype close = line.lastIndexOf('"');
        if (open >= 0 && close > open)
            strings.append(line.mid(open + 1, close - open - 1));
    }
    // The array reader trusts the header's counts: width, height, colours, characters a pixel.
    if (strings.isEmpty())
        return {};
    const QList<QByteArray> header = strings.first().simplified().split(' ');
    if (header.size() < 4 ||
        strings.size() != 1 + header.at(1).toLongLong() + header.at(2).toLongLong())
        return {};
    std::vector<const char *> array;
    array.reserve(static_cast<size_t>(strings.size()));
    for (const QByteArray &s : strings)
        array.push_back(s.constData());
    return QImage(array.data());
}

QImage loadXpm(const QString &path)
{
    const QByteArray xpm = readResource(path);
    return xpm.isEmpty() ? QImage() : decodeXpm(xpm);
}

// The housing of the traffic light keeps its lamps in colour keys of their own, dark as drawn:
// R, Y and G for the red, yellow and green lamp, 1, 2 and 3 for their glints.
struct Lamp
{
    char face;
    char glint;
    QRgb lit;
};
constexpr Lamp lamps[] = {
    {'R', '1', qRgb(255, 0, 0)},
    {'Y', '2', qRgb(255, 255, 0)},
    {'G', '3', qRgb(0, 255, 0)},
};

// Gives the colour key `key` of an XPM text another colour. Pixel rows hold no spaces, so the
// quoted key followed by " c #" can only be the key's entry in the colour table.
void recolour(QByteArray &xpm, char key, QRgb colour)
{
    const QByteArray entry = QByteArray("\"") + key + " c #";
    const qsizetype at = xpm.indexOf(entry);
    if (at >= 0)
        xpm.replace(at + entry.size(), 6, QColor(colour).name().mid(1).toLatin1());
}

QImage trafficLight(const Lamp &lamp, int size)
{
    QByteArray xpm = readResource(QStringLiteral(":/pictures/light-%1.xpm").arg(size));
    if (xpm.isEmpty())
        return {};
    recolour(xpm, lamp.face, lamp.lit);
    recolour(xpm, lamp.glint, qRgb(255, 255, 255));
    return decodeXpm(xpm);
}

// The pictures as decodeAhead() left them: each icon at 32 and at 16, and the auto-save picture.
struct DecodedPictures
{
    std::array<QImage, 2 * Pictures::iconCount> icons;
    QImage autoSave;
    bool ready = false;

    static std::size_t slot(Pictures::Icon which, int size)
    {
        return 2 * std::size_t(which) + (size == 16 ? 1 : 0);
    }
};

static_assert(int(Pictures::Icon::LightGreen) == Pictures::iconCount - 1);

DecodedPictures &decodedAhead()
{
    static DecodedPictures pictures;
    return pictures;
}

// The pictures decoded ahead, once the start-up thread is done with them; null if none were.
const DecodedPictures *readyPictures()
{
    StartupWarmUp::wait();
    const DecodedPictures &ahead = decodedAhead();
    return ahead.ready ? &ahead : nullptr;
}

QImage decodeImage(Pictures::Icon which, int size)
{
    switch (which) {
    case Pictures::Icon::LightRed:
        return trafficLight(lamps[0], size);
    case Pictures::Icon::LightYellow:
        return trafficLight(lamps[1], size);
    case Pictures::Icon::LightGreen:
        return trafficLight(lamps[2], size);
    default:
        return loadXpm(
            QStringLiteral(":/pictures/%1-%2.xpm").arg(Pictures::resourceName(which)).arg(size));
    }
}

QImage decodeAutoSave()
{
    return loadXpm(QStringLiteral(":/pictures/autosave.xpm"));
}

qreal screenRatio()
{
    return qGuiApp ? qMax(qreal(1), qGuiApp->devicePixelRatio()) : qreal(1);
}

// Pixel art is enlarged for a high-density screen by repeating pixels, never by smoothing them:
// at 200 % every pixel becomes a sharp 2x2 block. The pixmap keeps its size in logical pixels.
QPixmap pixelArt(const QImage &image, qreal ratio)
{
    if (image.isNull() || ratio <= 1)
        return QPixmap::fromImage(image);
    const QSize size(qRound(image.width() * ratio), qRound(image.height() * ratio));
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// The title logo: the caption in large, leaning letters, red with a white outline and a grey
// shadow to the lower right; the first letter black. Drawn from outlines, so it is sharp at
// any resolution.
void drawLogo(QPainter &painter, const QSizeF &size)
{
    const QString caption = QStringLiteral("ケタモリ！");
    const QColor red(255, 0, 0), black(0, 0, 0), white(255, 255, 255), grey(128, 128, 128);
    const qreal outline = 2.5; // white rim around each letter, in logical pixels
    const qreal bold = 1.0;    // the letters are thickened by this much on each side
    const QPointF shadow(3, 3);

    // The face the window's own texts use, large enough for smooth outlines.
    QFont font = japaneseFont(9);
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);

    // Each letter is a path of its own, set a little closer than the font would, and leaning.
    QList<QPainterPath> letters;
    QTransform lean;
    lean.shear(-0.18, 0);
    qreal x = 0;
    for (const QChar c : caption) {
        QPainterPath letter;
        letter.addText(x, 0, font, c);
        letters.append(lean.map(letter));
        x += metrics.horizontalAdvance(c) * 0.9;
    }

    // Fit the caption into the picture, leaving room for the rim and the shadow.
    QRectF bounds;
    for (const QPainterPath &letter : letters)
        bounds |= letter.boundingRect();
    const qreal margin = outline + bold;
    const QSizeF room(size.width() - 2 * margin - shadow.x(),
                      size.height() - 2 * margin - shadow.y());
    // The letters may be set up to 15 % wider than the font draws them, to fill the width.
    const qreal scaleY = qMin(room.width() / bounds.width(), room.height() / bounds.height());
    const qreal scaleX = qMin(room.width() / bounds.width(), scaleY * 1.15);
    QTransform fit;
    fit.translate(margin + (room.width() - bounds.width() * scaleX) / 2,
                  margin + (room.height() - bounds.height() * scaleY) / 2);
    fit.scale(scaleX, scaleY);
    fit.translate(-bounds.left(), -bounds.top());
    for (QPainterPath &letter : letters)
        letter = fit.map(letter);

    painter.setRenderHint(QPainter::Antialiasing);
    const auto drawShape = [&painter](const QPainterPath &path, const QColor &colour, qreal grow) {
        painter.setPen(QPen(colour, 2 * grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPath(path);
    };
    for (const QPainterPath &letter : letters)
        drawShape(letter.translated(shadow), grey, bold + outline);
    for (qsizetype i = 0; i < letters.size(); ++i) {
        drawShape(letters[i], white, bold + outline);
        drawShape(letters[i], i == 0 ? black : red, bold);
    }
}

} // namespace

QString Pictures::resourceName(Icon which)
{
    switch (which) {
    case Icon::Bolt:
        return QStringLiteral("bolt");
    case Icon::Notebook:
        return QStringLiteral("notebook");
    case Icon::Floppy:
        return QStringLiteral("floppy");
    case Icon::Sheets:
        return QStringLiteral("sheets");
    case Icon::Question:
        return QStringLiteral("question");
    case Icon::Exit:
        return QStringLiteral("exit");
    case Icon::LightRed:
        return QStringLiteral("light-red");
    case Icon::LightYellow:
        return QStringLiteral("light-yellow");
    case Icon::LightGreen:
        return QStringLiteral("light-green");
    }
    return {};
}

QImage Pictures::image(Icon which, int size)
{
    const DecodedPictures *ahead = readyPictures();
    if (ahead && (size == 32 || size == 16))
        return ahead->icons[DecodedPictures::slot(which, size)];
    return decodeImage(which, size);
}

void Pictures::decodeAhead()
{
    DecodedPictures &ahead = decodedAhead();
    if (ahead.ready)
        return;
    for (int i = 0; i < iconCount; ++i) {
        for (const int size : {32, 16})
            ahead.icons[DecodedPictures::slot(Icon(i), size)] = decodeImage(Icon(i), size);
    }
    ahead.autoSave = decodeAutoSave();
    ahead.ready = true;
}

QIcon Pictures::icon(Icon which)
{
    QList<qreal> ratios{1, 2};
    if (!ratios.contains(screenRatio()))
        ratios.append(screenRatio());
    QIcon result;
    for (const int size : {32, 16}) {
        const QImage drawn = image(which, size);
        if (drawn.isNull())
            continue;
        for (const qreal ratio : ratios)
            result.addPixmap(pixelArt(drawn, ratio));
    }
    return result;
}

QPixmap Pictures::icon32(Icon which)
{
    return pixelArt(image(which, 32), screenRatio());
}

QPixmap Pictures::autoSave()
{
    const DecodedPictures *ahead = readyPictures();
    return pixelArt(ahead ? ahead->autoSave : decodeAutoSave(), screenRatio());
}

QImage Pictures::drawnLogo(qreal ratio)
{
    QImage image(logoSize * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLogo(painter, logoSize);
    return image;
}

QImage Pictures::bakedLogo(qreal ratio)
{
    // Baked only for whole ratios, the screens most have.
    if (ratio != 1 && ratio != 2)
        return {};
    const QResource baked(QStringLiteral(":/logo/logo-%1.argb").arg(int(ratio)));
    const QByteArray pixels = baked.isValid() ? baked.uncompressedData() : QByteArray();
    const QSize size = logoSize * ratio;
    if (pixels.size() != qsizetype(size.width()) * size.height() * 4)
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), pixels.constData(), size_t(pixels.size()));
    image.setDevicePixelRatio(ratio);
    return image;
}

QPixmap Pictures::logo()
{
    const qreal ratio = screenRatio();
    QImage image = bakedLogo(ratio);
    if (image.isNull())
        image = drawnLogo(ratio);
    return QPixmap::fromImage(std::move(image));
}
