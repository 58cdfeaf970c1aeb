// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/HistoryRecords.h"

namespace {

constexpr int markBits = 2;

} // namespace

HistoryRecords::HistoryRecords(const std::vector<HistoryRecord> &records)
{
    reserve(records.size());
    for (const HistoryRecord &record : records)
        push_back(record);
}

void HistoryRecords::push_back(const HistoryRecord &record)
{
    Fields fields{};
    bool packs = record.date.isValid() && record.time.isValid() && record.time.msec() == 0;
    if (packs) {
        fields = {record.date.year(),
                  record.date.month(),
                  record.date.day(),
                  record.time.msecsSinceStartOfDay() / 1000,
                  0,
                  record.ok,
                  record.ng,
                  record.rateTenths,
                  record.seconds};
        for (int i = 0; i < HistoryRecord::slotCount; ++i) {
            const auto mark = static_cast<uint32_t>(record.marks[static_cast<size_t>(i)]);
            packs = packs && mark <= static_cast<uint32_t>(HistoryRecord::Mark::Unused);
            fields.marks |= mark << (markBits * i);
        }
        packs = packs && fits(fields);
    }
    if (packs) {
        m_packed.push_back(pack(fields));
        return;
    }
    m_packed.push_back({wholeFlag, static_cast<uint32_t>(m_whole.size()), 0});
    m_whole.push_back(record);
}

HistoryRecord HistoryRecords::at(std::size_t i) const
{
    const Packed &p = m_packed.at(i);
    if (p.marks & wholeFlag)
        return m_whole[p.dateCounts];
    HistoryRecord record;
    record.date = QDate(int(p.dateCounts >> 9 & 0x3FFF), int(p.dateCounts >> 5 & 0xF),
                        int(p.dateCounts & 0x1F));
    record.time = QTime::fromMSecsSinceStartOfDay(int(p.timeRate & 0x1FFFF) * 1000);
    for (int s = 0; s < HistoryRecord::slotCount; ++s)
        record.marks[static_cast<size_t>(s)] =
            static_cast<HistoryRecord::Mark>(p.marks >> (markBits * s) & 3);
    record.ok = int16_t(p.dateCounts >> 23 & 0xF);
    record.ng = int16_t(p.dateCounts >> 27 & 0xF);
    record.rateTenths = int32_t(p.timeRate >> 17 & 0x3FF);
    record.seconds = int16_t(p.timeRate >> 27 & 0x1F);
    return record;
}

void HistoryRecords::clear()
{
    m_packed.clear();
    m_packed.shrink_to_fit();
    m_whole.clear();
    m_whole.shrink_to_fit();
}

void HistoryRecords::append(const HistoryRecords &more)
{
    const auto wholeBefore = static_cast<uint32_t>(m_whole.size());
    m_packed.reserve(m_packed.size() + more.m_packed.size());
    for (Packed p : more.m_packed) {
        if (p.marks & wholeFlag)
            p.dateCounts += wholeBefore;
        m_packed.push_back(p);
    }
    m_whole.insert(m_whole.end(), more.m_whole.begin(), more.m_whole.end());
}
