// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/HistoryRecord.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// Every record of a history, oldest first, in twelve bytes each: a history of a million results
// takes 12 MB rather than the 40 MB of whole HistoryRecord values. A record of the usual ranges
// (any valid date of the years 1 to 9999, a time in whole seconds, counts up to 15, a rate of 0.0
// to 100.0 %, up to 31 seconds) is packed into bit fields; anything else, which only a file
// edited by hand holds, is kept whole on the side. Records are unpacked on demand, by value.
class HistoryRecords
{
public:
    // The fields of one record as numbers, in the ranges that pack.
    struct Fields
    {
        int year;        // 1 to 9999
        int month;       // 1 to 12
        int day;         // 1 to the month's last day
        int secondOfDay; // 0 to 86399
        uint32_t marks;  // two bits a slot, slot 1 lowest: 0 right, 1 wrong, 2 unused
        int ok;          // 0 to 15
        int ng;          // 0 to 15
        int rateTenths;  // 0 to 1000
        int seconds;     // 0 to 31
    };
    static bool fits(const Fields &f)
    {
        return f.year >= 1 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
               f.day <= daysInMonth(f.year, f.month) && f.secondOfDay >= 0 &&
               f.secondOfDay < 86400 && f.marks < (1u << (2 * HistoryRecord::slotCount)) &&
               f.ok >= 0 && f.ok <= 15 && f.ng >= 0 && f.ng <= 15 && f.rateTenths >= 0 &&
               f.rateTenths <= 1000 && f.seconds >= 0 && f.seconds <= 31;
    }
    // In the proleptic Gregorian calendar, as QDate counts.
    static int daysInMonth(int year, int month)
    {
        static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        return month == 2 && leap ? 29 : days[month - 1];
    }

    // The bytes a record of the usual ranges takes.
    static constexpr std::size_t packedSize = 12;

    HistoryRecords() = default;
    explicit HistoryRecords(const std::vector<HistoryRecord> &records);

    std::size_t size() const { return m_packed.size(); }
    bool empty() const { return m_packed.empty(); }
    HistoryRecord at(std::size_t i) const;
    HistoryRecord operator[](std::size_t i) const { return at(i); }
    HistoryRecord back() const { return at(size() - 1); }

    void reserve(std::size_t n) { m_packed.reserve(n); }
    void push_back(const HistoryRecord &record);
    // A record whose fields fit (see fits()).
    void push_back(const Fields &fields) { m_packed.push_back(pack(fields)); }
    void clear();
    // Adds every record of more after these.
    void append(const HistoryRecords &more);

    class const_iterator
    {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = HistoryRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = HistoryRecord;

        const_iterator(const HistoryRecords *records, std::size_t i) : m_records(records), m_i(i) {}
        HistoryRecord operator*() const { return m_records->at(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        friend bool operator==(const const_iterator &, const const_iterator &) = default;

    private:
        const HistoryRecords *m_records;
        std::size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Packed
    {
        uint32_t marks;      // bits 0-29 the marks; bit 31 set: word1 indexes m_whole instead
        uint32_t dateCounts; // day 5 bits, month 4, year 14, ok 4, ng 4 (from bit 0 up)
        uint32_t timeRate;   // second of the day 17 bits, rate 10, seconds 5
    };
    static_assert(sizeof(Packed) == packedSize);
    static constexpr uint32_t wholeFlag = 0x80000000u;

    static Packed pack(const Fields &f)
    {
        return {f.marks,
                uint32_t(f.day) | uint32_t(f.month) << 5 | uint32_t(f.year) << 9 |
                    uint32_t(f.ok) << 23 | uint32_t(f.ng) << 27,
                uint32_t(f.secondOfDay) | uint32_t(f.rateTenths) << 17 | uint32_t(f.seconds) << 27};
    }

    std::vector<Packed> m_packed;
    std::vector<HistoryRecord> m_whole; // the records that do not pack
};
