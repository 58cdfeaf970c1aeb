// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/core/PracticeDays.h"

#include <QDate>
#include <QList>
#include <QString>

class SpanEstimate;
enum class ErrorKind;

// The texts of the statistics window's figures.
namespace StatsText {

// A rate in tenths of a percent, rounded to a whole tenth (halves away from zero), written as
// the history writes rates: "66.7%".
QString percent(double tenths);
// A date in full, as the history file writes it: "2024/04/01"; empty for no date.
QString date(QDate date);
// "5 桁"
QString digitCount(int digits);
// The entry for every digit count together.
QString allDigitCounts();
// "12 日"
QString days(int days);
// "5 秒"; everyDisplayTime (any negative) gives "すべて".
QString displayTime(int seconds);
// The sizes of a row's groups as a player reads them: "3-3-2".
QString grouping(const QList<int> &groups);
// The name of a kind of error: "隣どうしの入れ替え".
QString errorKind(ErrorKind kind);
// A number of digits to a tenth: "6.4 桁".
QString digits(double digits);
// A day of the practice calendar: "2024/03/05（火）：3 回、平均正解率 72.4%".
QString practiceDay(QDate date, const PracticeDays::Day &day);
// The span estimate with its interval, "推定スパン：6.4 桁（95% 区間 5.9～6.9 桁）", or the
// sentence saying what it still needs.
QString spanEstimate(const SpanEstimate &estimate);

// A sentence made to wrap as Japanese is read, a phrase at a time: a line may break after 、 and
// 。, after a closing bracket, and where a run of kana endings gives way to the next word (after
// 「推定スパンが」, not inside 「スパン」 or 「18 回」). Elsewhere the characters are joined by
// U+2060 WORD JOINER, and a space between a figure and its word becomes U+00A0. What the sentence
// says is unchanged: plainSentence gives it back.
QString phrased(const QString &sentence);
QString plainSentence(const QString &shown);

} // namespace StatsText
