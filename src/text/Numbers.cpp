#include "text/Numbers.h"

#include "text/OperationError.h"

namespace {
int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDecimalDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Sign and decimal digits from position i to the end; nothing else may follow.
std::optional<qint32> decimalFrom(QStringView s, qsizetype i)
{
    bool negative = false;
    if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+')) {
        negative = s.at(i) == u'-';
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 value = 0;
    for (; i < s.size(); ++i) {
        if (!isDecimalDigit(s.at(i)))
            return std::nullopt;
        value = value * 10 + (s.at(i).unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}
} // namespace

std::optional<qint32> parseWholeNumber(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == u' ')
        ++i;
    bool negative = false;
    qsizetype afterSign = i;
    if (afterSign < s.size() && (s.at(afterSign) == u'-' || s.at(afterSign) == u'+')) {
        negative = s.at(afterSign) == u'-';
        ++afterSign;
    }
    qsizetype hexStart = -1;
    if (afterSign < s.size() && s.at(afterSign) == u'$')
        hexStart = afterSign + 1;
    else if (afterSign + 1 < s.size() && s.at(afterSign) == u'0' &&
             (s.at(afterSign + 1) == u'x' || s.at(afterSign + 1) == u'X'))
        hexStart = afterSign + 2;
    if (hexStart < 0)
        return decimalFrom(s, i);

    if (hexStart >= s.size())
        return std::nullopt;
    quint64 value = 0;
    for (qsizetype k = hexStart; k < s.size(); ++k) {
        const int digit = hexDigit(s.at(k));
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFULL)
            return std::nullopt;
    }
    quint32 bits = quint32(value);
    if (negative)
        bits = 0U - bits;
    return qint32(bits);
}

std::optional<qint32> parseWholeDecimal(QStringView s)
{
    return decimalFrom(s, 0);
}

std::optional<bool> parseTruthValue(QStringView s)
{
    if (const auto number = parseWholeNumber(s))
        return *number != 0;
    if (s.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (s.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

qint32 StrToInt(const QString &s)
{
    if (const auto number = parseWholeNumber(s))
        return *number;
    throw OperationError::notAnInteger(s);
}

bool StrToBool(const QString &s)
{
    if (const auto value = parseTruthValue(s))
        return *value;
    throw OperationError::notABoolean(s);
}
