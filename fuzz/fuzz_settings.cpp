// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader on any bytes: it either refuses them with a message or gives values the
// controls can hold, and what it gives is written and read back unchanged.
#include "records/core/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    DrillSettings values;
    QString error;
    if (!SettingsFile::parse(content, &values, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (values.digitCount < SettingsFile::minDigitCount ||
        values.digitCount > SettingsFile::maxDigitCount ||
        values.displaySeconds < SettingsFile::minDisplaySeconds ||
        values.displaySeconds > SettingsFile::maxDisplaySeconds)
        std::abort();
    DrillSettings again;
    if (!SettingsFile::parse(SettingsFile::format(values), &again, &error) || !(again == values))
        std::abort();
    return 0;
}
