#include "text/KeyValue.h"

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

// The n-th field (n > 1) with the separator sep: skip n - 1 separators outside quotes.
QString laterField(int n, QString s, QChar sep)
{
    for (int k = 1; k < n; ++k) {
        const qsizetype p = QuotedPos(sep, s, 1);
        if (p == -1) {
            s.clear();
            break;
        }
        s = s.mid(p);
    }
    if (s.startsWith(sep))
        s.clear();
    const qsizetype p = QuotedPos(sep, s, 1);
    if (p > 0)
        s = Copy(s, 1, p - 1);
    if (s.size() == 1 && s.at(0) == sep)
        s.clear();
    return s;
}
} // namespace

QString Copy(const QString &s, qsizetype i, qsizetype n)
{
    if (n <= 0 || i > s.size())
        return QString();
    if (i < 1)
        i = 1;
    return s.mid(i - 1, n);
}

qsizetype QuotedPos(QChar ch, const QString &s, qsizetype start)
{
    qsizetype i = start < 1 ? 1 : start;
    bool inQuotes = false;
    const qsizetype length = s.size();
    while (i <= length && (s.at(i - 1) != ch || inQuotes)) {
        if (s.at(i - 1) == u'"')
            inQuotes = !inQuotes;
        ++i;
    }
    return i <= length ? i : -1;
}

bool SplitAt(const QString &s, QChar ch, QString &left, QString &right)
{
    left.clear();
    right.clear();
    const qsizetype p = s.indexOf(ch) + 1;
    if (p == 0)
        return false;
    left = Copy(s, 1, p - 1);
    right = Copy(s, p + 1, KeyValue::MaxValueLength);
    return true;
}

bool IsKey(const QString &key, QString &line)
{
    QString left;
    QString right;
    if (!SplitAt(line, u'=', left, right))
        return false;
    qsizetype first = 0;
    while (first < left.size() && isBlankOrControl(left.at(first)))
        ++first;
    if (QStringView(left).mid(first) != key)
        return false;
    qsizetype end = right.size();
    while (end > 0 && isBlankOrControl(right.at(end - 1)))
        --end;
    right.truncate(end);
    if (right == u";")
        right.clear();
    line = right;
    return true;
}

QString IntToRadix(qint32 value, qint32 radix)
{
    if (value < 0 || radix < 2)
        return QString();
    if (value == 0)
        return QStringLiteral("0");
    QString result;
    while (value != 0) {
        const qint32 digit = value % radix;
        value /= radix;
        result.prepend(QChar(digit < 10 ? u'0' + digit : 55 + digit));
    }
    return result;
}

qint32 RadixToInt(const QString &s, qint32 radix)
{
    // Unsigned arithmetic: any input wraps around instead of overflowing.
    quint32 result = 0;
    quint32 weight = 0;
    for (qsizetype i = s.size() - 1; i >= 0; --i) {
        const char16_t c = s.at(i).toUpper().unicode();
        quint32 digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c <= u'9')
            digit = 0;
        else
            digit = quint32(c) - 55;
        weight *= quint32(radix);
        if (weight == 0)
            weight = 1;
        result += digit * weight;
    }
    return qint32(result);
}

QString TrimTrailingBlanks(const QString &s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == u' ')
        --end;
    return s.left(end);
}

QString ListField(int n, const QString &s)
{
    if (n < 1)
        return QString();
    if (n == 1) {
        const qsizetype p = QuotedPos(u';', s, 1);
        if (p >= 2)
            return Copy(s, 1, p - 1);
        if (p == 1)
            return QString();
        return s;
    }
    return laterField(n, s, u';');
}

QString ListFieldSep(int n, const QString &s, QChar sep)
{
    if (n < 1)
        return QString();
    if (n == 1) {
        const qsizetype p = QuotedPos(sep, s, 1);
        if (p == 1 || p == -1)
            return s;
        return Copy(s, 1, p - 1);
    }
    return laterField(n, s, sep);
}

QString trimBlanks(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 32)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 32)
        --end;
    return s.mid(begin, end - begin);
}
