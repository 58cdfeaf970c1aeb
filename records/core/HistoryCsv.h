// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The history as a CSV file for a spreadsheet: UTF-8 with a byte order mark (without it a
// spreadsheet takes the Japanese texts for the local code page), a header row, then one row per
// record with the texts the table shows, every line ended by CR LF.
class HistoryCsv
{
public:
    explicit HistoryCsv(const QStringList &header);

    void addRow(const QStringList &cells);
    const QByteArray &bytes() const { return m_bytes; }

    // A field as CSV writes it: in double quotes, inner quotes doubled, when it holds a comma,
    // a quote or a line break; as it stands otherwise.
    static QString field(const QString &text);

    // Writes the bytes to path as a whole or not at all: an existing file is replaced only once
    // the new one is complete. On failure returns false with a message for the player.
    static bool save(const QString &path, const QByteArray &bytes, QString *error);

private:
    QByteArray m_bytes;
};
