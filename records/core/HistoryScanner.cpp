// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryScanner.h"

#include "records/core/Cp932.h"
#include "records/core/HistoryLine.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Line = HistoryLine;

constexpr bool isDigitPlace(char c)
{
    return c == 'Y' || c == 'M' || c == 'D' || c == 'h' || c == 'm' || c == 's';
}

// What a byte of the fixed part must be: any digit, a mark's trail byte (looked at on its own),
// or exactly this byte.
enum class Place : uint8_t
{
    Digit,
    Trail,
    Exact,
};

constexpr Place placeAt(qsizetype i)
{
    const char c = Line::fixedShape[size_t(i)];
    return isDigitPlace(c) ? Place::Digit : c == 'T' ? Place::Trail : Place::Exact;
}

constexpr char exactAt(qsizetype i)
{
    const char c = Line::fixedShape[size_t(i)];
    return c == 'L' ? Line::markLead : c;
}

inline unsigned digitAt(const char *p, qsizetype i)
{
    return static_cast<unsigned char>(p[i]) - unsigned('0');
}

static_assert(uint8_t(HistoryRecord::Mark::Right) == 0 &&
              uint8_t(HistoryRecord::Mark::Wrong) == 1 &&
              uint8_t(HistoryRecord::Mark::Unused) == 2);

#if defined(__SSE2__)

namespace sse2 {

// The fixed part is checked sixteen bytes at a time: four loads, the last ending where the fixed
// part ends (it overlaps the third). For each load, the bytes that must be exactly so, the
// digits, and the trail bytes, which the marks check on their own.
struct VectorShape
{
    std::array<char, 16> exactBits{}, exactMask{}, digitMask{}, freeMask{};
};
constexpr qsizetype vectorStarts[] = {0, 16, 32, Line::fixedSize - 16};
static_assert(Line::fixedSize > 48 && Line::fixedSize <= 64);

constexpr std::array<VectorShape, 4> vectorShapes = [] {
    std::array<VectorShape, 4> shapes{};
    for (size_t v = 0; v < 4; ++v) {
        for (size_t b = 0; b < 16; ++b) {
            const qsizetype i = vectorStarts[v] + qsizetype(b);
            switch (placeAt(i)) {
            case Place::Digit:
                shapes[v].digitMask[b] = char(0xFF);
                break;
            case Place::Trail:
                shapes[v].freeMask[b] = char(0xFF);
                break;
            case Place::Exact:
                shapes[v].exactMask[b] = char(0xFF);
                shapes[v].exactBits[b] = exactAt(i);
                break;
            }
        }
    }
    return shapes;
}();

inline __m128i loadBytes(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

// Nonzero unless the fixed part from p has its shape (trail bytes aside).
inline uint32_t fixedMismatch(const char *p)
{
    const __m128i zero = _mm_set1_epi8('0'), nine = _mm_set1_epi8(9);
    uint32_t bad = 0;
    for (size_t v = 0; v < 4; ++v) {
        const VectorShape &shape = vectorShapes[v];
        const __m128i bytes = loadBytes(p + vectorStarts[v]);
        const __m128i exact =
            _mm_and_si128(_mm_cmpeq_epi8(bytes, loadBytes(shape.exactBits.data())),
                          loadBytes(shape.exactMask.data()));
        const __m128i offset = _mm_sub_epi8(bytes, zero);
        const __m128i digit = _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(offset, nine), offset),
                                            loadBytes(shape.digitMask.data()));
        const __m128i good =
            _mm_or_si128(_mm_or_si128(exact, digit), loadBytes(shape.freeMask.data()));
        bad |= uint32_t(_mm_movemask_epi8(good)) ^ 0xFFFFu;
    }
    return bad;
}

// The bits of the first n even places of a sixteen-byte load: where its trail bytes lie when it
// starts at one.
constexpr uint32_t evenPlaces(int n)
{
    uint32_t bits = 0;
    for (int k = 0; k < n; ++k)
        bits |= 1u << (2 * k);
    return bits;
}

// The marks of the fifteen slots, two bits each (see HistoryRecords::Fields), from their trail
// bytes; bad gets a bit for a trail byte that is no mark's.
inline uint32_t marksAt(const char *p, uint32_t *bad)
{
    // A load of sixteen bytes from the first slot's trail byte holds eight trail bytes, one at
    // every even place; the seven others follow from the ninth slot's.
    constexpr int firstSlots = 8, lastSlots = HistoryRecord::slotCount - firstSlots;
    const auto slotsAt = [bad](const char *q, uint32_t trails) {
        const __m128i bytes = loadBytes(q);
        const auto places = [&bytes](char trail) {
            return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(trail))));
        };
        const uint32_t right = places(Cp932::right[1]), wrong = places(Cp932::wrong[1]),
                       unused = places(Cp932::unused[1]);
        *bad |= ~(right | wrong | unused) & trails;
        // A wrong slot's bit is the slot's low bit; an unused one's moves to its high bit.
        return (wrong & trails) | (unused & trails) << 1;
    };
    return slotsAt(p + Line::trailAt(0), evenPlaces(firstSlots)) |
           slotsAt(p + Line::trailAt(firstSlots), evenPlaces(lastSlots)) << (2 * firstSlots);
}

} // namespace sse2

#endif

// Without vector instructions the fixed part is checked eight bytes at a time, and the bytes
// after its last whole word one by one.
namespace portable {

constexpr qsizetype fixedWords = Line::fixedSize / 8;

struct WordShape
{
    uint64_t exactMask = 0, exactBits = 0; // bytes that must be exactly so
    uint64_t digitMask = 0, digitBits = 0, digitCarry = 0;
};

constexpr std::array<WordShape, fixedWords> wordShapes = [] {
    std::array<WordShape, fixedWords> shapes{};
    for (qsizetype w = 0; w < fixedWords; ++w) {
        for (int b = 0; b < 8; ++b) {
            const qsizetype i = 8 * w + b;
            const int shift = 8 * b; // the loads below are little-endian
            WordShape &shape = shapes[size_t(w)];
            if (placeAt(i) == Place::Digit) {
                shape.digitMask |= uint64_t(0xF0) << shift;
                shape.digitBits |= uint64_t(0x30) << shift;
                shape.digitCarry |= uint64_t(0x06) << shift;
            } else if (placeAt(i) == Place::Exact) {
                shape.exactMask |= uint64_t(0xFF) << shift;
                shape.exactBits |= uint64_t(static_cast<uint8_t>(exactAt(i))) << shift;
            }
        }
    }
    return shapes;
}();
constexpr bool tailIsExact = [] {
    for (qsizetype i = 8 * fixedWords; i < Line::fixedSize; ++i) {
        if (placeAt(i) != Place::Exact)
            return false;
    }
    return true;
}();
static_assert(tailIsExact);

// The mark of a trail byte after the marks' lead byte; 4 for none.
constexpr std::array<uint8_t, 256> trailMarks = [] {
    std::array<uint8_t, 256> marks{};
    marks.fill(4);
    marks[static_cast<uint8_t>(Cp932::right[1])] = uint8_t(HistoryRecord::Mark::Right);
    marks[static_cast<uint8_t>(Cp932::wrong[1])] = uint8_t(HistoryRecord::Mark::Wrong);
    marks[static_cast<uint8_t>(Cp932::unused[1])] = uint8_t(HistoryRecord::Mark::Unused);
    return marks;
}();

uint64_t littleEndianWord(const char *p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

// Nonzero unless the fixed part from p has its shape (trail bytes aside).
inline uint64_t fixedMismatch(const char *p)
{
    uint64_t bad = 0;
    for (qsizetype i = 8 * fixedWords; i < Line::fixedSize; ++i)
        bad |= uint64_t(static_cast<unsigned char>(p[i]) ^ static_cast<unsigned char>(exactAt(i)));
    // A byte is a digit when its high half is 3 and adding 6 keeps it so.
    for (qsizetype w = 0; w < fixedWords; ++w) {
        const WordShape &shape = wordShapes[size_t(w)];
        const uint64_t word = littleEndianWord(p + 8 * w);
        bad |= ((word & shape.exactMask) ^ shape.exactBits) |
               ((word & shape.digitMask) ^ shape.digitBits) |
               (((word + shape.digitCarry) & shape.digitMask) ^ shape.digitBits);
    }
    return bad;
}

// The marks of the fifteen slots, two bits each (see HistoryRecords::Fields), from their trail
// bytes; bad gets a bit for a trail byte that is no mark's.
inline uint32_t marksAt(const char *p, uint32_t *bad)
{
    uint32_t marks = 0;
    for (int s = 0; s < HistoryRecord::slotCount; ++s) {
        const uint32_t mark = trailMarks[static_cast<uint8_t>(p[Line::trailAt(s)])];
        *bad |= mark & 4;
        marks |= (mark & 3) << (2 * s);
    }
    return marks;
}

} // namespace portable

// The line from p read in place, if it is as this program writes it. Needs Line::longestLine
// bytes from p on (they may run into the next lines). Returns the bytes the line takes with its
// line end, or 0 for a line of any other shape, which HistoryLine::parse then decides on.
template <HistoryScanner::Checks checks>
qsizetype usualLine(const char *p, HistoryRecords::Fields *f)
{
    uint32_t badMark = 0;
#if defined(__SSE2__)
    if constexpr (checks == HistoryScanner::Checks::Fastest) {
        const uint32_t marks = sse2::marksAt(p, &badMark);
        if (sse2::fixedMismatch(p) || badMark)
            return 0;
        f->marks = marks;
    } else
#endif
    {
        const uint32_t marks = portable::marksAt(p, &badMark);
        if (portable::fixedMismatch(p) || badMark)
            return 0;
        f->marks = marks;
    }
    const auto two = [p](qsizetype i) { return int(digitAt(p, i) * 10 + digitAt(p, i + 1)); };
    f->year = two(Line::yearAt) * 100 + two(Line::yearAt + 2);
    f->month = two(Line::monthAt);
    f->day = two(Line::dayAt);
    const int hour = two(Line::hourAt), minute = two(Line::minuteAt), second = two(Line::secondAt);
    if (hour > 23 || minute > 59 || second > 59)
        return 0;
    f->secondOfDay = (hour * 60 + minute) * 60 + second;

    // The counts, one or two digits (read as numbers, so 02 is 2), each followed by its comma.
    qsizetype i = Line::fixedSize;
    const auto count = [p, &i](int *value) {
        if (digitAt(p, i) > 9)
            return false;
        *value = int(digitAt(p, i++));
        if (digitAt(p, i) <= 9)
            *value = *value * 10 + int(digitAt(p, i++));
        return p[i++] == ',';
    };
    // A number as this program writes it: up to `most` digits, no leading zero.
    const auto canonical = [p, &i](int most, int *value) {
        const qsizetype first = i;
        *value = 0;
        while (i - first < most && digitAt(p, i) <= 9)
            *value = *value * 10 + int(digitAt(p, i++));
        return i > first && (i == first + 1 || p[first] != '0');
    };
    if (!count(&f->ok) || !count(&f->ng) || p[i++] != '"')
        return 0;
    int whole = 0;
    if (!canonical(3, &whole) || p[i] != '.' || digitAt(p, i + 1) > 9 || p[i + 2] != '%' ||
        p[i + 3] != '"' || p[i + 4] != ',' || p[i + 5] != '"')
        return 0;
    f->rateTenths = whole * 10 + int(digitAt(p, i + 1));
    i += 6;
    if (!canonical(2, &f->seconds) || p[i] != Cp932::secondsUnit[0] ||
        p[i + 1] != Cp932::secondsUnit[1] || p[i + 2] != '"')
        return 0;
    i += 3;
    if (p[i] == '\r')
        ++i;
    return p[i] == '\n' ? i + 1 : 0;
}

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF", 3);

// The most of a line not yet ended that can still be a record: the longest line read, its CR.
constexpr qsizetype longestHeld = Line::longestReadable + 1;

} // namespace

HistoryScanner::HistoryScanner(HistoryContents &contents, bool fromFileStart, Checks checks)
    : m_contents(contents), m_atFileStart(fromFileStart), m_checks(checks)
{
}

qsizetype HistoryScanner::take(QByteArrayView bytes, bool atEnd)
{
    return m_checks == Checks::Fastest ? take<Checks::Fastest>(bytes, atEnd)
                                       : take<Checks::Portable>(bytes, atEnd);
}

template <HistoryScanner::Checks checks>
qsizetype HistoryScanner::take(QByteArrayView bytes, bool atEnd)
{
    const char *const begin = bytes.data();
    const char *p = begin;
    const char *const end = begin + bytes.size();
    if (m_atFileStart) {
        if (bytes.size() < byteOrderMark.size() && !atEnd && byteOrderMark.startsWith(bytes))
            return 0; // too few bytes yet to tell
        m_atFileStart = false;
        if (bytes.startsWith(byteOrderMark))
            p += byteOrderMark.size();
    }
    while (p < end) {
        if (m_inSkippedLine) {
            const auto *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
            if (!lf)
                return end - begin; // all of it belongs to the line skipped
            m_inSkippedLine = false;
            p = lf + 1;
            continue;
        }
        HistoryRecords::Fields fields;
        if (end - p >= Line::longestLine) {
            if (const qsizetype length = usualLine<checks>(p, &fields);
                length > 0 && HistoryRecords::fits(fields)) {
                ++m_lineNumber;
                m_contents.records.push_back(fields);
                p += length;
                continue;
            }
        }
        const auto *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!lf && !atEnd) {
            // Too long for a record already, whatever follows: skipped now, not held to its end.
            if (end - p > longestHeld) {
                ++m_lineNumber;
                m_contents.skip(m_lineNumber);
                m_inSkippedLine = true;
                return end - begin;
            }
            break;
        }
        // The file's last line may lack its line end (an editor, or a write cut off just
        // before it); it is read like any other, and a record cut off in mid-line is skipped.
        const char *lineEnd = lf ? lf : end;
        ++m_lineNumber;
        QByteArrayView line(p, lineEnd - p);
        if (line.endsWith('\r'))
            line.chop(1);
        if (std::optional<HistoryRecord> record = HistoryLine::parse(line))
            m_contents.records.push_back(*record);
        else
            m_contents.skip(m_lineNumber);
        p = lf ? lf + 1 : end;
    }
    return p - begin;
}

HistoryContents HistoryScanner::scan(QByteArrayView content, Checks checks)
{
    HistoryContents contents;
    contents.records.reserve(recordsRoom(content.size()));
    HistoryScanner(contents, true, checks).take(content, true);
    return contents;
}

// Lines as this program writes them take at least Line::shortestLine bytes, one fewer where an
// editor left LF alone as the line end; room for that many is never too little for them. Lines
// written by hand may be shorter: then the records grow as they come.
std::size_t HistoryScanner::recordsRoom(qint64 bytes)
{
    return static_cast<std::size_t>(bytes / (Line::shortestLine - 1) + 1);
}
