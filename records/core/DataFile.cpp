#include "records/core/DataFile.h"

#include "records/core/Disk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

bool DataFile::readAll(const QString &path, const QString &describedName, QByteArray *content,
                       QString *error)
{
    if (!QFileInfo::exists(path)) {
        *error = describedName + QStringLiteral("が見つかりません。");
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        *content = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    *error = describedName + QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString());
    return false;
}

bool DataFile::rewrite(const QString &path, QByteArrayView content, Disk &disk,
                       const QString &describedName, QString *error)
{
    QSaveFile file(path);
    // Emptying a file in place (where the folder takes no new file) cannot lose half of it: it
    // is either emptied or left as it was. Any other content always goes through a new file.
    file.setDirectWriteFallback(content.isEmpty());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int failure = QFileInfo(path).isDir() ? EISDIR : errno != 0 ? errno : EIO;
        *error = cannotWrite(describedName, failure);
        return false;
    }
    // Each step is checked on its own: QSaveFile::commit() alone does not see a failed final
    // flush of buffered data and would put an empty file in place of the old one.
    int failure = disk.write(file, content);
    if (failure == 0)
        failure = disk.sync(file);
    if (failure != 0) {
        file.cancelWriting(); // the new file goes; the old one stays as it was
        *error = cannotWrite(describedName, failure);
        return false;
    }
    failure = disk.commit(file);
    if (failure != 0) {
        *error = cannotWrite(describedName, failure);
        return false;
    }
    return true;
}

QString DataFile::cannotWrite(const QString &describedName, int errorNumber)
{
    return describedName + QStringLiteral("に書き込めません。\n%1").arg(reason(errorNumber));
}

QString DataFile::reason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("ディスクがいっぱいです。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量が上限に達しています。");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みが禁止されています。");
    case EROFS:
        return QStringLiteral("読み取り専用のディスクです。");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります。");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("データフォルダが見つかりません。");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    default:
        return QStringLiteral("書き込みに失敗しました（エラー番号 %1）。").arg(errorNumber);
    }
}
