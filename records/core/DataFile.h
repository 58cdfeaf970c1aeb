#pragma once

#include <QByteArray>
#include <QString>

// Reading one of the program's data files whole, with the player's message when that fails.
namespace DataFile {

// Reads the file at path into content. Only a regular file of at most maxSize bytes is read: a
// folder, a named pipe or a device in its place, or a larger file, is refused at once, without
// waiting for a pipe's writer or reading a device without end. On failure returns false and a
// message that starts with describedName (e.g. "設定ファイル「設定.txt」") and says why, in
// Japanese.
bool readAll(const QString &path, const QString &describedName, qint64 maxSize,
             QByteArray *content, QString *error);

} // namespace DataFile
