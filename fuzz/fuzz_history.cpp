// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history reader on any bytes, as a whole file and as one line: every line is either a
// record or counted as skipped, every record read is written and read back unchanged, and the
// whole-file reader, which takes a short cut for the usual line (both ways of checking it),
// agrees with the line reader on every line, also when given the bytes a few at a time.
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"
#include "records/core/HistoryScanner.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void rewritesTheSame(const HistoryRecord &record)
{
    const QByteArray line = HistoryLine::format(record);
    if (line.isEmpty() || !line.endsWith("\r\n"))
        std::abort();
    const std::optional<HistoryRecord> again = HistoryLine::parse(line.chopped(2));
    if (!again || !(*again == record))
        std::abort();
}

// The file's lines (after a byte-order mark, which is passed over) read one at a time through
// HistoryLine::parse.
void agreesLineByLine(QByteArrayView content, const HistoryContents &contents)
{
    std::vector<HistoryRecord> records;
    QList<qint64> skipped;
    qint64 lineNumber = 0;
    for (qsizetype start = 0; start < content.size();) {
        ++lineNumber;
        const qsizetype lf = content.indexOf('\n', start);
        const qsizetype lineEnd = lf < 0 ? content.size() : lf;
        QByteArrayView line = content.sliced(start, lineEnd - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (const std::optional<HistoryRecord> record = HistoryLine::parse(line)) {
            // The scanner skips longer lines before their end: none may be a record.
            if (line.size() > HistoryLine::longestReadable)
                std::abort();
            records.push_back(*record);
        } else
            skipped.append(lineNumber);
        start = lineEnd + 1;
    }
    if (records.size() != contents.records.size() || skipped.size() != contents.skippedCount ||
        skipped.first(std::min(skipped.size(), HistoryContents::listedSkipped)) !=
            contents.skippedLines)
        std::abort();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!(records[i] == contents.records.at(i)))
            std::abort();
    }
}

// The content given a few bytes at a time, as the file is read a block at a time: the scanner
// keeps back no more than a line that can still be a record, and reads what it reads at once.
void readsInBlocksAsWhole(QByteArrayView content, const HistoryContents &whole)
{
    HistoryContents contents;
    HistoryScanner scanner(contents, true);
    QByteArray held;
    constexpr qsizetype block = 7;
    for (qsizetype at = 0;; at += block) {
        const bool atEnd = at >= content.size();
        if (!atEnd)
            held += content.sliced(at, std::min(block, content.size() - at));
        held.remove(0, scanner.take(held, atEnd));
        if (atEnd)
            break;
        if (held.size() > HistoryLine::longestReadable + 1)
            std::abort();
    }
    if (contents.records.size() != whole.records.size() ||
        contents.skippedLines != whole.skippedLines || contents.skippedCount != whole.skippedCount)
        std::abort();
    for (std::size_t i = 0; i < whole.records.size(); ++i) {
        if (!(contents.records.at(i) == whole.records.at(i)))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char *>(data),
                                 static_cast<qsizetype>(size));
    const HistoryContents contents = HistoryScanner::scan(content);
    const QByteArrayView byteOrderMark("\xEF\xBB\xBF", 3);
    const QByteArrayView body =
        content.startsWith(byteOrderMark) ? content.sliced(byteOrderMark.size()) : content;
    const qsizetype lines = body.count('\n') + (body.endsWith('\n') ? 0 : 1);
    if (body.isEmpty() ? !contents.records.empty() || contents.skippedCount != 0
                       : qsizetype(contents.records.size()) + contents.skippedCount != lines)
        std::abort();
    for (const HistoryRecord &record : contents.records)
        rewritesTheSame(record);
    agreesLineByLine(body, contents);
    // The portable checks, which processors without SSE2 use, read the same.
    agreesLineByLine(body, HistoryScanner::scan(content, HistoryScanner::Checks::Portable));
    readsInBlocksAsWhole(content, contents);

    if (const std::optional<HistoryRecord> record = HistoryLine::parse(content))
        rewritesTheSame(*record);
    return 0;
}
