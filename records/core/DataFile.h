#pragma once

#include <QByteArray>
#include <QString>

// Reading one of the program's data files whole, with the player's message when that fails.
namespace DataFile {

// Reads the file at path into content. On failure returns false and a message that starts with
// describedName (e.g. "設定ファイル「設定.txt」") and says whether the file is missing or
// unreadable.
bool readAll(const QString &path, const QString &describedName, QByteArray *content,
             QString *error);

} // namespace DataFile
