// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtJapanese.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTranslator>

bool QtJapanese::install(const QString &folder)
{
    static QPointer<QTranslator> installed;
    static bool warned = false;

    if (installed)
        return true;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(catalogueName(), folder) &&
        QCoreApplication::installTranslator(translator)) {
        installed = translator;
        return true;
    }
    delete translator;
    if (!warned) {
        warned = true;
        qWarning("ketamori: Qt's Japanese texts (%s.qm) are missing in %s: "
                 "message box buttons and edit menus stay in English",
                 qUtf8Printable(catalogueName()), qUtf8Printable(QDir::toNativeSeparators(folder)));
    }
    return false;
}
