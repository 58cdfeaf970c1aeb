// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history writer and reader together: whatever record the writer turns into a line, the
// reader reads back as the same record. Records are built from the fuzz bytes field by field,
// over every value the record's types can hold.
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class Bytes
{
public:
    Bytes(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    template <typename T> T take()
    {
        T value{};
        const size_t n = std::min(sizeof(T), m_size - m_at);
        std::memcpy(&value, m_data + m_at, n);
        m_at += n;
        return value;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Bytes bytes(data, size);
    HistoryRecord record;
    // A date anywhere QDate can hold one, or none; a time of whole seconds, or none.
    const auto julianDay = bytes.take<int32_t>();
    record.date = bytes.take<uint8_t>() == 0 ? QDate() : QDate::fromJulianDay(julianDay);
    const auto h = bytes.take<uint8_t>(), m = bytes.take<uint8_t>(), s = bytes.take<uint8_t>();
    record.time = QTime(h, m, s);
    for (HistoryRecord::Mark &mark : record.marks)
        mark = static_cast<HistoryRecord::Mark>(bytes.take<uint8_t>() % 3);
    record.ok = bytes.take<int16_t>();
    record.ng = bytes.take<int16_t>();
    record.rateTenths = bytes.take<int32_t>();
    record.seconds = bytes.take<int16_t>();

    const QByteArray line = HistoryLine::format(record);
    if (line.isEmpty())
        return 0; // refused by the writer: nothing reaches the file
    if (!line.endsWith("\r\n"))
        std::abort();
    const std::optional<HistoryRecord> back = HistoryLine::parse(line.chopped(2));
    if (!back || !(*back == record))
        std::abort();
    return 0;
}
