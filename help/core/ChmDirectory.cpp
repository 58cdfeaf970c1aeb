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

// Where the numbers lie in each header, as byte offsets from its start, and the headers' sizes.
// The file header "ITSF": in version 3 also where the objects' bytes start (dataOffset).
namespace FileHeader {
constexpr qsizetype version = 4, headerLength = 8, directoryOffset = 0x48, directoryLength = 0x50;
constexpr qsizetype dataOffset = 0x58;
constexpr qint64 sizeV2 = 0x58, sizeV3 = 0x60;
} // namespace FileHeader

// The directory header "ITSP", of version 1; the index root is -1 when there is no index tree.
namespace DirectoryHeader {
constexpr qsizetype version = 4, headerLength = 8, chunkSize = 0x10, indexRoot = 0x1c;
constexpr qsizetype firstListing = 0x20, chunkCount = 0x2c;
constexpr qint64 size = 0x54;
} // namespace DirectoryHeader

// The headers of a listing chunk "PMGL" (the next chunk is -1 on the last) and of an index
// chunk "PMGI".
namespace ListingHeader {
constexpr qsizetype freeSpace = 4, next = 16;
constexpr qint64 size = 20;
} // namespace ListingHeader
namespace IndexHeader {
constexpr qsizetype freeSpace = 4;
constexpr qint64 size = 8;
} // namespace IndexHeader

// LZX control data: its size in 32-bit words, "LZXC", the version, then the reset interval,
// the window size and the windows per reset; version 2 counts the last three in units of
// 32 KiB.
namespace ControlData {
constexpr qsizetype signature = 4, version = 8;
constexpr qsizetype resetInterval = 12, windowSize = 16, windowsPerReset = 20;
constexpr quint64 minSize = 0x18, maxSize = 0x100;
} // namespace ControlData

// The LZX reset table, of version 2: a header, then at tableOffset the compressed offset of
// every frame, one 64-bit number each (the header's entry size, at 8, is not read).
namespace ResetTable {
constexpr qsizetype version = 0, frameCount = 4, tableOffset = 12;                  // 32 bits each
constexpr qsizetype uncompressedLength = 16, compressedLength = 24, frameSize = 32; // 64 bits
constexpr qint64 headerSize = 0x28;
constexpr quint64 entrySize = 8;
} // namespace ResetTable

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
constexpr quint64 minWindowSize = quint64(1) << 15;
constexpr quint64 maxWindowSize = quint64(1) << 21;
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
    const QByteArray header(data, ListingHeader::size);
    if (header.startsWith("PMGL")) {
        const quint32 freeSpace = u32(header, ListingHeader::freeSpace);
        if (freeSpace > size - ListingHeader::size)
            return std::nullopt;
        chunk.kind = Chunk::Listing;
        chunk.next = i32(header, ListingHeader::next);
        ChunkReader reader(data + ListingHeader::size, data + size - freeSpace);
        while (!reader.atEnd()) {
            ChmDirectory::Entry entry;
            if (!reader.name(&entry.path) || !reader.number(&entry.section) ||
                !reader.number(&entry.start) || !reader.number(&entry.length))
                return std::nullopt;
            chunk.entries.push_back(std::move(entry));
        }
    } else if (header.startsWith("PMGI")) {
        const quint32 freeSpace = u32(header, IndexHeader::freeSpace);
        if (freeSpace > size - IndexHeader::size)
            return std::nullopt;
        chunk.kind = Chunk::Index;
        ChunkReader reader(data + IndexHeader::size, data + size - freeSpace);
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

// Whether the LZX control data, which lies in the stored section, holds numbers chmlib can
// decompress with in bounded time.
bool controlDataSound(QIODevice &device, quint64 dataOffset, const ChmDirectory::Entry &control)
{
    if (control.length < ControlData::minSize || control.length > ControlData::maxSize)
        return false;
    const auto data = readAt(device, dataOffset + control.start, qint64(control.length));
    if (!data || data->mid(ControlData::signature, 4) != "LZXC")
        return false;
    const quint32 version = u32(*data, ControlData::version);
    quint64 resetInterval = u32(*data, ControlData::resetInterval);
    quint64 windowSize = u32(*data, ControlData::windowSize);
    const quint64 windowsPerReset = u32(*data, ControlData::windowsPerReset);
    if (version == 2) {
        resetInterval *= frameSize;
        windowSize *= frameSize;
    } else if (version != 1) {
        return false;
    }
    if (windowSize < minWindowSize || windowSize > maxWindowSize ||
        (windowSize & (windowSize - 1)) || resetInterval == 0 ||
        resetInterval % (windowSize / 2) != 0 || windowsPerReset == 0)
        return false;
    // chmlib keeps these in 32 bits: the values it computes must be what they are here.
    const quint64 framesPerReset = resetInterval / (windowSize / 2) * windowsPerReset;
    return resetInterval <= std::numeric_limits<quint32>::max() &&
           framesPerReset <= maxFramesPerReset;
}

// The uncompressed length of the compressed section, when the reset table, which lies in the
// stored section, gives every frame in order within the compressed content of contentLength
// bytes, none too long.
std::optional<quint64> resetTableLength(QIODevice &device, quint64 dataOffset,
                                        const ChmDirectory::Entry &resetTable,
                                        quint64 contentLength)
{
    if (resetTable.length < quint64(ResetTable::headerSize))
        return std::nullopt;
    const auto header = readAt(device, dataOffset + resetTable.start, ResetTable::headerSize);
    if (!header)
        return std::nullopt;
    const quint64 frames = u32(*header, ResetTable::frameCount);
    const quint64 tableOffset = u32(*header, ResetTable::tableOffset);
    const quint64 uncompressedSize = u64(*header, ResetTable::uncompressedLength);
    const quint64 compressedSize = u64(*header, ResetTable::compressedLength);
    if (u32(*header, ResetTable::version) != 2 ||
        u64(*header, ResetTable::frameSize) != frameSize || frames == 0 || frames > maxFrames ||
        tableOffset < quint64(ResetTable::headerSize) ||
        tableOffset + frames * ResetTable::entrySize > resetTable.length ||
        compressedSize > contentLength || uncompressedSize > frames * frameSize)
        return std::nullopt;
    const auto table = readAt(device, dataOffset + resetTable.start + tableOffset,
                              qint64(frames * ResetTable::entrySize));
    if (!table)
        return std::nullopt;
    quint64 previous = 0;
    for (quint64 i = 0; i < frames; ++i) {
        const quint64 offset = u64(*table, qsizetype(i * ResetTable::entrySize));
        if (offset < previous || offset > compressedSize || (i == 0 && offset != 0) ||
            offset - previous > maxCompressedFrame)
            return std::nullopt;
        previous = offset;
    }
    if (compressedSize - previous > maxCompressedFrame)
        return std::nullopt;
    return uncompressedSize;
}

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
    if (!controlDataSound(device, dataOffset, *control))
        return std::nullopt;
    const auto uncompressedSize =
        resetTableLength(device, dataOffset, *resetTable, content->length);
    if (!uncompressedSize)
        return std::nullopt;
    return Compression{*uncompressedSize};
}

// Where the directory and the objects' bytes lie, from the file header.
struct FileLayout
{
    quint64 directoryOffset = 0;
    quint64 directoryLength = 0;
    quint64 dataOffset = 0;
};

std::optional<FileLayout> readFileHeader(QIODevice &device, quint64 fileSize)
{
    const auto header = readAt(device, 0, qint64(std::min<quint64>(fileSize, FileHeader::sizeV3)));
    if (!header || !header->startsWith("ITSF"))
        return std::nullopt;
    const quint32 version = u32(*header, FileHeader::version);
    const quint32 headerLength = u32(*header, FileHeader::headerLength);
    FileLayout layout;
    layout.directoryOffset = u64(*header, FileHeader::directoryOffset);
    layout.directoryLength = u64(*header, FileHeader::directoryLength);
    if (version == 2 && headerLength >= FileHeader::sizeV2) {
        // The objects follow the directory.
        if (!add(layout.directoryOffset, layout.directoryLength, &layout.dataOffset))
            return std::nullopt;
    } else if (version == 3 && headerLength >= FileHeader::sizeV3 &&
               header->size() >= FileHeader::sizeV3) {
        layout.dataOffset = u64(*header, FileHeader::dataOffset);
    } else {
        return std::nullopt;
    }
    if (layout.directoryOffset > fileSize ||
        layout.directoryLength > fileSize - layout.directoryOffset ||
        layout.directoryLength < quint64(DirectoryHeader::size) || layout.dataOffset > fileSize)
        return std::nullopt;
    return layout;
}

// The directory's chunks as its header gives them.
struct ChunkTable
{
    quint32 chunkSize = 0;
    quint32 chunkCount = 0;
    qint32 indexRoot = -1;
    quint32 firstListing = 0;
};

std::optional<ChunkTable> readDirectoryHeader(QIODevice &device, const FileLayout &layout)
{
    const auto header = readAt(device, layout.directoryOffset, DirectoryHeader::size);
    if (!header || !header->startsWith("ITSP") || u32(*header, DirectoryHeader::version) != 1 ||
        u32(*header, DirectoryHeader::headerLength) != DirectoryHeader::size)
        return std::nullopt;
    ChunkTable table;
    table.chunkSize = u32(*header, DirectoryHeader::chunkSize);
    table.chunkCount = u32(*header, DirectoryHeader::chunkCount);
    table.indexRoot = i32(*header, DirectoryHeader::indexRoot);
    table.firstListing = u32(*header, DirectoryHeader::firstListing);
    const quint64 chunksSize = quint64(table.chunkCount) * table.chunkSize;
    if (table.chunkSize < minChunkSize || table.chunkSize > maxChunkSize || table.chunkCount == 0 ||
        chunksSize > quint64(maxDirectorySize) ||
        chunksSize > layout.directoryLength - DirectoryHeader::size ||
        table.firstListing >= table.chunkCount || table.indexRoot < -1 ||
        (table.indexRoot >= 0 && quint32(table.indexRoot) >= table.chunkCount))
        return std::nullopt;
    return table;
}

std::optional<std::vector<Chunk>> readChunks(QIODevice &device, const FileLayout &layout,
                                             const ChunkTable &table)
{
    const auto bytes = readAt(device, layout.directoryOffset + DirectoryHeader::size,
                              qint64(table.chunkCount) * table.chunkSize);
    if (!bytes)
        return std::nullopt;
    std::vector<Chunk> chunks;
    chunks.reserve(table.chunkCount);
    for (quint32 i = 0; i < table.chunkCount; ++i) {
        std::optional<Chunk> chunk =
            parseChunk(bytes->constData() + qsizetype(i) * table.chunkSize, table.chunkSize);
        if (!chunk)
            return std::nullopt;
        chunks.push_back(std::move(*chunk));
    }
    return chunks;
}

// The listing chain from first, which gives every object; nothing unless it ends, each chunk on
// it once and a listing chunk.
std::optional<std::vector<quint32>> listingChain(const std::vector<Chunk> &chunks, quint32 first)
{
    std::vector<bool> onChain(chunks.size(), false);
    std::vector<quint32> chain;
    for (qint64 at = first; at != -1; at = chunks[quint32(at)].next) {
        if (at < 0 || quint64(at) >= chunks.size() || onChain[quint32(at)] ||
            chunks[quint32(at)].kind != Chunk::Listing)
            return std::nullopt;
        onChain[quint32(at)] = true;
        chain.push_back(quint32(at));
    }
    return chain;
}

} // namespace

std::optional<ChmDirectory> ChmDirectory::read(QIODevice &device)
{
    const qint64 size = device.size();
    if (size < FileHeader::sizeV2)
        return std::nullopt;
    const auto fileSize = quint64(size);
    const auto layout = readFileHeader(device, fileSize);
    if (!layout)
        return std::nullopt;
    const auto table = readDirectoryHeader(device, *layout);
    if (!table)
        return std::nullopt;
    auto chunks = readChunks(device, *layout, *table);
    if (!chunks)
        return std::nullopt;
    const auto chain = listingChain(*chunks, table->firstListing);
    if (!chain)
        return std::nullopt;
    // The index tree chmlib searches when it opens the file: from its root, or with no tree
    // the first listing chunk alone.
    if (table->indexRoot >= 0 && !indexTreeEnds(*chunks, quint64(table->indexRoot)))
        return std::nullopt;
    const auto compression = checkCompression(device, layout->dataOffset, fileSize, *chunks);
    if (!compression)
        return std::nullopt;

    ChmDirectory directory;
    directory.m_compressedSize = compression->uncompressedSize;
    for (quint32 at : *chain) {
        for (Entry &entry : (*chunks)[at].entries) {
            quint64 start = 0, end = 0;
            bool readable = false;
            if (entry.section == storedSection)
                readable = add(layout->dataOffset, entry.start, &start) &&
                           add(start, entry.length, &end) && end <= fileSize;
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
