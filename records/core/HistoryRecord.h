// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/DigitSlots.h"
#include "base/DrillResult.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>

// One saved result: a line of the history file and a row of the history table. A long history
// is held in memory whole, so a record keeps its fields as numbers and gives their texts on
// demand, exactly as the file holds them.
struct HistoryRecord
{
    // The marks of the result it records: Right "○", Wrong "×", Unused "－".
    using Mark = DrillResult::Mark;
    using Marks = DrillResult::Marks; // slot 1 first
    static constexpr int slotCount = DigitSlots::count;

    QDate date;             // local date of the save
    QTime time;             // local time of the save, whole seconds
    Marks marks{};          // one mark per digit slot
    int16_t ok = 0;         // right answers
    int16_t ng = 0;         // wrong answers
    int32_t rateTenths = 0; // rate correct in tenths of a percent: 667 is 66.7%
    int16_t seconds = 0;    // display time

    // The record of a result saved at the local date and time now: its marks, counts and display
    // seconds, and the rate of its right answers over its own digit count.
    static HistoryRecord ofResult(const QDateTime &now, const DrillResult &result);

    static QChar markChar(Mark mark);

    QString fileDate() const;    // "2001/02/03"
    QString tableDate() const;   // "01/02/03", the year with two digits
    QString timeText() const;    // "04:05:06"
    QString marksText() const;   // "○○×－－－－－－－－－－－－"
    QString percentText() const; // "66.7%"
    QString secondsText() const; // "5秒"

    friend bool operator==(const HistoryRecord &, const HistoryRecord &) = default;
};
