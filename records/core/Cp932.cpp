// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/Cp932.h"

#include <QStringEncoder>

bool Cp932::encode(QStringView text, QByteArray *bytes)
{
    QStringEncoder encoder("CP932");
    if (!encoder.isValid())
        return false;
    QByteArray out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    *bytes = std::move(out);
    return true;
}
