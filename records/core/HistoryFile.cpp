// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryFile.h"

#include "records/core/Cp932.h"
#include "records/core/DataFile.h"
#include "records/core/Disk.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

QString problem(const QString &what)
{
    return QStringLiteral("履歴ファイル「%1」%2").arg(HistoryFile::fileName(), what);
}

bool isDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A whole number of at most eight digits with an optional minus sign. Written by this program it
// has no leading zeros; canonical asks for that form.
std::optional<int32_t> wholeNumber(QByteArrayView text, bool canonical)
{
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = negative ? text.sliced(1) : text;
    if (!isDigits(digits))
        return std::nullopt;
    if (canonical && digits.size() > 1 && digits.front() == '0')
        return std::nullopt;
    int32_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 99999999)
            return std::nullopt;
    }
    if (canonical && negative && value == 0)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<int16_t> count16(QByteArrayView text, bool canonical)
{
    const std::optional<int32_t> n = wholeNumber(text, canonical);
    if (!n || *n < -32768 || *n > 32767)
        return std::nullopt;
    return static_cast<int16_t>(*n);
}

// A calendar date written year/month/day in digits, such as 2001/02/03.
std::optional<QDate> dateField(QByteArrayView text)
{
    const qsizetype slash1 = text.indexOf('/');
    const qsizetype slash2 = slash1 < 0 ? -1 : text.indexOf('/', slash1 + 1);
    if (slash2 < 0)
        return std::nullopt;
    const QByteArrayView year = text.first(slash1);
    const QByteArrayView month = text.sliced(slash1 + 1, slash2 - slash1 - 1);
    const QByteArrayView day = text.sliced(slash2 + 1);
    if (!isDigits(year) || !isDigits(month) || !isDigits(day) || year.size() > 4 ||
        month.size() > 2 || day.size() > 2)
        return std::nullopt;
    const QDate date(*wholeNumber(year, false), *wholeNumber(month, false),
                     *wholeNumber(day, false));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Two-digit hour, minute and second: 04:05:06.
std::optional<QTime> timeField(QByteArrayView text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const QByteArrayView h = text.sliced(0, 2), m = text.sliced(3, 2), s = text.sliced(6, 2);
    if (!isDigits(h) || !isDigits(m) || !isDigits(s))
        return std::nullopt;
    const QTime time(*wholeNumber(h, false), *wholeNumber(m, false), *wholeNumber(s, false));
    if (!time.isValid())
        return std::nullopt;
    return time;
}

// Exactly fifteen marks.
std::optional<HistoryRecord::Marks> marksField(QByteArrayView text)
{
    using Mark = HistoryRecord::Mark;
    const std::pair<QByteArrayView, Mark> kinds[] = {
        {Cp932::right, Mark::Right}, {Cp932::wrong, Mark::Wrong}, {Cp932::unused, Mark::Unused}};
    // Each mark takes two bytes; compared byte by byte, since a long history has many.
    HistoryRecord::Marks marks{};
    if (text.size() != 2 * HistoryRecord::slotCount)
        return std::nullopt;
    for (qsizetype i = 0; i < HistoryRecord::slotCount; ++i) {
        const char lead = text[2 * i], trail = text[2 * i + 1];
        bool known = false;
        for (const auto &[code, kind] : kinds) {
            if (code[0] == lead && code[1] == trail) {
                marks[static_cast<size_t>(i)] = kind;
                known = true;
                break;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return marks;
}

// A percentage with one decimal: 66.7%, 100.0%, 0.0%.
std::optional<int32_t> rateField(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    if (negative)
        text = text.sliced(1);
    if (text.size() < 4 || !text.endsWith('%') || text[text.size() - 3] != '.' ||
        text.startsWith('-'))
        return std::nullopt;
    const std::optional<int32_t> whole = wholeNumber(text.first(text.size() - 3), true);
    const char tenth = text[text.size() - 2];
    if (!whole || tenth < '0' || tenth > '9')
        return std::nullopt;
    const int32_t tenths = *whole * 10 + (tenth - '0');
    if (negative && tenths == 0)
        return std::nullopt;
    return negative ? -tenths : tenths;
}

// The display time with its unit: 5秒.
std::optional<int16_t> secondsField(QByteArrayView text)
{
    if (!text.endsWith(Cp932::secondsUnit))
        return std::nullopt;
    return count16(text.chopped(Cp932::secondsUnit.size()), true);
}

// Reads a line field by field from the left.
class LineReader
{
public:
    explicit LineReader(QByteArrayView line) : m_line(line) {}

    // A text field: everything between the double quote at the reading position and the next.
    bool quoted(QByteArrayView *text)
    {
        if (m_pos >= m_line.size() || m_line[m_pos] != '"')
            return false;
        const qsizetype close = m_line.indexOf('"', m_pos + 1);
        if (close < 0)
            return false;
        *text = m_line.sliced(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        return true;
    }

    // A bare field: everything up to the next comma or the line end.
    QByteArrayView bare()
    {
        qsizetype end = m_line.indexOf(',', m_pos);
        if (end < 0)
            end = m_line.size();
        const QByteArrayView text = m_line.sliced(m_pos, end - m_pos);
        m_pos = end;
        return text;
    }

    bool comma()
    {
        if (m_pos >= m_line.size() || m_line[m_pos] != ',')
            return false;
        ++m_pos;
        return true;
    }

    bool atEnd() const { return m_pos == m_line.size(); }

private:
    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

// The line as this program writes it, read in place with every byte at a known offset:
//   "2001/02/03","04:05:06","<fifteen marks, two bytes each>",2,1,"66.7%","5秒" CR LF
// Nearly every line of a history has this shape, and a long history is read at start-up, so it
// is read without building any text. Needs longestLine bytes from p on (they may run into the
// next lines). Returns the bytes the line takes with its line end, or 0 for a line of any other
// shape, which the general reader then decides on.
constexpr qsizetype fixedPrefix = 57; // up to and including the comma after the marks
// The longest line read here: 15,15,"100.0%","30秒" CR LF after the prefix.
constexpr qsizetype longestLine = fixedPrefix + 23;

inline unsigned digitAt(const char *p, qsizetype i)
{
    return static_cast<unsigned char>(p[i]) - unsigned('0');
}

// The fixed part of the usual line: D a digit, L the lead byte all three marks share, T a mark's
// trail byte (looked at on its own), anything else itself.
constexpr char prefixShape[fixedPrefix + 1] = "\"DDDD/DD/DD\",\"DD:DD:DD\",\"LTLTLTLTLTLTLTLTLTLT"
                                              "LTLTLTLTLT\",";
static_assert(prefixShape[fixedPrefix - 1] == ',');

#if defined(__SSE2__)

// The fixed part is checked sixteen bytes at a time: four loads (the last overlaps the third)
// cover its 57 bytes. For each load, the bytes that must be exactly so, the digits, and the trail
// bytes, which the marks check on their own.
struct VectorShape
{
    std::array<char, 16> fixedBits{}, fixedMask{}, digitMask{}, freeMask{};
};
constexpr int prefixVectorStarts[] = {0, 16, 32, fixedPrefix - 16};

constexpr std::array<VectorShape, 4> prefixVectorShapes = [] {
    constexpr char markLead = Cp932::right[0];
    static_assert(markLead == Cp932::wrong[0] && markLead == Cp932::unused[0]);
    std::array<VectorShape, 4> shapes{};
    for (int v = 0; v < 4; ++v) {
        for (int b = 0; b < 16; ++b) {
            const char c = prefixShape[prefixVectorStarts[v] + b];
            if (c == 'D') {
                shapes[v].digitMask[b] = char(0xFF);
            } else if (c == 'T') {
                shapes[v].freeMask[b] = char(0xFF);
            } else {
                shapes[v].fixedMask[b] = char(0xFF);
                shapes[v].fixedBits[b] = c == 'L' ? markLead : c;
            }
        }
    }
    return shapes;
}();

inline __m128i loadBytes(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

// Nonzero unless the 57 bytes from p have the fixed shape (trail bytes aside).
inline uint32_t prefixMismatch(const char *p)
{
    const __m128i zero = _mm_set1_epi8('0'), nine = _mm_set1_epi8(9);
    uint32_t bad = 0;
    for (int v = 0; v < 4; ++v) {
        const VectorShape &shape = prefixVectorShapes[size_t(v)];
        const __m128i bytes = loadBytes(p + prefixVectorStarts[v]);
        const __m128i fixed =
            _mm_and_si128(_mm_cmpeq_epi8(bytes, loadBytes(shape.fixedBits.data())),
                          loadBytes(shape.fixedMask.data()));
        const __m128i offset = _mm_sub_epi8(bytes, zero);
        const __m128i digit = _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(offset, nine), offset),
                                            loadBytes(shape.digitMask.data()));
        const __m128i good =
            _mm_or_si128(_mm_or_si128(fixed, digit), loadBytes(shape.freeMask.data()));
        bad |= uint32_t(_mm_movemask_epi8(good)) ^ 0xFFFFu;
    }
    return bad;
}

// The marks of the fifteen slots, two bits each (see HistoryRecords::Fields), from their trail
// bytes at p + 26, p + 28, … p + 54; bad gets a bit for a trail byte that is no mark's.
inline uint32_t marksAt(const char *p, uint32_t *bad)
{
    static_assert(uint8_t(HistoryRecord::Mark::Right) == 0 &&
                  uint8_t(HistoryRecord::Mark::Wrong) == 1 &&
                  uint8_t(HistoryRecord::Mark::Unused) == 2);
    // Eight slots from p + 26 (trail bytes at the even places: mask 0x5555), seven from p + 42.
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
    return slotsAt(p + 26, 0x5555u) | slotsAt(p + 42, 0x1555u) << 16;
}

#else

// Without vector instructions the fixed part is checked eight bytes at a time.
constexpr int prefixWords = fixedPrefix / 8; // and one byte after them

struct WordShape
{
    uint64_t fixedMask = 0, fixedBits = 0; // bytes that must be exactly so
    uint64_t digitMask = 0, digitBits = 0, digitCarry = 0;
};

constexpr std::array<WordShape, prefixWords> prefixWordShapes = [] {
    constexpr char markLead = Cp932::right[0];
    static_assert(markLead == Cp932::wrong[0] && markLead == Cp932::unused[0]);
    std::array<WordShape, prefixWords> shapes{};
    for (int w = 0; w < prefixWords; ++w) {
        for (int b = 0; b < 8; ++b) {
            const char c = prefixShape[8 * w + b];
            const int shift = 8 * b; // the loads below are little-endian
            if (c == 'D') {
                shapes[w].digitMask |= uint64_t(0xF0) << shift;
                shapes[w].digitBits |= uint64_t(0x30) << shift;
                shapes[w].digitCarry |= uint64_t(0x06) << shift;
            } else if (c != 'T') {
                shapes[w].fixedMask |= uint64_t(0xFF) << shift;
                shapes[w].fixedBits |= uint64_t(static_cast<uint8_t>(c == 'L' ? markLead : c))
                                       << shift;
            }
        }
    }
    return shapes;
}();

// The mark of a trail byte after the lead byte 0x81; 4 for none.
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

// Nonzero unless the 57 bytes from p have the fixed shape (trail bytes aside).
inline uint64_t prefixMismatch(const char *p)
{
    // A byte is a digit when its high half is 3 and adding 6 keeps it so.
    uint64_t bad = static_cast<unsigned char>(p[prefixWords * 8]) ^ uint64_t(',');
    for (int w = 0; w < prefixWords; ++w) {
        const WordShape &shape = prefixWordShapes[size_t(w)];
        const uint64_t word = littleEndianWord(p + 8 * w);
        bad |= ((word & shape.fixedMask) ^ shape.fixedBits) |
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
        const uint32_t mark = trailMarks[static_cast<uint8_t>(p[26 + 2 * s])];
        *bad |= mark & 4;
        marks |= (mark & 3) << (2 * s);
    }
    return marks;
}

#endif

qsizetype usualLine(const char *p, HistoryRecords::Fields *f)
{
    uint32_t badMark = 0;
    const uint32_t marks = marksAt(p, &badMark);
    if (prefixMismatch(p) || badMark)
        return 0;
    const auto two = [p](int i) { return int(digitAt(p, i) * 10 + digitAt(p, i + 1)); };
    f->year = two(1) * 100 + two(3);
    f->month = two(6);
    f->day = two(9);
    const int hour = two(14), minute = two(17), second = two(20);
    if (hour > 23 || minute > 59 || second > 59)
        return 0;
    f->secondOfDay = (hour * 60 + minute) * 60 + second;
    f->marks = marks;

    // The counts, one or two digits (read as numbers, so 02 is 2), each followed by its comma.
    qsizetype i = fixedPrefix;
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

// Reads the lines from p to end into contents. Unless atEnd, the last line may be cut off by the
// end of the bytes at hand: it is left for when more bytes follow, and where it starts returned.
const char *parseLines(const char *p, const char *end, bool atEnd, HistoryFile::Contents &contents,
                       qint64 &lineNumber)
{
    while (p < end) {
        HistoryRecords::Fields fields;
        if (end - p >= longestLine) {
            if (const qsizetype length = usualLine(p, &fields);
                length > 0 && HistoryRecords::fits(fields)) {
                ++lineNumber;
                contents.records.push_back(fields);
                p += length;
                continue;
            }
        }
        const auto *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!lf && !atEnd)
            return p;
        // The file's last line may lack its line end (an editor, or a write cut off just
        // before it); it is read like any other, and a record cut off in mid-line is skipped.
        const char *lineEnd = lf ? lf : end;
        ++lineNumber;
        QByteArrayView line(p, lineEnd - p);
        if (line.endsWith('\r'))
            line.chop(1);
        if (std::optional<HistoryRecord> record = HistoryFile::parseLine(line))
            contents.records.push_back(*record);
        else
            contents.skip(lineNumber);
        p = lf ? lf + 1 : end;
    }
    return p;
}

// Room for the records of a file of this size. Lines are 70 to 76 bytes long; room reserved
// beyond that is never touched, so never takes memory.
std::size_t recordsRoom(qint64 fileSize)
{
    return static_cast<std::size_t>(fileSize / 68 + 1);
}

// Reads the lines of the file from the byte at from up to the byte before upTo (negative: to the
// end), numbered from 1; gives how many there were in lines.
bool readPart(const QString &path, qint64 from, qint64 upTo, std::size_t room,
              HistoryFile::Contents *contents, qint64 *lines, QString *error)
{
    HistoryFile::Contents read;
    try {
        read.records.reserve(room);
    } catch (const std::bad_alloc &) {
        // Only room asked for ahead: the records may still fit as they come.
    }
    qint64 lineNumber = 0;
    const auto take = [&](QByteArrayView bytes, qint64, bool atEnd) {
        const char *begin = bytes.data();
        return parseLines(begin, begin + bytes.size(), atEnd, read, lineNumber) - begin;
    };
    if (!DataFile::readBlocks(path, problem(QString()), HistoryFile::maxFileSize, take, error, from,
                              upTo))
        return false;
    *contents = std::move(read);
    *lines = lineNumber;
    return true;
}

// A long file is read in two halves at once, split where a line starts, each by a thread: the
// window's own thread is idle once it waits for the records, and the machine has a core more.
constexpr qint64 splitFrom = 8 * 1024 * 1024;

bool readFile(const QString &path, HistoryFile::Contents *contents, QString *error)
{
    const qint64 size = QFileInfo(path).size();
    const qint64 split = size >= splitFrom ? DataFile::lineStartAfter(path, size / 2) : -1;
    std::future<bool> secondHalf;
    HistoryFile::Contents second;
    qint64 secondLines = 0;
    QString secondError;
    if (split > 0) {
        try {
            secondHalf = std::async(std::launch::async, [&] {
                return readPart(path, split, -1, recordsRoom(size - split), &second, &secondLines,
                                &secondError);
            });
        } catch (const std::system_error &) {
            // No thread to spare: the file is read whole below.
        }
    }
    qint64 lines = 0;
    const qint64 upTo = secondHalf.valid() ? split : -1;
    const bool firstRead = readPart(path, 0, upTo, recordsRoom(size), contents, &lines, error);
    if (!secondHalf.valid())
        return firstRead;
    if (!secondHalf.get() || !firstRead) {
        if (firstRead)
            *error = secondError;
        return false;
    }
    try {
        contents->records.append(second.records);
    } catch (const std::bad_alloc &) {
        *error = problem(QStringLiteral("を読み込めません。\nメモリが足りません。"));
        return false;
    }
    for (const qint64 line : second.skippedLines) {
        if (contents->skippedLines.size() < HistoryFile::Contents::listedSkipped)
            contents->skippedLines.append(lines + line);
    }
    contents->skippedCount += second.skippedCount;
    return true;
}

} // namespace

HistoryFile::HistoryFile(const QString &path, Disk &disk) : m_path(path), m_disk(disk) {}

HistoryFile::~HistoryFile() = default;

void HistoryFile::readAhead()
{
    if (m_ahead.valid())
        return;
    try {
        m_ahead = std::async(std::launch::async, [path = m_path] {
            Reading reading;
            reading.ok = readFile(path, &reading.contents, &reading.error);
            return reading;
        });
    } catch (const std::system_error &) {
        // No thread to spare: read() reads the file itself.
    }
}

bool HistoryFile::read(Contents *contents, QString *error)
{
    if (m_ahead.valid()) {
        Reading reading = m_ahead.get();
        if (!reading.ok) {
            *error = reading.error;
            return false;
        }
        *contents = std::move(reading.contents);
        return true;
    }
    return readFile(m_path, contents, error);
}

HistoryFile::Contents HistoryFile::parse(QByteArrayView content)
{
    Contents contents;
    contents.records.reserve(recordsRoom(content.size()));
    qint64 lineNumber = 0;
    parseLines(content.data(), content.data() + content.size(), true, contents, lineNumber);
    return contents;
}

std::optional<HistoryRecord> HistoryFile::parseLine(QByteArrayView line)
{
    LineReader reader(line);
    QByteArrayView date, time, marks, rate, seconds;
    if (!reader.quoted(&date) || !reader.comma() || !reader.quoted(&time) || !reader.comma() ||
        !reader.quoted(&marks) || !reader.comma())
        return std::nullopt;
    const QByteArrayView ok = reader.bare();
    if (!reader.comma())
        return std::nullopt;
    const QByteArrayView ng = reader.bare();
    if (!reader.comma() || !reader.quoted(&rate) || !reader.comma() || !reader.quoted(&seconds) ||
        !reader.atEnd())
        return std::nullopt;

    // The counts are read as numbers (02 is 2); every text must be as this program writes it,
    // since the table shows the texts as stored.
    const std::optional<QDate> dateValue = dateField(date);
    const std::optional<QTime> timeValue = timeField(time);
    const std::optional<HistoryRecord::Marks> marksValue = marksField(marks);
    const std::optional<int16_t> okValue = count16(ok, false);
    const std::optional<int16_t> ngValue = count16(ng, false);
    const std::optional<int32_t> rateValue = rateField(rate);
    const std::optional<int16_t> secondsValue = secondsField(seconds);
    if (!dateValue || !timeValue || !marksValue || !okValue || !ngValue || !rateValue ||
        !secondsValue)
        return std::nullopt;
    return HistoryRecord{*dateValue, *timeValue, *marksValue,  *okValue,
                         *ngValue,   *rateValue, *secondsValue};
}

QByteArray HistoryFile::formatLine(const HistoryRecord &record)
{
    const QString quoteCommaQuote = QStringLiteral("\",\"");
    const QString text = u'"' + record.fileDate() + quoteCommaQuote + record.timeText() +
                         quoteCommaQuote + record.marksText() + QStringLiteral("\",") +
                         QString::number(record.ok) + u',' + QString::number(record.ng) +
                         QStringLiteral(",\"") + record.percentText() + quoteCommaQuote +
                         record.secondsText() + QStringLiteral("\"\r\n");
    QByteArray line;
    if (!Cp932::encode(text, &line))
        return {};
    // A line the reader would not read back as this very record (no date or one outside the
    // years 1 to 9999, no time, a rate beyond nine digits) is not written: the next start would
    // skip it and the result would be lost without a word.
    if (parseLine(QByteArrayView(line).chopped(2)) != record)
        return {};
    return line;
}

bool HistoryFile::append(const HistoryRecord &record, QString *error)
{
    QByteArray bytes = formatLine(record);
    if (bytes.isEmpty()) {
        // The texts of a result are digits and marks the code page holds; what can fail is a
        // clock giving a date or time the file cannot hold, or a rate beyond its nine digits.
        *error = problem(QStringLiteral("にこの結果は書けません。日付、時刻または率が、"
                                        "ファイルに書ける範囲を超えています。"));
        return false;
    }
    if (DataFile::isSpecialFile(m_path, problem(QString()), error))
        return false;
    // Unbuffered, so the line reaches the disk in one write and a failure is seen at once.
    QFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        const int failure = QFileInfo(m_path).isDir() ? EISDIR : errno != 0 ? errno : EIO;
        *error = DataFile::cannotWrite(problem(QString()), failure);
        return false;
    }
    // A device such as a pipe has no end to look at and nothing to take back.
    const bool seekable = !file.isSequential();
    const qint64 oldSize = seekable ? file.size() : 0;
    if (oldSize > 0) {
        char last = 0;
        if (!file.seek(oldSize - 1) || !file.getChar(&last)) {
            *error = problem(QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString()));
            return false;
        }
        // A line cut off right after its CR only lacks the LF, and is whole again with it.
        if (last == '\r')
            bytes.prepend('\n');
        else if (last != '\n')
            bytes.prepend("\r\n");
    }
    if (const int failure = m_disk.write(file, bytes); failure != 0) {
        // Take back whatever part of the line did reach the disk.
        if (seekable && file.size() != oldSize)
            file.resize(oldSize);
        *error = DataFile::cannotWrite(problem(QString()), failure);
        return false;
    }
    file.close();
    return true;
}

bool HistoryFile::clear(QString *error)
{
    return DataFile::rewrite(m_path, {}, m_disk, problem(QString()), error);
}
