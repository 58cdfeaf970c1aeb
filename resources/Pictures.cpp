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

// The resource of a picture as drawn for a scale: "<name>.xpm" for 100 %, "<name>@2x.xpm" for
// 200 %.
QString picturePath(const QString &name, int scale)
{
    return QStringLiteral(":/pictures/%1%2.xpm")
        .arg(name, scale == 2 ? QStringLiteral("@2x") : QString());
}

QImage trafficLight(const Lamp &lamp, int size, int scale)
{
    QByteArray xpm = readResource(picturePath(QStringLiteral("light-%1").arg(size), scale));
    if (xpm.isEmpty())
        return {};
    recolour(xpm, lamp.face, lamp.lit);
    recolour(xpm, lamp.glint, qRgb(255, 255, 255));
    return decodeXpm(xpm);
}

// The pictures as decodeAhead() left them: each icon at 32 and at 16, and the auto-save picture,
// each as drawn for 100 % and for 200 %.
struct DecodedPictures
{
    std::array<QImage, 4 * Pictures::iconCount> icons;
    std::array<QImage, 2> autoSave;
    bool ready = false;

    static std::size_t slot(Pictures::Icon which, int size, int scale)
    {
        return 4 * std::size_t(which) + (size == 16 ? 2 : 0) + (scale == 2 ? 1 : 0);
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

QImage decodeImage(Pictures::Icon which, int size, int scale)
{
    switch (which) {
    case Pictures::Icon::LightRed:
        return trafficLight(lamps[0], size, scale);
    case Pictures::Icon::LightYellow:
        return trafficLight(lamps[1], size, scale);
    case Pictures::Icon::LightGreen:
        return trafficLight(lamps[2], size, scale);
    default:
        return loadXpm(picturePath(
            QStringLiteral("%1-%2").arg(Pictures::resourceName(which)).arg(size), scale));
    }
}

QImage decodeAutoSave(int scale)
{
    return loadXpm(picturePath(QStringLiteral("autosave"), scale));
}

qreal screenRatio()
{
    return qGuiApp ? qMax(qreal(1), qGuiApp->devicePixelRatio()) : qreal(1);
}

// Pixel art ready for a screen of the given device pixel ratio, its size kept in logical pixels:
// above 100 % the picture drawn for 200 % is shown. At 200 % (and 400 %, 600 %...) its pixels map
// onto whole blocks of the screen's and stay sharp; at ratios in between it is smoothed to size.
QPixmap pixelArt(const QImage &drawn1x, const QImage &drawn2x, qreal ratio)
{
    if (ratio <= 1 || drawn2x.isNull())
        return QPixmap::fromImage(drawn1x);
    const QSize size(qRound(drawn1x.width() * ratio), qRound(drawn1x.height() * ratio));
    const bool wholeBlocks =
        size.width() % drawn2x.width() == 0 && size.height() % drawn2x.height() == 0;
    QPixmap pixmap = QPixmap::fromImage(
        size == drawn2x.size()
            ? drawn2x
            : drawn2x.scaled(size, Qt::IgnoreAspectRatio,
                             wholeBlocks ? Qt::FastTransformation : Qt::SmoothTransformation));
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

QImage Pictures::image(Icon which, int size, int scale)
{
    const DecodedPictures *ahead = readyPictures();
    if (ahead && (size == 32 || size == 16) && (scale == 1 || scale == 2))
        return ahead->icons[DecodedPictures::slot(which, size, scale)];
    return decodeImage(which, size, scale);
}

QImage Pictures::autoSaveImage(int scale)
{
    const DecodedPictures *ahead = readyPictures();
    if (ahead && (scale == 1 || scale == 2))
        return ahead->autoSave[scale == 2 ? 1 : 0];
    return decodeAutoSave(scale);
}

void Pictures::decodeAhead()
{
    DecodedPictures &ahead = decodedAhead();
    if (ahead.ready)
        return;
    for (int i = 0; i < iconCount; ++i) {
        for (const int size : {32, 16}) {
            for (const int scale : {1, 2})
                ahead.icons[DecodedPictures::slot(Icon(i), size, scale)] =
                    decodeImage(Icon(i), size, scale);
        }
    }
    for (const int scale : {1, 2})
        ahead.autoSave[std::size_t(scale - 1)] = decodeAutoSave(scale);
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
        const QImage drawn2x = image(which, size, 2);
        for (const qreal ratio : ratios)
            result.addPixmap(pixelArt(drawn, drawn2x, ratio));
    }
    return result;
}

QPixmap Pictures::icon32(Icon which)
{
    return pixelArt(image(which, 32), image(which, 32, 2), screenRatio());
}

QPixmap Pictures::autoSave()
{
    return pixelArt(autoSaveImage(), autoSaveImage(2), screenRatio());
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
