#include "text/KeyValue.h"

#include <algorithm>
#include <utility>

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

// Index of the first ch at or after from that lies outside double quotes (the quote state starts
// afresh at from), or -1.
qsizetype quotedIndex(QChar ch, QStringView s, qsizetype from)
{
    bool inQuotes = false;
    for (qsizetype i = from; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == ch && !inQuotes)
            return i;
        if (c == u'"')
            inQuotes = !inQuotes;
    }
    return -1;
}

// The n-th field (from 1) of the cursor's text.
QStringView nthField(int n, ListFields fields)
{
    if (n < 1)
        return QStringView();
    for (int k = 1; k < n; ++k)
        fields.next();
    return fields.next();
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

bool splitKeyLine(QStringView line, QStringView &key, QStringView &value)
{
    key = QStringView();
    value = QStringView();
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    qsizetype first = 0;
    while (first < eq && isBlankOrControl(line[first]))
        ++first;
    key = line.sliced(first, eq - first);
    value = line.sliced(eq + 1).first(std::min(line.size() - eq - 1, KeyValue::MaxValueLength));
    qsizetype end = value.size();
    while (end > 0 && isBlankOrControl(value[end - 1]))
        --end;
    value.truncate(end);
    if (value == u";")
        value.truncate(0);
    return true;
}

bool IsKey(const QString &key, QString &line)
{
    QStringView lineKey;
    QStringView value;
    if (!splitKeyLine(line, lineKey, value) || lineKey != key)
        return false;
    line = value.toString();
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

QStringView listFieldView(int n, QStringView s)
{
    return nthField(n, ListFields(s));
}

QStringView listFieldSepView(int n, QStringView s, QChar sep)
{
    return nthField(n, ListFields::withSeparator(s, sep));
}

// Each field ends at the next separator outside double quotes, the quote state starting afresh at
// the field's first character.
QStringView ListFields::next()
{
    if (m_done)
        return QStringView();
    const bool first = std::exchange(m_first, false);
    const qsizetype p = quotedIndex(m_sep, m_s, m_start);
    if (p < 0) {
        m_done = true;
        const QStringView rest = m_s.sliced(m_start);
        return rest.isEmpty() ? QStringView() : rest;
    }
    // Unlike ListField, ListFieldSep gives a text that begins with the separator as field 1.
    const QStringView field = first && m_wholeFirst && p == 0 ? m_s : m_s.sliced(m_start, p - m_start);
    m_start = p + 1;
    return field.isEmpty() ? QStringView() : field;
}

QString ListField(int n, const QString &s)
{
    return listFieldView(n, s).toString();
}

QString ListFieldSep(int n, const QString &s, QChar sep)
{
    return listFieldSepView(n, s, sep).toString();
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
