// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryLine.h"

#include <cstdint>
#include <utility>

namespace {

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

} // namespace

std::optional<HistoryRecord> HistoryLine::parse(QByteArrayView line)
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
        !reader.atEnd() || ok.size() > longestCount || ng.size() > longestCount)
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

QByteArray HistoryLine::format(const HistoryRecord &record)
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
    if (parse(QByteArrayView(line).chopped(2)) != record)
        return {};
    return line;
}
