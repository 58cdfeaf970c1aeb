// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QObject>

// Makes Qt build the accessibility interface Interface for every widget of the class Widget
// (Interface's constructor takes a Widget *). Once per pair is enough, before the first screen
// reader asks; later calls do nothing.
template <class Widget, class Interface> void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString &className, QObject *object) -> QAccessibleInterface * {
                if (className == QLatin1String(Widget::staticMetaObject.className()) && object &&
                    object->isWidgetType())
                    return new Interface(static_cast<Widget *>(object));
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}
