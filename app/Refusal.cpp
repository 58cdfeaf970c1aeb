// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Refusal.h"

#include "files/ShownText.h"

#include <QDir>
#include <QMessageBox>

QString Refusal::withDataFolder(const QString &message, const QDir &dataDir)
{
    return message + QStringLiteral("\n\nデータフォルダ: %1").arg(ShownText::folderName(dataDir));
}

void Refusal::tell(const QString &message, std::FILE *stream)
{
    const QString shown = ShownText::message(message);
    // Written whole, whatever it holds: a NUL would end a text given to printf.
    const QByteArray line = "ketamori: " + shown.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stream);
    std::fflush(stream);
    // As plain text: a value quoted from a file that looks like markup ("<b>") shows as it is.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ケタモリ！"), shown, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
