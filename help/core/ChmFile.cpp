// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/core/ChmFile.h"

#include "help/core/HtmlText.h"
#include "files/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chm_lib.h>
#include <cstring>

namespace {

// No object of a help file comes near this; a larger length means a damaged directory, and
// reading it would only exhaust memory and time.
constexpr quint64 maxObjectSize = 16 * 1024 * 1024;

// Record codes of the "/#SYSTEM" object.
constexpr quint16 systemDefaultTopic = 2;
constexpr quint16 systemTitle = 3;

bool isPage(const QString &path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

// A page the reader may be sent to: a stored file (not a folder) among the help's own objects,
// not one of the compiler's "/#" and "/$" objects or its internal "::" ones.
bool isTopicPath(const QByteArray &path)
{
    return path.size() > 1 && path.startsWith('/') && path[1] != '#' && path[1] != '$' &&
           !path.endsWith('/');
}

QString recordText(const QByteArray &record)
{
    const qsizetype end = record.indexOf('\0');
    return decodeJapaneseText(end < 0 ? record : record.left(end)).trimmed();
}

} // namespace

ChmFile::ChmFile(const QString &fileName)
{
    RegularFile regular(fileName);
    QFile file;
    if (!regular.isOpen() ||
        !file.open(regular.handle(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return;
    const int fd = regular.take();
    m_directory = ChmDirectory::read(file);
    if (!m_directory)
        return;
    // chmlib opens the very file checked here, not whatever its name may point at by now.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    m_chm = chm_open(QFileInfo::exists(QString::fromLatin1(self))
                         ? self.constData()
                         : QFile::encodeName(fileName).constData());
    if (!m_chm)
        m_directory.reset();
}

ChmFile::~ChmFile()
{
    if (m_chm)
        chm_close(m_chm);
}

QString ChmFile::normalizedPath(const QString &path)
{
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

// Finds a stored file (not a folder) by its path.
const ChmDirectory::Entry *ChmFile::resolve(const QString &path) const
{
    if (!m_chm)
        return nullptr;
    const QByteArray name = normalizedPath(path).toUtf8();
    if (name.endsWith('/'))
        return nullptr;
    return m_directory->find(name);
}

std::optional<QByteArray> ChmFile::object(const QString &path) const
{
    const ChmDirectory::Entry *entry = resolve(path);
    if (!entry || entry->length > maxObjectSize ||
        (entry->section == ChmDirectory::compressedSection && !m_directory->hasCompressedSection()))
        return std::nullopt;
    chmUnitInfo ui{};
    ui.start = entry->start;
    ui.length = entry->length;
    ui.space =
        entry->section == ChmDirectory::compressedSection ? CHM_COMPRESSED : CHM_UNCOMPRESSED;
    std::memcpy(ui.path, entry->path.constData(), std::size_t(entry->path.size()));
    QByteArray data(static_cast<qsizetype>(ui.length), Qt::Uninitialized);
    LONGUINT64 done = 0;
    while (done < ui.length) {
        const LONGINT64 got =
            chm_retrieve_object(m_chm, &ui, reinterpret_cast<unsigned char *>(data.data()) + done,
                                done, static_cast<LONGINT64>(ui.length - done));
        if (got <= 0)
            return std::nullopt;
        done += static_cast<LONGUINT64>(got);
    }
    return data;
}

bool ChmFile::contains(const QString &path) const
{
    return resolve(path) != nullptr;
}

QStringList ChmFile::pages() const
{
    QStringList found;
    if (!m_chm)
        return found;
    for (const ChmDirectory::Entry &entry : m_directory->entries()) {
        // A name that is not UTF-8 cannot be asked for again by a path, so it is no page.
        const QString path = QString::fromUtf8(entry.path);
        if (isTopicPath(entry.path) && isPage(path) && path.toUtf8() == entry.path)
            found.append(path);
    }
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return found;
}

QString ChmFile::defaultTopic() const
{
    if (!m_chm)
        return {};
    // The recorded topic may name a place in its page ("page.html#part"); the page is what
    // counts here.
    QString recorded = recordText(systemRecord(systemDefaultTopic));
    if (const qsizetype hash = recorded.indexOf(QLatin1Char('#')); hash >= 0)
        recorded.truncate(hash);
    if (!recorded.isEmpty() && contains(recorded))
        return normalizedPath(recorded);
    for (const char *usual : {"/index.html", "/index.htm", "/default.html", "/default.htm"}) {
        if (contains(QLatin1String(usual)))
            return QLatin1String(usual);
    }
    const QStringList all = pages();
    return all.isEmpty() ? QString() : all.first();
}

QString ChmFile::title() const
{
    return recordText(systemRecord(systemTitle));
}

// "/#SYSTEM" is a 4-byte version followed by records of a 16-bit code, a 16-bit length and that
// many bytes of data, all little-endian.
QByteArray ChmFile::systemRecord(quint16 code) const
{
    const std::optional<QByteArray> system = object(QStringLiteral("/#SYSTEM"));
    if (!system)
        return {};
    const auto *bytes = reinterpret_cast<const unsigned char *>(system->constData());
    const qsizetype size = system->size();
    qsizetype at = 4;
    while (at + 4 <= size) {
        const quint16 recordCode = quint16(bytes[at] | bytes[at + 1] << 8);
        const qsizetype length = bytes[at + 2] | bytes[at + 3] << 8;
        at += 4;
        if (at + length > size)
            break;
        if (recordCode == code)
            return system->mid(at, length);
        at += length;
    }
    return {};
}
