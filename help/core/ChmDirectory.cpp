// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/core/ChmDirectory.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

namespace {

// The layout of the file, all numbers little-endian:
//   file header "ITSF" (0x58 bytes in version 2, 0x60 in version 3) giving where the directory
//   lies and, in version 3, where the objects' bytes start;
//   directory header "ITSP" (0x54 bytes) giving the chunk size, the chunk count, the root of
//   the index tree and the first listing chunk; then the chunks themselves:
//   listing chunks "PMGL" (20-byte header with the free space at the end and the next chunk)
//   holding entries of name length, name, section, offset and length, and index chunks
//   "PMGI" (8-byte header) holding entries of name length, name and chunk number.
// Counts and offsets inside chunks are variable-length integers, 7 bits a byte, high bit set on
// every byte but the last.
constexpr qint64 fileHeaderV2 = 0x58;
constexpr qint64 fileHeaderV3 = 0x60;
constexpr qint64 directoryHeader = 0x54;
constexpr qint64 listingHeader = 20;
constexpr qint64 indexHeader = 8;

// Chunks are 4 KiB in every help compiler's output; the bounds leave room for others and keep
// a damaged header from asking for gigabytes.
constexpr quint32 minChunkSize = 64;
constexpr quint32 maxChunkSize = 64 * 1024;
constexpr qint64 maxDirectorySize = 16 * 1024 * 1024;
constexpr quint64 maxPathLength = 512; // chmlib's limit

// The compression tables, under these names; chmlib resolves them itself when it opens a file.
const QByteArray contentName = "::DataSpace/Storage/MSCompressed/Content";
const QByteArray controlName = "::DataSpace/Storage/MSCompressed/ControlData";
const QByteArray resetTableName = "::DataSpace/Storage/MSCompressed/Transform/"
                                  "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

// LZX: frames of 32 KiB, windows of 2^15 to 2^21 bytes. chmlib refuses a compressed frame
// longer than this.
constexpr quint64 frameSize = 0x8000;
constexpr quint64 maxCompressedFrame = frameSize + 6144;
// chmlib decompresses every frame since the last reset to reach one; a reset interval of
// many frames would make one page cost seconds.
constexpr quint64 maxFramesPerReset = 1024;
// 2 GiB of text, far beyond any help file, and a reset table of at most 512 KiB to check.
constexpr quint64 maxFrames = 65536;

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qint32 i32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

quint64 u64(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

bool add(quint64 a, quint64 b, quint64 *sum)
{
    if (a > std::numeric_limits<quint64>::max() - b)
        return false;
    *sum = a + b;
    return true;
}

// Bytes read from the device at an offset; nothing unless all of them were there.
std::optional<QByteArray> readAt(QIODevice &device, quint64 offset, qint64 size)
{
    if (size < 0 || offset > quint64(std::numeric_limits<qint64>::max()) ||
        !device.seek(qint64(offset)))
        return std::nullopt;
    QByteArray bytes = device.read(size);
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

// Reads chunk entries, never past the end given.
class ChunkReader
{
public:
    ChunkReader(const char *at, const char *end) : m_at(at), m_end(end) {}

    bool atEnd() const { return m_at >= m_end; }

    bool number(quint64 *value)
    {
        quint64 n = 0;
        for (int i = 0; i < 10 && m_at < m_end; ++i) {
            const auto byte = static_cast<unsigned char>(*m_at++);
            if (n > (std::numeric_limits<quint64>::max() >> 7))
                return false;
            n = n << 7 | (byte & 0x7f);
            if (!(byte & 0x80)) {
                *value = n;
                return true;
            }
        }
        return false;
    }

    // A name: its length, then that many bytes, with no NUL among them (chmlib would cut the
    // name there and so find another object than this reader).
    bool name(QByteArray *name)
    {
        quint64 length = 0;
        if (!number(&length) || length > maxPathLength || length > quint64(m_end - m_at))
            return false;
        *name = QByteArray(m_at, qsizetype(length));
        m_at += length;
        return !name->contains('\0');
    }

private:
    const char *m_at;
    const char *m_end;
};

struct Chunk
{
    enum Kind
    {
        Other,
        Listing,
        Index
    } kind = Other;
    std::vector<ChmDirectory::Entry> entries; // a listing chunk's
    std::vector<quint64> children;            // an index chunk's
    qint32 next = -1;                         // a listing chunk's next listing chunk
};

// Parses one chunk. A listing or index chunk whose entries do not fit it exactly is damaged.
std::optional<Chunk> parseChunk(const char *data, quint32 size)
{
    Chunk chunk;
    const QByteArray header(data, listingHeader);
    if (header.startsWith("PMGL")) {
        const quint32 freeSpace = u32(header, 4);
        if (freeSpace > size - listingHeader)
            return std::nullopt;
        chunk.kind = Chunk::Listing;
        chunk.next = i32(header, 16);
        ChunkReader reader(data + listingHeader, data + size - freeSpace);
        while (!reader.atEnd()) {
            ChmDirectory::Entry entry;
            if (!reader.name(&entry.path) || !reader.number(&entry.section) ||
                !reader.number(&entry.start) || !reader.number(&entry.length))
                return std::nullopt;
            chunk.entries.push_back(std::move(entry));
        }
    } else if (header.startsWith("PMGI")) {
        const quint32 freeSpace = u32(header, 4);
        if (freeSpace > size - indexHeader)
            return std::nullopt;
        chunk.kind = Chunk::Index;
        ChunkReader reader(data + indexHeader, data + size - freeSpace);
        while (!reader.atEnd()) {
            QByteArray name;
            quint64 child = 0;
            if (!reader.name(&name) || !reader.number(&child))
                return std::nullopt;
            chunk.children.push_back(child);
        }
    }
    return chunk;
}

// Whether the index tree below root reaches only chunks of the directory and never comes back
// to a chunk on its own path, so that a look-up always ends.
bool indexTreeEnds(const std::vector<Chunk> &chunks, quint64 root)
{
    enum State : unsigned char
    {
        Unseen,
        OnPath,
        Done
    };
    std::vector<State> state(chunks.size(), Unseen);
    // (chunk, next child to visit); kept by hand, since the tree may be as deep as the
    // directory has chunks.
    std::vector<std::pair<quint64, std::size_t>> path{{root, 0}};
    state[root] = OnPath;
    while (!path.empty()) {
        auto &[at, childIndex] = path.back();
        const Chunk &chunk = chunks[at];
        if (chunk.kind != Chunk::Index || childIndex == chunk.children.size()) {
            state[at] = Done;
            path.pop_back();
            continue;
        }
        const quint64 child = chunk.children[childIndex++];
        if (child >= chunks.size() || state[child] == OnPath)
            return false;
        if (state[child] == Unseen) {
            state[child] = OnPath;
            path.emplace_back(child, 0);
        }
    }
    return true;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The one entry of a name in the whole directory; nothing when it is absent. Two different
// entries of the same name make the file unsound (sound is set false), since chmlib's own
// look-up, which takes the index tree, might find another than this reader.
std::optional<ChmDirectory::Entry> uniqueEntry(const std::vector<Chunk> &chunks,
                                               const QByteArray &name, bool *sound)
{
    std::optional<ChmDirectory::Entry> found;
    for (const Chunk &chunk : chunks) {
        for (const ChmDirectory::Entry &entry : chunk.entries) {
            if (!sameName(entry.path, name))
                continue;
            if (found && (found->section != entry.section || found->start != entry.start ||
                          found->length != entry.length))
                *sound = false;
            found = entry;
        }
    }
    return found;
}

struct Compression
{
    quint64 uncompressedSize = 0;
};

// Checks the compression tables as chmlib will use them. Nothing when they are unsound; a
// size of 0 when the file has no compressed section at all.
std::optional<Compression> checkCompression(QIODevice &device, quint64 dataOffset, quint64 fileSize,
                                            const std::vector<Chunk> &chunks)
{
    bool sound = true;
    const auto content = uniqueEntry(chunks, contentName, &sound);
    const auto control = uniqueEntry(chunks, controlName, &sound);
    const auto resetTable = uniqueEntry(chunks, resetTableName, &sound);
    if (!sound)
        return std::nullopt;
    if (!content && !control && !resetTable)
        return Compression{};
    if (!content || !control || !resetTable)
        return std::nullopt;
    for (const ChmDirectory::Entry *table : {&*content, &*control, &*resetTable}) {
        quint64 start = 0, end = 0;
        if (table->section != ChmDirectory::storedSection ||
            !add(dataOffset, table->start, &start) || !add(start, table->length, &end) ||
            end > fileSize)
            return std::nullopt;
    }

    // Control data: size in 32-bit words, "LZXC", version, reset interval, window size and
    // windows per reset; version 2 counts the last three in units of 32 KiB.
    if (control->length < 0x18 || control->length > 0x100)
        return std::nullopt;
    const auto controlData = readAt(device, dataOffset + control->start, qint64(control->length));
    if (!controlData || controlData->mid(4, 4) != "LZXC")
        return std::nullopt;
    const quint32 version = u32(*controlData, 8);
    quint64 resetInterval = u32(*controlData, 12);
    quint64 windowSize = u32(*controlData, 16);
    const quint64 windowsPerReset = u32(*controlData, 20);
    if (version == 2) {
        resetInterval *= frameSize;
        windowSize *= frameSize;
    } else if (version != 1) {
        return std::nullopt;
    }
    if (windowSize < (1u << 15) || windowSize > (1u << 21) || (windowSize & (windowSize - 1)) ||
        resetInterval == 0 || resetInterval % (windowSize / 2) != 0 || windowsPerReset == 0)
        return std::nullopt;
    // chmlib keeps these in 32 bits: the values it computes must be what they are here.
    const quint64 framesPerReset = resetInterval / (windowSize / 2) * windowsPerReset;
    if (resetInterval > std::numeric_limits<quint32>::max() || framesPerReset > maxFramesPerReset)
        return std::nullopt;

    // Reset table: version, frame count, entry size, table offset, uncompressed length,
    // compressed length, frame size, then the compressed offset of every frame.
    if (resetTable->length < 0x28)
        return std::nullopt;
    const auto tableHeader = readAt(device, dataOffset + resetTable->start, 0x28);
    if (!tableHeader)
        return std::nullopt;
    const quint64 frames = u32(*tableHeader, 4);
    const quint64 tableOffset = u32(*tableHeader, 12);
    const quint64 uncompressedSize = u64(*tableHeader, 16);
    const quint64 compressedSize = u64(*tableHeader, 24);
    if (u32(*tableHeader, 0) != 2 || u64(*tableHeader, 32) != frameSize || frames == 0 ||
        frames > maxFrames || tableOffset < 0x28 || tableOffset + frames * 8 > resetTable->length ||
        compressedSize > content->length || uncompressedSize > frames * frameSize)
        return std::nullopt;
    const auto table =
        readAt(device, dataOffset + resetTable->start + tableOffset, qint64(frames * 8));
    if (!table)
        return std::nullopt;
    quint64 previous = 0;
    for (quint64 i = 0; i < frames; ++i) {
        const quint64 offset = u64(*table, qsizetype(i * 8));
        if (offset < previous || offset > compressedSize || (i == 0 && offset != 0) ||
            offset - previous > maxCompressedFrame)
            return std::nullopt;
        previous = offset;
    }
    if (compressedSize - previous > maxCompressedFrame)
        return std::nullopt;
    return Compression{uncompressedSize};
}

} // namespace

std::optional<ChmDirectory> ChmDirectory::read(QIODevice &device)
{
    const qint64 size = device.size();
    if (size < fileHeaderV2)
        return std::nullopt;
    const auto fileSize = quint64(size);

    const auto header = readAt(device, 0, std::min<qint64>(size, fileHeaderV3));
    if (!header || !header->startsWith("ITSF"))
        return std::nullopt;
    const quint32 version = u32(*header, 4);
    const quint32 headerLength = u32(*header, 8);
    const quint64 directoryOffset = u64(*header, 0x48);
    const quint64 directoryLength = u64(*header, 0x50);
    quint64 dataOffset = 0;
    if (version == 2 && headerLength >= fileHeaderV2) {
        if (!add(directoryOffset, directoryLength, &dataOffset))
            return std::nullopt;
    } else if (version == 3 && headerLength >= fileHeaderV3 && header->size() >= fileHeaderV3) {
        dataOffset = u64(*header, 0x58);
    } else {
        return std::nullopt;
    }
    if (directoryOffset > fileSize || directoryLength > fileSize - directoryOffset ||
        directoryLength < directoryHeader || dataOffset > fileSize)
        return std::nullopt;

    const auto itsp = readAt(device, directoryOffset, directoryHeader);
    if (!itsp || !itsp->startsWith("ITSP") || u32(*itsp, 4) != 1 ||
        u32(*itsp, 8) != directoryHeader)
        return std::nullopt;
    const quint32 chunkSize = u32(*itsp, 0x10);
    const qint32 indexRoot = i32(*itsp, 0x1c);
    const quint32 firstListing = u32(*itsp, 0x20);
    const quint32 chunkCount = u32(*itsp, 0x2c);
    if (chunkSize < minChunkSize || chunkSize > maxChunkSize || chunkCount == 0 ||
        quint64(chunkCount) * chunkSize > quint64(maxDirectorySize) ||
        quint64(chunkCount) * chunkSize > directoryLength - directoryHeader ||
        firstListing >= chunkCount || indexRoot < -1 ||
        (indexRoot >= 0 && quint32(indexRoot) >= chunkCount))
        return std::nullopt;

    const auto chunkBytes =
        readAt(device, directoryOffset + directoryHeader, qint64(chunkCount) * chunkSize);
    if (!chunkBytes)
        return std::nullopt;
    std::vector<Chunk> chunks;
    chunks.reserve(chunkCount);
    for (quint32 i = 0; i < chunkCount; ++i) {
        std::optional<Chunk> chunk =
            parseChunk(chunkBytes->constData() + qsizetype(i) * chunkSize, chunkSize);
        if (!chunk)
            return std::nullopt;
        chunks.push_back(std::move(*chunk));
    }

    // The listing chain, which gives every object; it must end, each chunk on it once.
    std::vector<bool> onChain(chunkCount, false);
    std::vector<quint32> chain;
    for (qint64 at = firstListing; at != -1; at = chunks[quint32(at)].next) {
        if (at < 0 || at >= chunkCount || onChain[quint32(at)] ||
            chunks[quint32(at)].kind != Chunk::Listing)
            return std::nullopt;
        onChain[quint32(at)] = true;
        chain.push_back(quint32(at));
    }
    // The index tree chmlib searches when it opens the file: from its root, or with no tree
    // the first listing chunk alone.
    if (indexRoot >= 0 && !indexTreeEnds(chunks, quint64(indexRoot)))
        return std::nullopt;

    const auto compression = checkCompression(device, dataOffset, fileSize, chunks);
    if (!compression)
        return std::nullopt;

    ChmDirectory directory;
    directory.m_compressedSize = compression->uncompressedSize;
    for (quint32 at : chain) {
        for (Entry &entry : chunks[at].entries) {
            quint64 start = 0, end = 0;
            bool readable = false;
            if (entry.section == storedSection)
                readable = add(dataOffset, entry.start, &start) && add(start, entry.length, &end) &&
                           end <= fileSize;
            else if (entry.section == compressedSection)
                readable =
                    add(entry.start, entry.length, &end) && end <= directory.m_compressedSize;
            const QByteArray key = entry.path.toLower();
            if (!readable || directory.m_byPath.contains(key))
                continue;
            directory.m_byPath.insert(key, qsizetype(directory.m_entries.size()));
            directory.m_entries.push_back(std::move(entry));
        }
    }
    return directory;
}

const ChmDirectory::Entry *ChmDirectory::find(QByteArrayView path) const
{
    const auto it = m_byPath.constFind(path.toByteArray().toLower());
    return it == m_byPath.constEnd() ? nullptr : &m_entries[std::size_t(*it)];
}
