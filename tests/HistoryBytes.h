// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The bytes of the documented example: 2001/02/03 04:05:06, three digits, the first two right
// and the third wrong, display time 5 seconds.
inline QByteArray exampleLine()
{
    return QByteArray::fromHex("22323030312f30322f303322"   // "2001/02/03"
                               "2c"                         // ,
                               "2230343a30353a303622"       // "04:05:06"
                               "2c"                         // ,
                               "22819b819b817e"             // "○○×
                               "817c817c817c817c817c817c"   //  －－－－－－
                               "817c817c817c817c817c817c22" //  －－－－－－"
                               "2c322c312c"                 // ,2,1,
                               "2236362e372522"             // "66.7%"
                               "2c"                         // ,
                               "22359562220d0a");           // "5秒" CR LF
}

// A well-formed line for another day, to make histories of some length.
inline QByteArray lineOfDay(int day)
{
    QByteArray line = exampleLine();
    const QByteArray dd = QByteArray::number(day % 28 + 1).rightJustified(2, '0');
    line.replace(9, 2, dd);
    return line;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot open>");
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}
