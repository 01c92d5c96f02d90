#include "cli/JsonWriter.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>

namespace {

// The buffer goes out once it holds this much.
constexpr qsizetype FlushSize = 1 << 20;

char hexDigit(unsigned value)
{
    return "0123456789abcdef"[value & 0xF];
}

// An escape of Qt's writer for a character below 0x80, or nullptr when the character stands as it is.
const char *shortEscape(char16_t c)
{
    switch (c) {
    case u'"':
        return "\\\"";
    case u'\\':
        return "\\\\";
    case u'\b':
        return "\\b";
    case u'\f':
        return "\\f";
    case u'\n':
        return "\\n";
    case u'\r':
        return "\\r";
    case u'\t':
        return "\\t";
    default:
        return nullptr;
    }
}

void appendUnicodeEscape(QByteArray &out, char16_t c)
{
    const char escape[] = {'\\', 'u', hexDigit(c >> 12), hexDigit(c >> 8), hexDigit(c >> 4), hexDigit(c), 0};
    out.append(escape, 6);
}

} // namespace

void appendJsonString(QByteArray &out, QStringView text)
{
    out.append('"');
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p != end) {
        // A run of plain ASCII goes in one piece.
        const char16_t *run = p;
        while (p != end && *p >= 0x20 && *p < 0x80 && *p != u'"' && *p != u'\\')
            ++p;
        if (p != run) {
            const qsizetype start = out.size();
            out.resize(start + (p - run));
            char *dest = out.data() + start;
            for (const char16_t *c = run; c != p; ++c)
                *dest++ = char(*c);
        }
        if (p == end)
            break;
        const char16_t c = *p++;
        if (c < 0x80) {
            if (const char *escape = shortEscape(c))
                out.append(escape);
            else
                appendUnicodeEscape(out, c);
        } else if (c < 0x800) {
            out.append(char(0xC0 | (c >> 6)));
            out.append(char(0x80 | (c & 0x3F)));
        } else if (QChar::isHighSurrogate(c) && p != end && QChar::isLowSurrogate(*p)) {
            const char32_t u = QChar::surrogateToUcs4(c, *p++);
            out.append(char(0xF0 | (u >> 18)));
            out.append(char(0x80 | ((u >> 12) & 0x3F)));
            out.append(char(0x80 | ((u >> 6) & 0x3F)));
            out.append(char(0x80 | (u & 0x3F)));
        } else if (QChar::isSurrogate(c)) {
            // A surrogate without its partner has no UTF-8 form.
            appendUnicodeEscape(out, c);
        } else {
            out.append(char(0xE0 | (c >> 12)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
            out.append(char(0x80 | (c & 0x3F)));
        }
    }
    out.append('"');
}

JsonWriter::JsonWriter(QIODevice &out) : m_out(out)
{
    m_buffer.reserve(FlushSize + FlushSize / 4);
}

JsonWriter::~JsonWriter()
{
    flush();
}

JsonWriter &JsonWriter::raw(QByteArrayView text)
{
    m_buffer.append(text);
    flushIfFull();
    return *this;
}

JsonWriter &JsonWriter::string(QStringView text)
{
    appendJsonString(m_buffer, text);
    flushIfFull();
    return *this;
}

JsonWriter &JsonWriter::key(QStringView key)
{
    appendJsonString(m_buffer, key);
    m_buffer.append(": ");
    return *this;
}

JsonWriter &JsonWriter::number(qint64 value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_buffer.append(digits, result.ptr - digits);
    return *this;
}

JsonWriter &JsonWriter::number(double value)
{
    if (std::trunc(value) == value && std::abs(value) < 9007199254740992.0)
        return number(qint64(value));
    // Rare enough to leave the spelling of fractions and exponents to Qt itself.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    m_buffer.append(text.mid(1, text.size() - 2));
    return *this;
}

JsonWriter &JsonWriter::boolean(bool value)
{
    m_buffer.append(value ? "true" : "false");
    return *this;
}

void JsonWriter::flush()
{
    if (!m_buffer.isEmpty())
        m_out.write(m_buffer);
    m_buffer.resize(0); // keeps the capacity
}

void JsonWriter::flushIfFull()
{
    if (m_buffer.size() >= FlushSize)
        flush();
}
