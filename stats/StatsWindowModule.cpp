// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsWindowModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

QString StatsWindowModule::fileName()
{
    return QStringLiteral(KETAMORI_STATS_MODULE_FILE_NAME);
}

QString StatsWindowModule::defaultPath()
{
    return QCoreApplication::applicationDirPath() + u'/' + fileName();
}

QWidget *StatsWindowModule::makeWindow(const QString &path, StatsHost &host, QWidget *owner,
                                       QString *error)
{
    QLibrary module(path);
    // Every symbol resolved while loading: a module that does not fit the program fails here,
    // with a message, instead of at its first call of a missing function.
    module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto entry = reinterpret_cast<Entry>(module.resolve(entryName));
    if (!entry) {
        *error =
            QStringLiteral("成績グラフの部品「%1」を読み込めないため、成績グラフを開けません。\n%2")
                .arg(QDir::toNativeSeparators(path), module.errorString());
        return nullptr;
    }
    return entry(host, owner);
}
