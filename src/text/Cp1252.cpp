#include "text/Cp1252.h"

#include <array>

namespace {
// Bytes 0x80 to 0x9F. The five unassigned bytes map to the C1 control of the same value, as
// Windows does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HighTable.size(); ++i) {
        if (HighTable[i] == c)
            return int(0x80 + i);
    }
    return -1;
}
} // namespace

namespace Cp1252 {

QString decode(QByteArrayView bytes)
{
    QString result;
    decodeInto(bytes, result);
    return result;
}

void decodeInto(QByteArrayView bytes, QString &out)
{
    // A shared string would first copy its old text only to have it overwritten.
    if (!out.isDetached())
        out = QString();
    out.resize(bytes.size());
    QChar *to = out.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *to++ = QChar(b >= 0x80 && b <= 0x9F ? HighTable[b - 0x80] : char16_t(b));
    }
}

QByteArray encode(QStringView text)
{
    QByteArray result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A surrogate pair is one character the code page cannot hold: one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int b = encodeChar(c.unicode());
        result.append(b < 0 ? '?' : char(b));
    }
    return result;
}

bool canEncode(QChar ch)
{
    return encodeChar(ch.unicode()) >= 0;
}

} // namespace Cp1252
