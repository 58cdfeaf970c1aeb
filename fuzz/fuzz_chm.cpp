// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The help file reader on any bytes, as the viewer uses it: open, title, default topic, page
// list, every page's bytes and their HTML decoding as the viewer shows it. Nothing may crash, hang
// or use memory out of proportion; a topic given must be a page that can be read. The bytes are
// also decoded as a page on their own.
#include "help/core/ChmFile.h"
#include "help/core/HtmlText.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

QString scratchFile()
{
    // In memory where there is such a folder: the file is rewritten for every input.
    const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/ketamori-fuzz-chm-%2.chm").arg(folder).arg(::getpid());
}

// The viewer shows a page as decoded, only with invisible break opportunities added.
void shownAsDecoded(const QByteArray &page)
{
    const QString shown = pageForDisplay(page, QStringLiteral("/page.html"));
    if (page.size() <= maxPageBytes &&
        QString(shown).remove(QChar(0x200B)) != decodeHtml(page).remove(QChar(0x200B)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    shownAsDecoded(bytes);

    static const QString path = scratchFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            std::abort();
    }
    const ChmFile chm(path);
    chm.title();
    const QString topic = chm.defaultTopic();
    if (!topic.isEmpty() && !chm.contains(topic))
        std::abort();
    if (!chm.isOpen() && (!topic.isEmpty() || !chm.pages().isEmpty()))
        std::abort();
    for (const QString &page : chm.pages()) {
        if (const std::optional<QByteArray> html = chm.object(page))
            shownAsDecoded(*html);
    }
    chm.object(QStringLiteral("/style.css"));
    return 0;
}
