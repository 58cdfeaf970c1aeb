// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibraryInfo>
#include <QString>

// Qt's own texts in the program's language. The window speaks Japanese whatever the desktop's
// locale, so the texts Qt supplies itself (message box buttons, the edit fields' context menus)
// must too: "OK" and "キャンセル", not "Cancel"; "元に戻す", not "Undo".
class QtJapanese
{
public:
    // Installs Qt's Japanese catalogue ("qtbase_ja") from folder into the running application;
    // a second call keeps the one installed. Without the catalogue the program runs on in Qt's
    // English texts and says so on stderr, once however often it is asked.
    static bool install(const QString &folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    // The catalogue's base name, as Qt looks it up in a folder ("qtbase_ja.qm").
    static QString catalogueName() { return QStringLiteral("qtbase_ja"); }
};
