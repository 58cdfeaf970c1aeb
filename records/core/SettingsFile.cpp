// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/core/SettingsFile.h"

#include "files/DataFile.h"
#include "files/ShownText.h"

#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <limits>

namespace {

QString problem(const QString &what)
{
    return QStringLiteral("設定ファイル「%1」%2").arg(SettingsFile::fileName(), what);
}

// Splits off the first three fields. A field ends at a comma or a line end (CR LF, CR or LF);
// a line end straight after a comma does not open a further field.
QList<QByteArray> firstThreeFields(const QByteArray &content)
{
    QList<QByteArray> fields;
    QByteArray field;
    bool afterComma = false;
    // A UTF-8 byte-order mark, which an editor elsewhere may put before the line, is passed over
    // like the spaces before a field.
    const qsizetype start = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = start; i < content.size() && fields.size() < 3; ++i) {
        const char c = content.at(i);
        if (c == ',') {
            fields.append(field);
            field.clear();
            afterComma = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
                ++i;
            if (!afterComma || !field.isEmpty())
                fields.append(field);
            field.clear();
            afterComma = false;
        } else {
            field.append(c);
            afterComma = false;
        }
    }
    if (fields.size() < 3 && !field.isEmpty())
        fields.append(field);
    return fields;
}

// A whole decimal number with an optional sign. One too long for 64 bits is still a number and
// is saturated by its sign: it is clamped into range afterwards like any other.
bool parseWholeNumber(const QByteArray &text, qlonglong *number)
{
    const qsizetype start = text.startsWith('-') || text.startsWith('+') ? 1 : 0;
    if (text.size() == start)
        return false;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text.at(i) < '0' || text.at(i) > '9')
            return false;
    }
    bool ok = false;
    *number = text.toLongLong(&ok);
    if (!ok)
        *number = text.startsWith('-') ? std::numeric_limits<qlonglong>::min()
                                       : std::numeric_limits<qlonglong>::max();
    return true;
}

int16_t clampTo(qlonglong value, int16_t low, int16_t high)
{
    return static_cast<int16_t>(std::clamp<qlonglong>(value, low, high));
}

} // namespace

SettingsFile::SettingsFile(const QString &path, Disk &disk) : m_path(path), m_disk(disk) {}

bool SettingsFile::read(DrillSettings *values, QString *error) const
{
    QByteArray content;
    if (!DataFile::readAll(m_path, problem(QString()), maxFileSize, &content, error))
        return false;
    return parse(content, values, error);
}

bool SettingsFile::parse(const QByteArray &content, DrillSettings *values, QString *error)
{
    const QList<QByteArray> fields = firstThreeFields(content);
    if (fields.size() < 3) {
        *error = problem(QStringLiteral("の値が足りません（問題数、表示秒数、自動保存の"
                                        "3つが必要です）。"));
        return false;
    }
    qlonglong numbers[3] = {};
    for (int f = 0; f < 3; ++f) {
        const QByteArray text = fields.at(f).trimmed();
        qlonglong n = 0;
        const bool ok = parseWholeNumber(text, &n);
        if (!ok) {
            *error = problem(QStringLiteral("の%1番目の値「%2」は数値ではありません。")
                                 .arg(f + 1)
                                 .arg(ShownText::excerpt(text)));
            return false;
        }
        numbers[f] = n;
    }
    values->digitCount = clampTo(numbers[0], minDigitCount, maxDigitCount);
    values->displaySeconds = clampTo(numbers[1], minDisplaySeconds, maxDisplaySeconds);
    values->autoSave = clampTo(numbers[2], 0, 1) == 1;
    return true;
}

QByteArray SettingsFile::format(const DrillSettings &values)
{
    return QByteArray::number(values.digitCount) + ',' + QByteArray::number(values.displaySeconds) +
           ',' + QByteArray::number(values.autoSave ? 1 : 0) + "\r\n";
}

bool SettingsFile::write(const DrillSettings &values, QString *error)
{
    return DataFile::rewrite(m_path, format(values), m_disk, problem(QString()), error);
}
