// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtJapanese.h"
#include "app/Refusal.h"
#include "app/X11DefaultColormap.h"
#include "app/core/SingleCopy.h"
#include "app/core/TerminationRequests.h"
#include "app/frmMain.h"
#include "base/SystemClock.h"
#include "drill/core/RandomDigitSource.h"
#include "files/Disk.h"
#include "files/ShownText.h"
#include "help/ChmHelpViewer.h"
#include "records/core/HistoryFile.h"
#include "resources/Pictures.h"
#include "resources/StartupWarmUp.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <xcb/xcb.h>

namespace {

// Window titles reach the X server twice: as _NET_WM_NAME in UTF-8, and as WM_NAME, which Qt's
// X11 plugin converts to text through Xlib in the C library's character set (LC_CTYPE). Qt has
// already made every text UTF-8; under the C locale (LANG=C, or a locale not installed) Xlib
// takes those bytes for Latin-1 and stores them as STRING, which window managers and task bars
// then show as mojibake. With the character set UTF-8 Xlib stores the title as COMPOUND_TEXT,
// which every window manager reads. Called once QApplication has read the locale, before any
// window is made; nothing else here depends on LC_CTYPE.
void utf8CharacterSet()
{
    if (qstrcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

// The message of a start that cannot go on, on standard error and in a box; the box needs the
// application, which is made for it where none exists yet.
int refuse(int argc, char *argv[], const QString &message)
{
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        app = std::make_unique<QApplication>(argc, argv);
        utf8CharacterSet();
        QtJapanese::install();
    }
    Refusal::tell(message, stderr);
    return 1;
}

// A second start asked for the window: it comes to the front, and so does a message box open
// over it (the start-up failure's box when the window was never shown).
void bringToFront(QWidget &window, const QByteArray &activationToken)
{
    // On Wayland only a start the desktop made may take the focus: its token is used for it.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    QWidget *front = QApplication::activeModalWidget();
    if (window.isVisible()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.raise();
        window.activateWindow();
    }
    if (front) {
        front->raise();
        front->activateWindow();
    } else if (window.isVisible()) {
        front = &window;
    }
    // On X11 Qt asks for the focus with the time of the last event this copy saw, which the X
    // server refuses once anything else has taken the focus since (and with no window manager
    // there is no one else to ask). The player asked for this window just now: it is given the
    // focus as of now. Checked, so that a refusal (a window not yet mapped again) is no error
    // on the connection that Qt would report.
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && front) {
        std::free(xcb_request_check(
            x11->connection(),
            xcb_set_input_focus_checked(x11->connection(), XCB_INPUT_FOCUS_PARENT,
                                        xcb_window_t(front->winId()), XCB_CURRENT_TIME)));
    }
}

// An end signal came: every message box still waiting for the player is answered as its close
// box would answer it (Cancel: a Clear not yet confirmed clears nothing), so that the handler
// that opened it returns, and then the window closes and the event loop ends. A box shown before
// the event loop runs (a start-up refusal) ends its own loop the same way, and the start with it:
// quit() alone would wait for an event loop that is not running yet.
void endNow(QWidget &window)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(top);
        if (dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
    window.close();
    QCoreApplication::quit();
}

} // namespace

int main(int argc, char *argv[])
{
    // Without a display Qt would abort with a terse message of its own.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "ketamori: no display found (DISPLAY is not set). "
                             "Run it on a desktop, or under Xvfb: xvfb-run -a ketamori\n");
        return 1;
    }
    // Made first, before any thread writes a file: it sets SIGXFSZ aside (see Disk).
    Disk &disk = Disk::real();
    // Qt takes the first thread that uses its objects for its main thread: this one, before the
    // threads below are started.
    QThread::currentThread();
    // The data files are opened by their bare names in the working directory, whatever bytes
    // its own name is made of (an old Shift-JIS name is no valid UTF-8).
    const QDir dataDir(QStringLiteral("."));

    // One copy per data folder: a second start brings the first copy's window to the front.
    SingleCopy singleCopy(".");
    QString refusal;
    switch (singleCopy.start(&refusal)) {
    case SingleCopy::Start::First:
        break;
    case SingleCopy::Start::HandedOver:
        return 0;
    case SingleCopy::Start::Unreachable:
    case SingleCopy::Start::NoLock:
    case SingleCopy::Start::Elsewhere:
        return refuse(argc, argv, Refusal::withDataFolder(refusal, dataDir));
    }
    // Fonts and pictures made ready beside QApplication's connection to the display, and the
    // history read beside it too (a long one takes longer than all the rest of the start-up).
    StartupWarmUp warmUp(&Pictures::decodeAhead);
    auto historyFile =
        std::make_unique<HistoryFile>(dataDir.filePath(HistoryFile::fileName()), disk);
    historyFile->readAhead();
    QApplication app(argc, argv);
    utf8CharacterSet();
    QApplication::setApplicationName(QStringLiteral("ketamori"));
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ketamori.ketamori"));
    QtJapanese::install();
    X11DefaultColormap::install();

    SystemClock clock;
    RandomDigitSource digits;
    ChmHelpViewer help; // outlives the window that owns its help windows
    frmMain window(dataDir, std::move(historyFile), clock, digits, help, disk);

    QString notListening;
    if (!singleCopy.listen(&notListening))
        std::fprintf(stderr, "ketamori: %s\n", qUtf8Printable(notListening));
    QObject::connect(&singleCopy, &SingleCopy::folderLockLost, [](const QByteArray &holder) {
        std::fprintf(stderr, "ketamori: the data folder's lock was taken over by %s\n",
                     qUtf8Printable(ShownText::excerpt(holder)));
    });
    QObject::connect(&singleCopy, &SingleCopy::raiseRequested, &window,
                     [&window](const QByteArray &token) { bringToFront(window, token); });
    // Logging out (SIGTERM), a lost terminal (SIGHUP) or Ctrl+C (SIGINT) end the program as its
    // close box does, once the handler running has finished (see endNow).
    TerminationRequests terminations;
    if (!terminations.installed())
        std::fprintf(stderr, "ketamori: the end signals are left to their default action\n");
    QObject::connect(&terminations, &TerminationRequests::requested, &window,
                     [&window] { endNow(window); });

    QString error;
    if (!window.frmMain_Load(&error))
        return refuse(argc, argv, Refusal::withDataFolder(error, dataDir));
    window.show();
    return app.exec();
}
