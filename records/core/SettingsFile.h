// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/DrillSettings.h"

#include "base/DigitSlots.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class Disk;

// The settings file "設定.txt": one ASCII line "digits,seconds,autosave" ended by CR LF, e.g.
// the seven bytes "7,5,1\r\n". This is the one place that reads and writes those bytes.
class SettingsFile
{
public:
    static constexpr int16_t minDigitCount = 1;
    static constexpr int16_t maxDigitCount = DigitSlots::count;
    static constexpr int16_t minDisplaySeconds = 0;
    static constexpr int16_t maxDisplaySeconds = 30;

    static QString fileName() { return QStringLiteral("設定.txt"); }
    // The largest settings file read; its one line takes a few bytes.
    static constexpr qint64 maxFileSize = qint64(1) << 20;

    // The file at path, written through disk.
    explicit SettingsFile(const QString &path, Disk &disk);

    // Reads the three values from the file. DrillSettings outside what the controls can produce are
    // clamped into range. On failure returns false and a message for the player naming the file
    // and the problem.
    bool read(DrillSettings *values, QString *error) const;

    // Parses the file's content: the first three fields, each ended by a comma or a line end,
    // leading spaces skipped; anything after the third field is ignored.
    static bool parse(const QByteArray &content, DrillSettings *values, QString *error);

    // The whole content of the file for the given values.
    static QByteArray format(const DrillSettings &values);

    // Replaces the file's content with the given values. A failure at any step leaves the old
    // content byte for byte; it returns false and a message saying why.
    bool write(const DrillSettings &values, QString *error);

private:
    QString m_path;
    Disk &m_disk;
};
