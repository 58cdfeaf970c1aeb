#include "records/HistoryFile.h"

#include "records/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString problem(const QString &what)
{
    return QStringLiteral("履歴ファイル「%1」%2").arg(HistoryFile::fileName(), what);
}

// Reads the text field in double quotes that starts at pos; it ends at the closing quote.
bool quotedField(QByteArrayView line, qsizetype &pos, QString *text)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    const qsizetype close = line.indexOf('"', pos + 1);
    if (close < 0)
        return false;
    const QByteArrayView bytes = line.sliced(pos + 1, close - pos - 1);
    pos = close + 1;
    return Cp932::decode(bytes, text);
}

// Reads the bare whole number that starts at pos and ends before the next comma. Leading zeros
// are allowed; the value must fit a signed 16-bit count.
bool numberField(QByteArrayView line, qsizetype &pos, int16_t *number)
{
    qsizetype end = line.indexOf(',', pos);
    if (end < 0)
        end = line.size();
    qsizetype i = pos;
    const bool negative = i < end && line[i] == '-';
    if (negative)
        ++i;
    if (i == end)
        return false;
    int value = 0;
    for (; i < end; ++i) {
        const char c = line[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > 32768)
            return false;
    }
    value = negative ? -value : value;
    if (value > 32767)
        return false;
    *number = static_cast<int16_t>(value);
    pos = end;
    return true;
}

bool comma(QByteArrayView line, qsizetype &pos)
{
    if (pos >= line.size() || line[pos] != ',')
        return false;
    ++pos;
    return true;
}

// A calendar date written year/month/day in digits, such as 2001/02/03.
std::optional<QDate> calendarDate(const QString &text)
{
    const QList<QStringView> parts = QStringView(text).split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3] = {};
    const int maxDigits[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        const QStringView part = parts.at(p);
        if (part.isEmpty() || part.size() > maxDigits[p])
            return std::nullopt;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        numbers[p] = part.toInt();
    }
    const QDate date(numbers[0], numbers[1], numbers[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

HistoryFile::HistoryFile(const QString &path) : m_path(path) {}

HistoryFile::~HistoryFile() = default;

bool HistoryFile::read(Contents *contents, QString *error) const
{
    if (!QFileInfo::exists(m_path)) {
        *error = problem(QStringLiteral("が見つかりません。"));
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = problem(QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString()));
        return false;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = problem(QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString()));
        return false;
    }
    *contents = parse(content);
    return true;
}

HistoryFile::Contents HistoryFile::parse(QByteArrayView content)
{
    Contents contents;
    contents.records.reserve(static_cast<std::size_t>(content.size() / 76 + 1));
    qint64 lineNumber = 0;
    qsizetype start = 0;
    while (start < content.size()) {
        ++lineNumber;
        const qsizetype lf = content.indexOf('\n', start);
        if (lf < 0) {
            // Cut off before its line end: whatever it holds, it was never finished.
            contents.skippedLines.append(lineNumber);
            break;
        }
        QByteArrayView line = content.sliced(start, lf - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (std::optional<HistoryRecord> record = parseLine(line))
            contents.records.push_back(std::move(*record));
        else
            contents.skippedLines.append(lineNumber);
        start = lf + 1;
    }
    return contents;
}

std::optional<HistoryRecord> HistoryFile::parseLine(QByteArrayView line)
{
    HistoryRecord record;
    QString date;
    qsizetype pos = 0;
    if (!quotedField(line, pos, &date) || !comma(line, pos) ||
        !quotedField(line, pos, &record.time) || !comma(line, pos) ||
        !quotedField(line, pos, &record.marks) || !comma(line, pos) ||
        !numberField(line, pos, &record.ok) || !comma(line, pos) ||
        !numberField(line, pos, &record.ng) || !comma(line, pos) ||
        !quotedField(line, pos, &record.rate) || !comma(line, pos) ||
        !quotedField(line, pos, &record.seconds) || pos != line.size())
        return std::nullopt;
    const std::optional<QDate> calendar = calendarDate(date);
    if (!calendar)
        return std::nullopt;
    record.date = *calendar;
    return record;
}

QByteArray HistoryFile::formatLine(const HistoryRecord &record)
{
    const QString quoteCommaQuote = QStringLiteral("\",\"");
    const QString text = u'"' + record.fileDate() + quoteCommaQuote + record.time +
                         quoteCommaQuote + record.marks + QStringLiteral("\",") +
                         QString::number(record.ok) + u',' + QString::number(record.ng) +
                         QStringLiteral(",\"") + record.rate + quoteCommaQuote + record.seconds +
                         QStringLiteral("\"\r\n");
    QByteArray line;
    if (!Cp932::encode(text, &line))
        return {};
    return line;
}

bool HistoryFile::append(const HistoryRecord &record, QString *error)
{
    QByteArray bytes = formatLine(record);
    if (bytes.isEmpty()) {
        *error = problem(QStringLiteral("に書けない文字が含まれています。"));
        return false;
    }
    // Unbuffered, so the line reaches the disk in one write and a failure is seen at once.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = problem(QStringLiteral("に書き込めません。\n（%1）").arg(file.errorString()));
        return false;
    }
    // A device such as a pipe has no end to look at and nothing to take back.
    const bool seekable = !file.isSequential();
    const qint64 oldSize = seekable ? file.size() : 0;
    if (oldSize > 0) {
        char last = 0;
        if (!file.seek(oldSize - 1) || !file.getChar(&last)) {
            *error = problem(QStringLiteral("を読み込めません。\n（%1）").arg(file.errorString()));
            return false;
        }
        if (last != '\n')
            bytes.prepend("\r\n");
    }
    if (writeToDisk(file, bytes) != bytes.size()) {
        const QString reason = file.errorString();
        // Take back whatever part of the line did reach the disk.
        if (seekable && file.size() != oldSize)
            file.resize(oldSize);
        *error = problem(QStringLiteral("に書き込めません。\n（%1）").arg(reason));
        return false;
    }
    file.close();
    return true;
}

bool HistoryFile::clear(QString *error)
{
    // Through a new empty file that replaces the old one, so a failure keeps the old content.
    QSaveFile file(m_path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || !commitToDisk(file)) {
        *error = problem(QStringLiteral("を空にできません。\n（%1）").arg(file.errorString()));
        return false;
    }
    return true;
}

qint64 HistoryFile::writeToDisk(QFileDevice &file, QByteArrayView bytes)
{
    return file.write(bytes.data(), bytes.size());
}

bool HistoryFile::commitToDisk(QSaveFile &file)
{
    return file.commit();
}
