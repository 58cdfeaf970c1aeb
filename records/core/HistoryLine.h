// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/Cp932.h"
#include "records/core/HistoryRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <string_view>

// One line of the history file "履歴.txt": the seven fields date, time, marks, right count, wrong
// count, rate and seconds, separated by commas and ended by CR LF, in code page 932. Text fields
// stand in double quotes, the counts are bare:
//   "2001/02/03","04:05:06","○○×－－－－－－－－－－－－",2,1,"66.7%","5秒"
// This is the one place that turns a record into those bytes and those bytes into a record.
class HistoryLine
{
public:
    // One line without its CR LF; nothing when it is not a line this program writes. The counts
    // are read as numbers (02 is 2); the texts must be as this program writes them.
    static std::optional<HistoryRecord> parse(QByteArrayView line);
    // The bytes of one line, CR LF included; empty if the record cannot be written.
    static QByteArray format(const HistoryRecord &record);

    // The part every line this program writes starts with, up to the comma after the marks:
    // Y, M, D, h, m and s stand for the digits of the date and the time, L for the lead byte
    // the three marks share and T for a mark's own trail byte; every other byte is itself.
    static constexpr std::string_view fixedShape = "\"YYYY/MM/DD\",\"hh:mm:ss\","
                                                   "\"LTLTLTLTLTLTLTLTLTLTLTLTLTLTLT\",";
    static constexpr qsizetype fixedSize = qsizetype(fixedShape.size());
    static constexpr char markLead = Cp932::right[0];

    // Where each field's digits or marks start in a written line.
    static constexpr qsizetype yearAt = qsizetype(fixedShape.find('Y'));
    static constexpr qsizetype monthAt = qsizetype(fixedShape.find('M'));
    static constexpr qsizetype dayAt = qsizetype(fixedShape.find('D'));
    static constexpr qsizetype hourAt = qsizetype(fixedShape.find('h'));
    static constexpr qsizetype minuteAt = qsizetype(fixedShape.find('m'));
    static constexpr qsizetype secondAt = qsizetype(fixedShape.find('s'));
    static constexpr qsizetype marksAt = qsizetype(fixedShape.find('L'));
    // A mark's trail byte for slot i (from 0).
    static constexpr qsizetype trailAt(int slot) { return marksAt + 2 * slot + 1; }

    // A line at its shortest and its longest: the fixed part, then the counts, the rate and the
    // seconds of a result of 0 right and 0 wrong, 0.0 % and 0 seconds, and of 15 and 15, 100.0 %
    // and 30 seconds, with the line end ("__" for the two bytes of "秒").
    static constexpr qsizetype shortestLine =
        fixedSize + qsizetype(std::string_view("0,0,\"0.0%\",\"0__\"\r\n").size());
    static constexpr qsizetype longestLine =
        fixedSize + qsizetype(std::string_view("15,15,\"100.0%\",\"30__\"\r\n").size());

    // The longest count parse() reads: a sign and eight digits, leading zeros included (002 is 2).
    static constexpr qsizetype longestCount = 9;
    // The longest line parse() can read a record from, without its line end: each field at its
    // longest (a count of longestCount characters, a rate of eight digits and a sign, seconds of
    // a sign and five digits). A longer line is no record, however it goes on.
    static constexpr qsizetype longestReadable =
        qsizetype(std::string_view("\"0000/00/00\",\"00:00:00\",\"LTLTLTLTLTLTLTLTLTLTLTLTLTLTLT\","
                                   "-00000000,-00000000,\"-99999999.9%\",\"-32768__\"")
                      .size());
};

// The marks share one lead byte, each slot's trail byte lies where trailAt() says, and the seconds
// unit takes the two bytes the line lengths count for it.
static_assert(HistoryLine::markLead == Cp932::wrong[0] &&
              HistoryLine::markLead == Cp932::unused[0] && Cp932::secondsUnit.size() == 2);
static_assert(HistoryLine::fixedShape.find('T') == size_t(HistoryLine::trailAt(0)) &&
              HistoryLine::fixedShape.find_last_of('T') ==
                  size_t(HistoryLine::trailAt(HistoryRecord::slotCount - 1)) &&
              HistoryLine::fixedShape.back() == ',');
// Every line this program writes is one parse() can read.
static_assert(HistoryLine::longestReadable >= HistoryLine::longestLine - 2);
