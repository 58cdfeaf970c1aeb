#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class Disk;

// Reading and rewriting the program's data files whole, with the player's message when that
// fails. Messages start with the file's described name, e.g. "設定ファイル「設定.txt」".
namespace DataFile {

// Reads the file at path into content. On failure returns false and a message that says
// whether the file is missing or unreadable.
bool readAll(const QString &path, const QString &describedName, QByteArray *content,
             QString *error);

// Replaces the file's whole content: the new content is written to a new file, synced and only
// then put in place of the old one, so a failure at any step leaves the old file byte for byte.
// On failure returns false and a message saying why.
bool rewrite(const QString &path, QByteArrayView content, Disk &disk, const QString &describedName,
             QString *error);

// "<describedName>に書き込めません。" and the reason, for a failure with the system's error number.
QString cannotWrite(const QString &describedName, int errorNumber);

// Why a write failed, in Japanese: "ディスクがいっぱいです。", "書き込みが禁止されています。", …
QString reason(int errorNumber);

} // namespace DataFile
