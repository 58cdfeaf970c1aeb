#include "records/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <vector>

// Loading a long history decodes megabytes, and the system converter spends most of its time
// per call rather than per byte. The code page is a fixed table, so each single byte or byte
// pair is asked of the system converter once and remembered.
namespace {

constexpr char16_t unknown = 0xFFFF; // not asked yet
constexpr char16_t invalid = 0xFFFE; // maps to nothing (neither is ever a decoded character)

bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char16_t askConverter(QByteArrayView bytes)
{
    QStringDecoder decoder("CP932");
    if (!decoder.isValid())
        return invalid;
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.size() != 1)
        return invalid;
    const char16_t c = text.front().unicode();
    return c == unknown ? invalid : c;
}

char16_t singleByte(uchar b)
{
    static std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t;
        t.fill(unknown);
        return t;
    }();
    char16_t &c = table[b];
    if (c == unknown) {
        const char byte = static_cast<char>(b);
        c = askConverter(QByteArrayView(&byte, 1));
    }
    return c;
}

char16_t bytePair(uchar lead, uchar trail)
{
    static std::vector<char16_t> table(0x10000, unknown);
    char16_t &c = table[static_cast<std::size_t>(lead) << 8 | trail];
    if (c == unknown) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        c = askConverter(QByteArrayView(pair, 2));
    }
    return c;
}

} // namespace

bool Cp932::decode(QByteArrayView bytes, QString *text)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    qsizetype n = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uchar>(bytes[i]);
        char16_t c;
        if (b < 0x80) {
            c = b; // code page 932 is ASCII below 80
        } else if (isLeadByte(b)) {
            if (i + 1 == bytes.size())
                return false;
            c = bytePair(b, static_cast<uchar>(bytes[++i]));
        } else {
            c = singleByte(b);
        }
        if (c == invalid)
            return false;
        dst[n++] = c;
    }
    out.truncate(n);
    *text = std::move(out);
    return true;
}

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
