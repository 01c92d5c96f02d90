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
#include <QStringList>

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

qint32 wholeNumber(const QString &value)
{
    const auto number = parseWholeNumber(value);
    if (!number)
        throw LineError{};
    return *number;
}

QString trimmedControls(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 32)
        --end;
    return s.mid(begin, end - begin);
}

// The state list of key TI: the prefix of the last field holding "Z:", ";", then each state name
// followed by ";". Field 1 is never used.
QString stateList(const QString &value)
{
    QString names;
    QString prefix;
    if (!trimmedControls(value).isEmpty()) {
        for (int k = 2;; ++k) {
            const QString field = ListField(k, value);
            if (field.isEmpty())
                break;
            const qsizetype at = field.indexOf(u"Z:"_s);
            if (at >= 0) {
                names += ListFieldSep(2, field, u':') + u';';
                prefix = field.left(at);
            }
        }
    }
    return prefix + u';' + names;
}

using VarSetter = void (*)(TVar &, const QString &);
using ObjSetter = void (*)(TPSObj &, const QString &);

template <typename Setter> struct KeyRule
{
    QString key;
    Setter apply;
};

// Keys after NA, in the order a line is tested against them.
const KeyRule<VarSetter> VarKeys[] = {
    {u"VS"_s, [](TVar &v, const QString &s) { v.Kind = wholeNumber(s); }},
    {u"VT"_s, [](TVar &v, const QString &s) { v.VType = wholeNumber(s); }},
    {u"YI"_s, [](TVar &v, const QString &s) { v.TypeIdx = wholeNumber(s); }},
    {u"OI"_s, [](TVar &v, const QString &s) { v.ObjIdx = wholeNumber(s); }},
    {u"VO"_s, [](TVar &v, const QString &s) { v.VCode = wholeNumber(s); }},
};

const KeyRule<ObjSetter> ObjKeys[] = {
    {u"OD"_s, [](TPSObj &o, const QString &s) { o.ObjDescr = s; }},
    {u"OK"_s, [](TPSObj &o, const QString &s) { o.ObjKind = s.isEmpty() ? QChar(u' ') : s.at(0); }},
    {u"IV"_s, [](TPSObj &o, const QString &s) { o.VarIdx = wholeNumber(s); }},
    {u"OF"_s, [](TPSObj &o, const QString &s) { o.Format = quint8(wholeNumber(s) & 0xFF); }},
    {u"OC"_s, [](TPSObj &o, const QString &s) { o.ValCode = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"MI"_s, [](TPSObj &o, const QString &s) { o.minVal = wholeNumber(s); }},
    {u"MA"_s, [](TPSObj &o, const QString &s) { o.maxVal = wholeNumber(s); }},
    {u"HT"_s, [](TPSObj &o, const QString &s) { o.HdwTyp = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"HK"_s, [](TPSObj &o, const QString &s) { o.HdwKind = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"DC"_s, [](TPSObj &o, const QString &s) { o.DevCode = quint16(wholeNumber(s) & 0xFFFF); }},
    {u"TI"_s, [](TPSObj &o, const QString &s) { o.TypInfo = stateList(s); }},
    {u"OT"_s, [](TPSObj &o, const QString &s) { o.ObjType = s; }},
    {u"SC"_s, [](TPSObj &o, const QString &s) { o.SysVarCnt = wholeNumber(s); }},
    {u"SV"_s, [](TPSObj &o, const QString &s) { o.SysVars = s; }},
};

template <typename Record, typename Setter, std::size_t N>
void applyKeys(const KeyRule<Setter> (&rules)[N], Record &record, QString line)
{
    for (const auto &rule : rules) {
        if (IsKey(rule.key, line)) {
            rule.apply(record, line);
            return;
        }
    }
}

// The sections of the file and the entries they fill.
class SectionParser
{
public:
    explicit SectionParser(Catalogue &catalogue) : m_catalogue(catalogue) {}

    void header(QString line)
    {
        SplitNameNumber(line, m_number);
        if (line == u"@TYPES"_s)
            m_section = Section::Types;
        else if (line == u"@VAR"_s)
            m_section = Section::VarExpected;
        else if (line == u"@OBJECT"_s)
            m_section = Section::ObjExpected;
        else if (line == u"@ENDOBJ"_s)
            m_section = Section::Outside;
    }

    void dataLine(const QString &line)
    {
        switch (m_section) {
        case Section::Outside:
            break;
        case Section::Types:
            typeLine(line);
            break;
        case Section::VarExpected:
            newVariable(line);
            break;
        case Section::VarKeys:
            if (!isNameLine(line))
                applyKeys(VarKeys, *m_var, line);
            break;
        case Section::ObjExpected:
            newObject(line);
            break;
        case Section::ObjKeys:
            if (!isNameLine(line))
                applyKeys(ObjKeys, *m_obj, line);
            break;
        }
    }

private:
    enum class Section { Outside, Types, VarExpected, VarKeys, ObjExpected, ObjKeys };

    // Only the first NA after a header counts; a later one is used up without effect.
    static bool isNameLine(QString line) { return IsKey(u"NA"_s, line); }

    void typeLine(const QString &line)
    {
        const qsizetype at = line.indexOf(u"MAX="_s);
        if (at < 0)
            return;
        const auto count = parseWholeDecimal(line.mid(at + 4, 3));
        if (!count || *count <= 0)
            return;
        auto type = std::make_unique<TStrObj>();
        type->s = QString::number(*count) + u'&';
        for (int k = 2; k <= *count + 1; ++k)
            type->s += ListFieldSep(2, ListField(k, line), u':') + u'&';
        m_catalogue.TypeList.push_back({ListField(1, line), std::move(type)});
    }

    void newVariable(QString line)
    {
        if (!IsKey(u"NA"_s, line))
            return;
        auto var = std::make_unique<TVar>();
        var->Name = line;
        var->Idx = m_number;
        m_var = var.get();
        m_catalogue.VarList.push_back({line, std::move(var)});
        m_section = Section::VarKeys;
    }

    void newObject(QString line)
    {
        if (!IsKey(u"NA"_s, line))
            return;
        m_obj = m_catalogue.AddPSObj(line, m_number);
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

bool readLines(const QString &fileName, Catalogue &catalogue, Prompt &prompt, double *execFileDate)
{
    QStringList lines;
    try {
        if (!readTextFile(fileName, lines)) {
            prompt.error(CatalogueMessages::FileNotFound.arg(fileName));
            return false;
        }
    } catch (const OperationError &e) {
        prompt.error(e.message());
        return false;
    }

    if (!lines.isEmpty()) {
        const QString &headerLine = lines.first();
        if (!isValidHeader(headerLine)) {
            prompt.error(CatalogueMessages::InvalidFile + u' ' + fileName);
            return false;
        }
        const auto key = quint8(execFileKey(headerLine));
        SectionParser parser(catalogue);
        QString lastDataLine;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            QString line = lines.at(i);
            try {
                UnscrambleLine(line, key);
                if (line.startsWith(u'@')) {
                    parser.header(line);
                } else {
                    lastDataLine = line;
                    parser.dataLine(line);
                }
            } catch (...) {
                prompt.error(CatalogueMessages::ReadFailed + QString::number(i + 1) + u": "_s + lastDataLine);
                return false;
            }
        }
    }
    if (execFileDate)
        *execFileDate = fileDate(fileName);
    return true;
}

} // namespace

bool ReadRVXFile(const QString &fileName, Catalogue &catalogue, Prompt &prompt, double *execFileDate)
{
    catalogue.setComplete(false);
    if (TrimTrailingBlanks(fileName).isEmpty())
        return false;
    bool ok = false;
    try {
        ok = readLines(fileName, catalogue, prompt, execFileDate);
    } catch (const OperationError &e) {
        prompt.error(e.message());
    } catch (const std::exception &e) {
        prompt.error(QString::fromUtf8(e.what()));
    } catch (...) {
        prompt.error(CatalogueMessages::InvalidFile + u' ' + fileName);
    }
    catalogue.setComplete(ok);
    return ok;
}

void UnscrambleLine(QString &line, quint8 key)
{
    QChar *chars = line.data();
    const qsizetype size = line.size();
    for (qsizetype i = 0; i < size; ++i) {
        const int b = chars[i].unicode() & 0xFF;
        const int scrambled = b ^ key;
        if (b >= 32 && scrambled >= 32)
            chars[i] = QChar(char16_t(scrambled));
    }
    std::reverse(chars, chars + size);
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
    QString name;
    QString value;
    if (!SplitAt(line, u'=', name, value))
        return false;
    const auto parsed = parseWholeDecimal(value);
    if (!parsed) {
        number = 0;
        return false;
    }
    line = name;
    number = *parsed;
    return true;
}

int execFileKey(const QString &headerLine)
{
    if (headerLine.size() < 2)
        return -1;
    return ((headerLine.at(headerLine.size() - 2).unicode() & 0xFF) - 5) & 0xFF;
}
