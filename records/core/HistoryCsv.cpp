// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryCsv.h"

#include <QDir>
#include <QSaveFile>

HistoryCsv::HistoryCsv(const QStringList &header) : m_bytes("\xEF\xBB\xBF")
{
    addRow(header);
}

void HistoryCsv::addRow(const QStringList &cells)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += u',';
        line += field(cells.at(i));
    }
    m_bytes += line.toUtf8();
    m_bytes += "\r\n";
}

QString HistoryCsv::field(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool HistoryCsv::save(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // QSaveFile removes its temporary file when it is not committed, so a failure at any step
    // leaves the folder as it was.
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error) {
        *error = QStringLiteral("CSV ファイル「%1」に書き出せませんでした（%2）。")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return written;
}
