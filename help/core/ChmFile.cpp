#include "help/core/ChmFile.h"

#include "help/core/HtmlText.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chm_lib.h>

namespace {

// No object of a help file comes near this; a larger length means a damaged directory, and
// reading it would only exhaust memory.
constexpr LONGUINT64 maxObjectSize = 64 * 1024 * 1024;

// Record codes of the "/#SYSTEM" object.
constexpr quint16 systemDefaultTopic = 2;
constexpr quint16 systemTitle = 3;

bool isPage(const QString &path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

int collectPage(chmFile *, chmUnitInfo *ui, void *context)
{
    const QString path = QString::fromUtf8(ui->path);
    if (isPage(path))
        static_cast<QStringList *>(context)->append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

QString recordText(const QByteArray &record)
{
    const qsizetype end = record.indexOf('\0');
    return decodeJapaneseText(end < 0 ? record : record.left(end)).trimmed();
}

} // namespace

ChmFile::ChmFile(const QString &fileName)
{
    // chmlib opens whatever it is given; only let it try on a regular file.
    if (QFileInfo(fileName).isFile())
        m_chm = chm_open(QFile::encodeName(fileName).constData());
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
bool ChmFile::resolve(const QString &path, chmUnitInfo *ui) const
{
    if (!m_chm)
        return false;
    const QByteArray name = normalizedPath(path).toUtf8();
    return name.size() <= CHM_MAX_PATHLEN && !name.endsWith('/') &&
           chm_resolve_object(m_chm, name.constData(), ui) == CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::object(const QString &path) const
{
    chmUnitInfo ui{};
    if (!resolve(path, &ui) || ui.length > maxObjectSize)
        return std::nullopt;
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
    chmUnitInfo ui{};
    return resolve(path, &ui);
}

QStringList ChmFile::pages() const
{
    QStringList found;
    if (m_chm)
        chm_enumerate(m_chm, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectPage, &found);
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
