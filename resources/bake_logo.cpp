// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the title logo for the build, which compiles the pictures into the program so that
// start-up need not draw them:
//   bake_logo DIR    writes DIR/logo-1.argb and DIR/logo-2.argb, the logo at 100 % and 200 %
// as premultiplied ARGB pixels, row by row.
#include "resources/JapaneseFont.h"
#include "resources/Pictures.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bake_logo DIR\n");
        return 2;
    }
    // Drawn in another face, the picture would not be the program's.
    const QString face = QFontInfo(japaneseFont(9)).family();
    if (!isJapaneseFace(face)) {
        std::fprintf(stderr, "bake_logo: the Japanese face is missing (found %s)\n",
                     qUtf8Printable(face));
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    for (const int ratio : {1, 2}) {
        const QImage image = Pictures::drawnLogo(ratio);
        QSaveFile file(dir.filePath(QStringLiteral("logo-%1.argb").arg(ratio)));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) !=
                image.sizeInBytes() ||
            !file.commit()) {
            std::fprintf(stderr, "bake_logo: cannot write %s\n", qUtf8Printable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
