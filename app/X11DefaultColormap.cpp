// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/X11DefaultColormap.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

xcb_connection_t *x11Connection()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Gives a window the default colormap of its screen, if it has that screen's default visual.
void useDefaultColormap(QWindow *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->handle())
        return;
    const auto id = xcb_window_t(window->winId());
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id),
                                        nullptr),
        &std::free);
    if (!attributes)
        return;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens)) {
        const xcb_screen_t *screen = screens.data;
        if (screen->root_visual != attributes->visual)
            continue;
        if (attributes->colormap != screen->default_colormap) {
            const uint32_t colormap = screen->default_colormap;
            xcb_change_window_attributes(connection, id, XCB_CW_COLORMAP, &colormap);
            xcb_flush(connection);
        }
        return;
    }
}

} // namespace

void X11DefaultColormap::install()
{
    if (x11Connection())
        qGuiApp->installEventFilter(new X11DefaultColormap(qGuiApp));
}

bool X11DefaultColormap::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent *>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated) {
        if (auto *window = qobject_cast<QWindow *>(watched))
            useDefaultColormap(window);
    }
    return QObject::eventFilter(watched, event);
}
