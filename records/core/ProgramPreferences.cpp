// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/ProgramPreferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const auto adaptiveKey = QStringLiteral("drill/adaptiveDigitCount");

// A settings file holds a few short lines. Anything else at the path (a named pipe, a device,
// a file of many megabytes) is not read: QSettings would wait on a pipe or read a device
// without end.
bool readable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() <= 64 * 1024;
}

} // namespace

ProgramPreferences::ProgramPreferences(QString path) : m_path(std::move(path))
{
    if (!readable(m_path))
        return;
    const QSettings file(m_path, QSettings::IniFormat);
    m_adaptiveDigitCount = file.value(adaptiveKey, false).toBool();
}

QString ProgramPreferences::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("ketamori/ketamori.conf"));
}

bool ProgramPreferences::setAdaptiveDigitCount(bool on, QString *error)
{
    m_adaptiveDigitCount = on;
    // QSettings writes the whole file anew and puts it in place of the old one at once.
    QSettings::Status status = QSettings::AccessError;
    if (readable(m_path) || !QFileInfo::exists(m_path)) {
        QSettings file(m_path, QSettings::IniFormat);
        file.setValue(adaptiveKey, on);
        file.sync();
        status = file.status();
    }
    if (status == QSettings::NoError)
        return true;
    *error = QStringLiteral("自動調整の設定ファイル「%1」に書き込めません。")
                 .arg(QDir::toNativeSeparators(m_path));
    return false;
}
