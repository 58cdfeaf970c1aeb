#include "records/core/DataFile.h"

#include <QFile>
#include <QFileInfo>

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
