// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtJapanese.h"
#include "app/frmMain.h"
#include "drill/core/RandomDigitSource.h"
#include "drill/core/SystemClock.h"
#include "help/ChmHelpViewer.h"
#include "records/core/Disk.h"
#include "records/core/HistoryFile.h"
#include "resources/Pictures.h"
#include "resources/StartupWarmUp.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Without a display Qt would abort with a terse message of its own.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "ketamori: no display found (DISPLAY is not set). "
                             "Run it on a desktop, or under Xvfb: xvfb-run -a ketamori\n");
        return 1;
    }
    // Qt takes the first thread that uses its objects for its main thread: this one, before the
    // threads below are started.
    QThread::currentThread();
    // Fonts and pictures made ready beside QApplication's connection to the display, and the
    // history read beside it too (a long one takes longer than all the rest of the start-up).
    StartupWarmUp warmUp(&Pictures::decodeAhead);
    const QDir dataDir = QDir::current();
    auto historyFile =
        std::make_unique<HistoryFile>(dataDir.filePath(HistoryFile::fileName()), Disk::real());
    historyFile->readAhead();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ketamori"));
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ketamori.ketamori"));
    QtJapanese::install();

    SystemClock clock;
    RandomDigitSource digits;
    ChmHelpViewer help; // outlives the window that owns its help windows
    frmMain window(dataDir, std::move(historyFile), clock, digits, help, Disk::real());

    QString error;
    if (!window.frmMain_Load(&error)) {
        error += QStringLiteral("\n\nデータフォルダ: %1")
                     .arg(QDir::toNativeSeparators(dataDir.absolutePath()));
        std::fprintf(stderr, "ketamori: %s\n", qUtf8Printable(error));
        QMessageBox::critical(nullptr, QStringLiteral("ケタモリ！"), error);
        return 1;
    }
    window.show();
    return app.exec();
}
