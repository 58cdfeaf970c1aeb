// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the desktop icons from the window icon, the lightning bolt:
//   desktop_icons OUTPUT_DIR SIZE...
// writes OUTPUT_DIR/<size>x<size>/apps/ketamori.png for each size, in the layout of the
// hicolor icon theme. The bolt is pixel art of 16x16 and 32x32 pixels; each size is made from
// the one of them it is a whole multiple of, the larger where both are, every pixel becoming a
// sharp block, so 48 px is the 16 px image three times and 128 px the 32 px image four times.
#include "resources/Pictures.h"

#include <QDir>
#include <QImage>
#include <cstdio>

namespace {

// The size of the drawn image a desktop icon is enlarged from, or 0 if there is none.
int drawnSize(int size)
{
    if (size > 0 && size % 32 == 0)
        return 32;
    if (size > 0 && size % 16 == 0)
        return 16;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: desktop_icons OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        const int drawn = ok ? drawnSize(size) : 0;
        if (drawn == 0) {
            std::fprintf(stderr, "desktop_icons: %s px is no whole multiple of 16 or 32\n",
                         argv[i]);
            return 1;
        }
        const QImage image = Pictures::image(Pictures::Icon::Bolt, drawn);
        if (image.isNull()) {
            std::fprintf(stderr, "desktop_icons: the %d px bolt cannot be loaded\n", drawn);
            return 1;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = output.filePath(folder + QStringLiteral("/ketamori.png"));
        const QImage icon = image.convertToFormat(QImage::Format_ARGB32)
                                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!output.mkpath(folder) || !icon.save(path, "PNG")) {
            std::fprintf(stderr, "desktop_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
