// The text helpers every reader is built on, on arbitrary text.
//
// Properties: the Windows-1252 codec gives back every byte exactly and turns only characters the
// code page lacks into "?"; list fields are the pieces between separators outside double quotes;
// a key line's value is what follows the first "=", at most 1023 characters, without trailing
// blanks; the number parsers agree with the standard library's; entities, colours and number bases
// convert back to what they came from.

#include "FuzzSupport.h"

#include "text/Cp1252.h"
#include "text/Entities.h"
#include "text/KeyValue.h"
#include "text/Numbers.h"
#include "text/OperationError.h"

#include <QStringList>

#include <charconv>
#include <optional>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

// Splits at sep wherever it stands outside double quotes (a quote toggles wherever it stands).
QStringList fieldsOutsideQuotes(const QString &s, QChar sep)
{
    QStringList fields{QString()};
    bool inQuotes = false;
    for (const QChar c : s) {
        if (c == u'"')
            inQuotes = !inQuotes;
        if (c == sep && !inQuotes)
            fields.append(QString());
        else
            fields.last().append(c);
    }
    return fields;
}

void checkListFields(const QString &s, QChar sep)
{
    const QStringList fields = fieldsOutsideQuotes(s, sep);
    // One field more than there are separators, and one to look beyond the end.
    for (int n = 1; n <= fields.size() + 1 && n <= 12; ++n) {
        const QString expected = fields.value(n - 1);
        if (sep == u';')
            Fuzz::check(ListField(n, s) == expected, "ListField gives the piece between separators", s);
        // Field 1 of a text that begins with its separator, or has none, is the whole text.
        const bool whole = n == 1 && (s.startsWith(sep) || fields.size() == 1);
        Fuzz::check(ListFieldSep(n, s, sep) == (whole ? s : expected), "ListFieldSep gives the piece between separators",
                    s);
    }
}

void checkKeyLine(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    qsizetype start = 0;
    while (start < qsizetype(eq) && line.at(start).unicode() <= 32)
        ++start;
    const QString key = eq < 0 ? line : line.mid(start, eq - start);
    QString value = line;
    const bool found = IsKey(key, value);
    Fuzz::check(found == (eq >= 0), "a line with \"=\" carries the key before it", line);
    if (!found) {
        Fuzz::check(value == line, "a line without the key stays as it was", line);
        return;
    }
    Fuzz::check(value.size() <= KeyValue::MaxValueLength, "a value holds at most 1023 characters", line);
    Fuzz::check(value.isEmpty() || value.back().unicode() > 32, "a value loses its trailing blanks", line);
    Fuzz::check(value != u";"_s, "a value of a lone \";\" is empty", line);
    Fuzz::check(line.mid(eq + 1).startsWith(value), "the value is the text after the first \"=\"", line);
    QString other = line;
    Fuzz::check(!IsKey(key + u'x', other) && other == line, "another key does not match", line);
}

// The standard library's reading of a decimal or hexadecimal whole number in 32 bits.
std::optional<qint32> referenceNumber(const QString &s, bool allowHexAndBlanks)
{
    std::string text;
    for (const QChar c : s) {
        if (c.unicode() > 127)
            return std::nullopt;
        text += char(c.unicode());
    }
    std::size_t i = 0;
    if (allowHexAndBlanks) {
        while (i < text.size() && text[i] == ' ')
            ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (allowHexAndBlanks && text.compare(i, 1, "$") == 0) {
        base = 16;
        i += 1;
    } else if (allowHexAndBlanks && (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0)) {
        base = 16;
        i += 2;
    }
    if (i >= text.size() || text[i] == '+' || text[i] == '-')
        return std::nullopt;
    unsigned long long magnitude = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + i, end, magnitude, base);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFULL)
            return std::nullopt;
        const quint32 bits = negative ? 0U - quint32(magnitude) : quint32(magnitude);
        return qint32(bits);
    }
    if (magnitude > (negative ? 2147483648ULL : 2147483647ULL))
        return std::nullopt;
    return qint32(negative ? -qint64(magnitude) : qint64(magnitude));
}

void checkNumbers(const QString &s, bool withThrowingParsers)
{
    Fuzz::check(parseWholeDecimal(s) == referenceNumber(s, false), "decimal numbers as the standard library reads them",
                s);
    const std::optional<qint32> whole = parseWholeNumber(s);
    Fuzz::check(whole == referenceNumber(s, true), "whole numbers as the standard library reads them", s);
    const std::optional<bool> truth = parseTruthValue(s);
    if (whole)
        Fuzz::check(truth == (*whole != 0), "a number is true unless it is 0", s);
    if (!withThrowingParsers)
        return;
    try {
        const qint32 value = StrToInt(s);
        Fuzz::check(whole && value == *whole, "StrToInt takes every whole number", s);
    } catch (const OperationError &e) {
        Fuzz::check(!whole && e.message() == u"'"_s + s + u"' ist kein gültiger Integerwert"_s,
                    "StrToInt refuses only what is no whole number", s);
    }
    try {
        const bool value = StrToBool(s);
        Fuzz::check(truth && value == *truth, "StrToBool takes every truth value", s);
    } catch (const OperationError &) {
        Fuzz::check(!truth, "StrToBool refuses only what is no truth value", s);
    }
}

void checkCodec(const QByteArray &bytes)
{
    const QString text = Cp1252::decode(bytes);
    Fuzz::check(text.size() == bytes.size(), "every byte decodes to one character");
    Fuzz::check(Cp1252::encode(text) == bytes, "every byte survives a round trip");

    // The same bytes as UTF-16 code units: what a user could type or paste.
    QString typed(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < typed.size(); ++i)
        typed[i] = QChar(char16_t(quint8(bytes[2 * i]) | quint8(bytes[2 * i + 1]) << 8));
    const QByteArray encoded = Cp1252::encode(typed);
    const QString back = Cp1252::decode(encoded);
    qsizetype at = 0;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate();
        Fuzz::check(at < encoded.size(), "each character gives one byte");
        Fuzz::check(back.at(at) == (!pair && Cp1252::canEncode(c) ? c : QChar(u'?')),
                    "a character is written as itself or as \"?\"");
        ++at;
        if (pair)
            ++i;
    }
    Fuzz::check(at == encoded.size(), "each character gives one byte");
}

void checkConversions(const QString &s, const QByteArray &bytes)
{
    const QString umlauts = EntitiesToUmlauts(s);
    Fuzz::check(EntitiesToUmlauts(UmlautsToEntities(umlauts)) == umlauts, "a text read comes back after writing", s);
    if (!s.contains(u'&'))
        Fuzz::check(EntitiesToUmlauts(UmlautsToEntities(s)) == s, "typed text comes back after writing", s);

    if (bytes.size() >= 4) {
        quint32 bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= quint32(quint8(bytes[i])) << (8 * i);
        const TColor colour = TColor(bits & 0xFFFFFF);
        Fuzz::check(TextToColor(ColorToText(colour)) == colour, "a colour comes back from its text");
        const QString colourText = ColorToText(colour);
        Fuzz::check(ColorToText(TextToColor(colourText.toLower())) == colourText, "colour text in any letter case");
        Fuzz::check(ColorToText(TColor(bits | 0x80000000u)) == u"FFFFFF"_s, "a system colour is written white");

        const qint32 value = qint32(bits & 0x7FFFFFFF);
        const qint32 radix = 2 + qint32(bits >> 27) % 35;
        Fuzz::check(RadixToInt(IntToRadix(value, radix), radix) == value, "a number comes back from its digits");
        Fuzz::check(parseWholeDecimal(QString::number(qint32(bits))) == qint32(bits), "a number reads back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the helpers, the rest is their input.
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    Fuzz::AllocationBound bound(size);
    const QString text = Cp1252::decode(bytes);
    // A few lines show every rule; more would only cost time.
    const QStringList lines = text.split(u'\n').mid(0, 16);
    switch (data[0] % 5) {
    case 0:
        checkCodec(bytes);
        break;
    case 1:
        checkConversions(text, bytes);
        break;
    case 2:
        for (const QString &line : lines)
            checkKeyLine(line);
        break;
    case 3:
        for (const QString &line : lines) {
            const QString start = line.left(256);
            checkListFields(start, u';');
            checkListFields(start, u'@');
            checkListFields(start, QChar(11));
        }
        break;
    default:
        for (qsizetype i = 0; i < lines.size(); ++i)
            checkNumbers(lines.at(i), i < 4);
        break;
    }
    return 0;
}
