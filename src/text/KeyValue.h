#pragma once

#include <QString>
#include <QStringView>

// Helpers that take apart the key=value lines and ";"-separated lists of every file of the
// system. Positions count from 1, as in the file formats; none of them fails or reports anything.

namespace KeyValue {
// A value holds at most this many characters; the rest of a longer line is not read.
inline constexpr qsizetype MaxValueLength = 1023;
} // namespace KeyValue

// The at most n characters of s starting at position i (from 1); empty for n <= 0 or i beyond the end.
QString Copy(const QString &s, qsizetype i, qsizetype n);

// Position (from 1) of the first ch at or after start that lies outside double quotes, or -1.
qsizetype QuotedPos(QChar ch, const QString &s, qsizetype start = 1);

// Splits s at its first ch (quotes not considered). The right part keeps at most 1023 characters.
bool SplitAt(const QString &s, QChar ch, QString &left, QString &right);

// True when line carries key (leading blanks/control characters before the key are ignored, case
// counts); line is then replaced by its value: trailing characters <= 32 removed, a lone ";" empty.
bool IsKey(const QString &key, QString &line);

// The two halves of a key=value line as IsKey sees them, without copying: key is the text before
// the first "=" without the blanks and control characters in front, value what IsKey would hand
// over. False (both left empty) when the line holds no "=". Both point into line.
bool splitKeyLine(QStringView line, QStringView &key, QStringView &value);

// Digits of value in the radix, upper case, no sign; empty for negative values.
QString IntToRadix(qint32 value, qint32 radix);

// Digits of s in the radix without any check (see the format notes); 32-bit wrap-around.
qint32 RadixToInt(const QString &s, qint32 radix);

// s without its trailing blanks (code 32 only).
QString TrimTrailingBlanks(const QString &s);

// s without the characters of code 32 and below at both ends: the one trim rule for names and
// typed texts (QString::trimmed would also drop the no-break space that Windows-1252 holds).
QString trimBlanks(const QString &s);

// The n-th (from 1) ";"-separated field of s; a ";" inside double quotes does not separate.
QString ListField(int n, const QString &s);

// ListField with another separator; field 1 of a text that begins with sep, or has none, is s.
QString ListFieldSep(int n, const QString &s, QChar sep);

// ListField and ListFieldSep without a copy: the same field, as a view into s.
QStringView listFieldView(int n, QStringView s);
QStringView listFieldSepView(int n, QStringView s, QChar sep);

// The fields of s one after the other, as ListField (or ListFieldSep) gives them for n = 1, 2, ...:
// each field is found from where the previous one ended, so walking all fields of a long line
// takes one pass instead of one pass per field. The views point into s.
class ListFields
{
public:
    // The ";"-separated fields of ListField.
    explicit ListFields(QStringView s) : ListFields(s, u';', false) {}
    // The fields of ListFieldSep: a text that begins with sep is field 1 as a whole.
    static ListFields withSeparator(QStringView s, QChar sep) { return ListFields(s, sep, true); }

    // The next field; empty once the text is used up.
    QStringView next();
    // Whether the text is used up: the field given last was its last one.
    bool atEnd() const { return m_done; }

private:
    ListFields(QStringView s, QChar sep, bool wholeFirstAfterLeadingSep)
        : m_s(s), m_sep(sep), m_wholeFirst(wholeFirstAfterLeadingSep)
    {
    }

    QStringView m_s;
    QChar m_sep;
    bool m_wholeFirst;
    qsizetype m_start = 0;
    bool m_first = true;
    bool m_done = false;
};
