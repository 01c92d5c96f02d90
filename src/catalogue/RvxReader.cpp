#include "catalogue/RvxReader.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Messages.h"
#include "text/KeyValue.h"
#include "text/Numbers.h"
#include "text/OleDate.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/TextFile.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString HeaderSignature = u"QZR482 -"_s;

// A data line that cannot be interpreted: ends the read with "Fehler beim Lesen der Datei".
struct LineError
{
};

// The characters of a line that are read. A key line needs its key and 1023 characters of value;
// a line of the type section holds a type's state names one after the other, so more is kept.
constexpr qsizetype MaxLineLength = 64 * 1024;

// Ends the pass over the lines early, once the reason has been shown.
struct StopReading
{
};

qint32 wholeNumber(QStringView value)
{
    const auto number = parseWholeNumber(value);
    if (!number)
        throw LineError{};
    return *number;
}

// The state list of key TI: the prefix of the last field holding "Z:", ";", then each state name
// followed by ";". Field 1 is never used.
QString stateList(QStringView value)
{
    QString names;
    QStringView prefix;
    // A value of blanks and control characters only holds no states.
    if (std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() > 32; })) {
        ListFields fields(value);
        fields.next();
        for (;;) {
            const QStringView field = fields.next();
            if (field.isEmpty())
                break;
            const qsizetype at = field.indexOf(u"Z:");
            if (at >= 0) {
                names += listFieldSepView(2, field, u':');
                names += u';';
                prefix = field.first(at);
            }
        }
    }
    return prefix.toString() + u';' + names;
}

using VarSetter = void (*)(TVar &, QStringView);
using ObjSetter = void (*)(TPSObj &, QStringView);

template <typename Setter> struct KeyRule
{
    QStringView key;
    Setter apply;
};

// Keys after NA. A line has one key, so it matches at most one rule.
constexpr KeyRule<VarSetter> VarKeys[] = {
    {u"VS", [](TVar &v, QStringView s) { v.Kind = wholeNumber(s); }},
    {u"VT", [](TVar &v, QStringView s) { v.VType = wholeNumber(s); }},
    {u"YI", [](TVar &v, QStringView s) { v.TypeIdx = wholeNumber(s); }},
    {u"OI", [](TVar &v, QStringView s) { v.ObjIdx = wholeNumber(s); }},
    {u"VO", [](TVar &v, QStringView s) { v.VCode = wholeNumber(s); }},
};

constexpr KeyRule<ObjSetter> ObjKeys[] = {
    {u"OD", [](TPSObj &o, QStringView s) { o.ObjDescr = s.toString(); }},
    {u"OK", [](TPSObj &o, QStringView s) { o.ObjKind = s.isEmpty() ? QChar(u' ') : s.at(0); }},
    {u"IV", [](TPSObj &o, QStringView s) { o.VarIdx = wholeNumber(s); }},
    {u"OF", [](TPSObj &o, QStringView s) { o.Format = quint8(wholeNumber(s) & 0xFF); }},
    {u"OC", [](TPSObj &o, QStringView s) { o.ValCode = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"MI", [](TPSObj &o, QStringView s) { o.minVal = wholeNumber(s); }},
    {u"MA", [](TPSObj &o, QStringView s) { o.maxVal = wholeNumber(s); }},
    {u"HT", [](TPSObj &o, QStringView s) { o.HdwTyp = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"HK", [](TPSObj &o, QStringView s) { o.HdwKind = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"DC", [](TPSObj &o, QStringView s) { o.DevCode = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"TI", [](TPSObj &o, QStringView s) { o.TypInfo = stateList(s); }},
    {u"OT", [](TPSObj &o, QStringView s) { o.ObjType = s.toString(); }},
    {u"SC", [](TPSObj &o, QStringView s) { o.SysVarCnt = wholeNumber(s); }},
    {u"SV", [](TPSObj &o, QStringView s) { o.SysVars = s.toString(); }},
};

template <typename Record, typename Setter, std::size_t N>
void applyKey(const KeyRule<Setter> (&rules)[N], Record &record, QStringView key, QStringView value)
{
    for (const auto &rule : rules) {
        if (rule.key == key) {
            rule.apply(record, value);
            return;
        }
    }
}

const QStringView NameKey = u"NA";

// The header name=number split as SplitNameNumber does, without copying: name points into line.
bool splitHeader(QStringView line, QStringView &name, qint32 &number)
{
    name = line;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    // The part after "=" is taken as a value: at most 1023 characters.
    const QStringView value = line.sliced(eq + 1).first(std::min(line.size() - eq - 1, KeyValue::MaxValueLength));
    const auto parsed = parseWholeDecimal(value);
    if (!parsed) {
        number = 0;
        return false;
    }
    name = line.first(eq);
    number = *parsed;
    return true;
}

// The sections of the file and the entries they fill.
class SectionParser
{
public:
    explicit SectionParser(Catalogue &catalogue) : m_catalogue(catalogue) {}

    void header(QStringView line)
    {
        QStringView name;
        splitHeader(line, name, m_number);
        if (name == u"@TYPES")
            m_section = Section::Types;
        else if (name == u"@VAR")
            m_section = Section::VarExpected;
        else if (name == u"@OBJECT")
            m_section = Section::ObjExpected;
        else if (name == u"@ENDOBJ")
            m_section = Section::Outside;
    }

    void dataLine(QStringView line)
    {
        if (m_section == Section::Outside)
            return;
        if (m_section == Section::Types) {
            typeLine(line);
            return;
        }
        QStringView key;
        QStringView value;
        if (!splitKeyLine(line, key, value))
            return;
        // Only the first NA after a header counts; a later one is used up without effect.
        const bool isName = key == NameKey;
        switch (m_section) {
        case Section::VarExpected:
            if (isName)
                newVariable(value);
            break;
        case Section::VarKeys:
            if (!isName)
                applyKey(VarKeys, *m_var, key, value);
            break;
        case Section::ObjExpected:
            if (isName)
                newObject(value);
            break;
        case Section::ObjKeys:
            if (!isName)
                applyKey(ObjKeys, *m_obj, key, value);
            break;
        default:
            break;
        }
    }

private:
    enum class Section { Outside, Types, VarExpected, VarKeys, ObjExpected, ObjKeys };

    void typeLine(QStringView view)
    {
        const qsizetype at = view.indexOf(u"MAX=");
        if (at < 0)
            return;
        const auto count = parseWholeDecimal(view.sliced(at + 4).first(std::min<qsizetype>(3, view.size() - at - 4)));
        if (!count || *count <= 0)
            return;
        auto type = std::make_unique<TStrObj>();
        type->s = QString::number(*count) + u'&';
        ListFields fields(view);
        const QStringView name = fields.next();
        for (int k = 2; k <= *count + 1; ++k) {
            type->s += listFieldSepView(2, fields.next(), u':');
            type->s += u'&';
        }
        m_catalogue.TypeList.push_back({name.toString(), std::move(type)});
    }

    void newVariable(QStringView value)
    {
        auto var = std::make_unique<TVar>();
        var->Name = value.toString();
        var->Idx = m_number;
        m_var = var.get();
        m_catalogue.VarList.push_back({var->Name, std::move(var)});
        m_section = Section::VarKeys;
    }

    void newObject(QStringView value)
    {
        m_obj = m_catalogue.AddPSObj(value.toString(), m_number);
        m_obj->Source = u'O';
        m_section = Section::ObjKeys;
    }

    Catalogue &m_catalogue;
    Section m_section = Section::Outside;
    qint32 m_number = 0;
    TVar *m_var = nullptr;
    TPSObj *m_obj = nullptr;
};

bool isValidHeader(const QString &line)
{
    if (line.startsWith(u'@'))
        return QStringView(line).mid(1, 8) == HeaderSignature;
    return line.size() >= 2;
}

// The modification time as the DOS file date holds it: seconds rounded down to even.
double fileDate(const QString &fileName)
{
    QDateTime modified = QFileInfo(fileName).lastModified();
    const QTime time = modified.time();
    modified.setTime(QTime(time.hour(), time.minute(), time.second() & ~1));
    return toOleDate(modified);
}

// Reads the file into catalogue; false with failure set to the message for the user when it did
// not read to the end.
bool readLines(const QString &fileName, Catalogue &catalogue, QString &failure, double *execFileDate)
{
    SectionParser parser(catalogue);
    qsizetype lineNumber = 0;
    quint8 key = 0;
    // The line being interpreted, and the data line before it: swapped rather than copied.
    QString lastDataLine;
    const auto interpret = [&](QString &line, qsizetype) {
        ++lineNumber;
        if (lineNumber == 1) {
            if (!isValidHeader(line)) {
                failure = CatalogueMessages::InvalidFile + u' ' + fileName;
                throw StopReading{};
            }
            key = quint8(execFileKey(line));
            return;
        }
        try {
            UnscrambleLine(line, key);
            if (line.startsWith(u'@')) {
                parser.header(line);
            } else {
                std::swap(lastDataLine, line);
                parser.dataLine(lastDataLine);
            }
        } catch (...) {
            failure = CatalogueMessages::ReadFailed + QString::number(lineNumber) + u": "_s + lastDataLine;
            throw StopReading{};
        }
    };
    try {
        // A stored line is its text reversed: the tail kept is the line's beginning, with its key.
        const ReadStatus read = readTextFileLines(fileName, interpret, {MaxLineLength, true});
        if (read != ReadStatus::Ok) {
            failure = readFailureMessage(read, fileName, CatalogueMessages::FileNotFound);
            return false;
        }
    } catch (const OperationError &e) {
        failure = e.message();
        return false;
    } catch (const StopReading &) {
        return false;
    }
    if (execFileDate)
        *execFileDate = fileDate(fileName);
    return true;
}

} // namespace

bool ReadRVXFile(const QString &fileName, Catalogue &catalogue, Prompt &prompt, double *execFileDate)
{
    catalogue.setComplete(false);
    if (TrimTrailingBlanks(fileName).isEmpty()) {
        catalogue.setLastRead(QString(), QString());
        return false;
    }
    bool ok = false;
    QString failure;
    try {
        ok = readLines(fileName, catalogue, failure, execFileDate);
    } catch (const OperationError &e) {
        failure = e.message();
    } catch (const std::exception &e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = CatalogueMessages::InvalidFile + u' ' + fileName;
    }
    if (!ok)
        prompt.error(failure);
    catalogue.setLastRead(fileName, ok ? QString() : failure);
    catalogue.setComplete(ok);
    return ok;
}

void UnscrambleLine(QString &line, quint8 key)
{
    QChar *chars = line.data();
    const qsizetype size = line.size();
    bool hasSurrogate = false;
    for (qsizetype i = 0; i < size; ++i) {
        const int b = chars[i].unicode() & 0xFF;
        const int scrambled = b ^ key;
        if (b >= 32 && scrambled >= 32)
            chars[i] = QChar(char16_t(scrambled));
        else
            hasSurrogate = hasSurrogate || chars[i].isSurrogate();
    }
    std::reverse(chars, chars + size);
    if (!hasSurrogate)
        return;
    // The reversal turned each surrogate pair round; put its halves back in order.
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (chars[i].isLowSurrogate() && chars[i + 1].isHighSurrogate()) {
            std::swap(chars[i], chars[i + 1]);
            ++i;
        }
    }
}

bool SplitNameNumber(QString &line, qint32 &number)
{
    QStringView name;
    if (!splitHeader(line, name, number))
        return false;
    line = name.toString();
    return true;
}

int execFileKey(const QString &headerLine)
{
    if (headerLine.size() < 2)
        return -1;
    return ((headerLine.at(headerLine.size() - 2).unicode() & 0xFF) - 5) & 0xFF;
}
