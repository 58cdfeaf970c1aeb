// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QtGlobal>
#include <optional>
#include <vector>

class QIODevice;

// The directory of a compiled help file: the list of its objects with where their bytes lie,
// read and checked before chmlib is let near the file. chmlib trusts every number it finds:
// it follows chunk links round a loop for ever, allocates whatever a header asks for and
// divides by values that may be zero. So a file is only handed to it when everything it will
// walk or compute with has been seen to be sound here: every directory chunk inside the file
// and well formed, the chain of listing chunks and the index tree free of loops, and the
// compression tables consistent. Objects are then looked up here, never by chmlib.
class ChmDirectory
{
public:
    struct Entry
    {
        QByteArray path; // as stored, e.g. "/index.html"
        quint64 section = 0;
        quint64 start = 0;
        quint64 length = 0;
    };

    static constexpr quint64 storedSection = 0;
    static constexpr quint64 compressedSection = 1;

    // Reads the directory of the file open in device. Nothing when the bytes are not a compiled
    // help file or chmlib could be led astray by them. Reads at most the headers, the directory
    // chunks and the compression tables, so it is quick whatever sizes the headers claim.
    static std::optional<ChmDirectory> read(QIODevice &device);

    // Every object of the listing chain whose bytes can be read, in directory order.
    const std::vector<Entry> &entries() const { return m_entries; }

    // The object of that path, case ignored as the format does; nullptr when there is none or
    // its bytes lie outside the file or outside the compressed stream.
    const Entry *find(QByteArrayView path) const;

    // Whether the compressed section can be read.
    bool hasCompressedSection() const { return m_compressedSize > 0; }

private:
    ChmDirectory() = default;

    std::vector<Entry> m_entries;
    QHash<QByteArray, qsizetype> m_byPath; // lower-case path to its index in m_entries
    quint64 m_compressedSize = 0;          // uncompressed length of the compressed section
};
