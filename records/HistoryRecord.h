#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

// One saved result: a line of the history file and a row of the history table. The texts are
// kept as they were stored and shown unchanged; only the date is read as a calendar date, since
// the table shows it with a two-digit year.
struct HistoryRecord
{
    // The marks text holds one of these per digit slot 1..15.
    static constexpr QChar right = QChar(u'○');
    static constexpr QChar wrong = QChar(u'×');
    static constexpr QChar unused = QChar(u'－'); // slot beyond the digit count
    static constexpr int slotCount = 15;

    QDate date;      // local date of the save
    QString time;    // "hh:mm:ss", local time of the save
    QString marks;   // e.g. "○○×－－－－－－－－－－－－"
    int16_t ok = 0;  // right answers
    int16_t ng = 0;  // wrong answers
    QString rate;    // e.g. "66.7%"
    QString seconds; // display time, e.g. "5秒"

    // The record of a result saved at the local date and time now: marks and counts as scored,
    // the rate of ok over digitCount and the display time in seconds.
    static HistoryRecord ofResult(const QDateTime &now, const QString &marks, int16_t ok,
                                  int16_t ng, int digitCount, int displaySeconds);

    // The date as the file holds it, "2001/02/03".
    QString fileDate() const;
    // The date as the table shows it, with a two-digit year: "01/02/03".
    QString tableDate() const;

    friend bool operator==(const HistoryRecord &, const HistoryRecord &) = default;
};
