// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/DrillLogCsv.h"

#include "records/core/HistoryCsv.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

namespace {

QString time(qint64 ms)
{
    return ms < 0 ? QString() : QString::number(ms);
}

} // namespace

QByteArray DrillLogCsv::bytes(const QList<LoggedDrill> &drills)
{
    QStringList cells{
        QStringLiteral("line_number"),  QStringLiteral("saved_at_utc_ms"),
        QStringLiteral("utc_offset_s"), QStringLiteral("saved_at_local"),
        QStringLiteral("digit_count"),  QStringLiteral("display_seconds"),
        QStringLiteral("right_count"),  QStringLiteral("wrong_count"),
        QStringLiteral("answer_ms"),
    };
    const qsizetype perDrill = cells.size();
    for (int slot = 1; slot <= DigitSlots::count; ++slot) {
        for (const char *column : {"shown_", "answer_", "correct_", "entry_ms_", "refills_"})
            cells.append(QLatin1String(column) + QString::number(slot));
    }
    HistoryCsv csv(cells);

    for (const LoggedDrill &drill : drills) {
        const DrillResult &r = drill.result;
        // The local time of the save as the player's clock showed it then.
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(
            drill.savedAtUtcMs + qint64(drill.utcOffsetSeconds) * 1000, QTimeZone::utc());
        cells = {
            QString::number(drill.lineNumber),
            QString::number(drill.savedAtUtcMs),
            QString::number(drill.utcOffsetSeconds),
            local.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz")),
            QString::number(r.digitCount),
            QString::number(r.displaySeconds),
            QString::number(r.right),
            QString::number(r.wrong),
            time(r.answerMs),
        };
        Q_ASSERT(cells.size() == perDrill);
        for (int i = 0; i < DigitSlots::count; ++i) {
            if (i >= r.digitCount) {
                for (int c = 0; c < 5; ++c)
                    cells.append(QString());
                continue;
            }
            cells.append(r.shown.mid(i, 1));
            cells.append(r.answers.value(i));
            cells.append(r.marks[size_t(i)] == DrillResult::Mark::Right ? QStringLiteral("1")
                                                                        : QStringLiteral("0"));
            cells.append(time(r.entryMs.value(i, -1)));
            cells.append(QString::number(r.refills.value(i)));
        }
        csv.addRow(cells);
    }
    return csv.bytes();
}
