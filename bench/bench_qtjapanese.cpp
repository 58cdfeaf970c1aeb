// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What loading Qt's Japanese texts adds to the program's start-up: the first installation, as
// the program does it once, and the average of loading the catalogue afresh many times.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_qtjapanese

#include "app/QtJapanese.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTranslator>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QElapsedTimer first;
    first.start();
    const bool installed = QtJapanese::install();
    const qint64 firstNs = first.nsecsElapsed();
    if (!installed)
        return 1;

    constexpr int rounds = 200;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QElapsedTimer again;
    again.start();
    for (int n = 0; n < rounds; ++n) {
        QTranslator translator;
        if (!translator.load(QtJapanese::catalogueName(), folder))
            return 1;
    }
    const qint64 againNs = again.nsecsElapsed() / rounds;

    std::printf("first installation: %.3f ms\nloading again (mean of %d): %.3f ms\n",
                double(firstNs) / 1e6, rounds, double(againNs) / 1e6);
    return 0;
}
