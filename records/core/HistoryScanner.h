// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryContents.h"

#include <QByteArrayView>
#include <cstddef>

// Reads the lines of the history file into records, as its bytes come in. A long history is read
// at start-up, and nearly every one of its lines is exactly as this program writes it: those are
// read in place, their shape checked a machine word or more at a time, without building any
// text. Every other line goes to HistoryLine::parse, which decides on it.
class HistoryScanner
{
public:
    // How a line's shape is checked: sixteen bytes at a time where the processor has SSE2 (every
    // x86-64 has), else as Portable, eight bytes at a time, as on any processor. Both give the
    // same records; the tests and the fuzz target hold them to it.
    enum class Checks
    {
        Fastest,
        Portable,
    };

    // Fills contents with the lines of the bytes taken. When they start at the file's first
    // byte (fromFileStart), a UTF-8 byte-order mark there, which some editors write, is passed
    // over and the first line read as usual.
    HistoryScanner(HistoryContents &contents, bool fromFileStart, Checks checks = Checks::Fastest);

    // Reads the lines of bytes. Unless atEnd, the last line may be cut off by the end of the bytes
    // at hand: it is left for when more bytes follow. Returns how many bytes from the start were
    // used; the rest must be given again, with more after it, in the next call. What is left is
    // never more than a line that can still be a record (HistoryLine::longestReadable and its
    // CR): a line that has grown longer is skipped at once, and the rest of it as it comes, so a
    // file of one endless line is read in as little memory as any other.
    qsizetype take(QByteArrayView bytes, bool atEnd);

    // The lines read so far, records and skipped ones.
    qint64 lines() const { return m_lineNumber; }

    // The records of a whole file's content.
    static HistoryContents scan(QByteArrayView content, Checks checks = Checks::Fastest);

    // Room for the records of this many bytes of a file, so that the records never move as they
    // come in. Room beyond what the lines need is never touched, so it takes no memory.
    static std::size_t recordsRoom(qint64 bytes);

private:
    template <Checks checks> qsizetype take(QByteArrayView bytes, bool atEnd);

    HistoryContents &m_contents;
    qint64 m_lineNumber = 0;
    bool m_atFileStart;
    bool m_inSkippedLine = false; // the bytes up to the next LF belong to a line skipped already
    Checks m_checks;
};
