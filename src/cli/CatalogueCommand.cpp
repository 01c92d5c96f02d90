#include "cli/CatalogueCommand.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "cli/JsonWriter.h"
#include "cli/Messages.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Writes one JSON object per line: {"key": value, "key": value}, the members in the catalogue's
// field order.
class ObjectLine
{
public:
    explicit ObjectLine(JsonWriter &json) : m_json(json) { m_json.raw("{"); }
    ~ObjectLine() { m_json.raw("}"); }

    template <typename T> void operator()(QStringView key, const T &value)
    {
        if (!m_first)
            m_json.raw(", ");
        m_first = false;
        m_json.key(key);
        write(value);
    }

private:
    void write(const QString &text) { m_json.string(text); }
    void write(QChar ch) { m_json.string(QStringView(&ch, 1)); }
    void write(qint32 value) { m_json.number(qint64(value)); }
    void write(double value) { m_json.number(value); }

    JsonWriter &m_json;
    bool m_first = true;
};

// "key": [ one element per line ]. element(i) writes element i.
template <typename Element> void writeList(JsonWriter &json, QStringView key, std::size_t count, Element element)
{
    json.raw("  ").key(key).raw("[");
    for (std::size_t i = 0; i < count; ++i) {
        json.raw(i == 0 ? "\n    " : ",\n    ");
        element(i);
    }
    json.raw(count == 0 ? "]" : "\n  ]");
}

void writeObject(JsonWriter &json, const TPSObj &o)
{
    ObjectLine line(json);
    line(u"Source", o.Source);
    line(u"ObjName", o.ObjName);
    line(u"ObjDescr", o.ObjDescr);
    line(u"ObjType", o.ObjType);
    line(u"VType", o.VType);
    line(u"VTypeIdx", o.VTypeIdx);
    line(u"VarKind", o.VarKind);
    line(u"VarIdx", o.VarIdx);
    line(u"ObjIdx", o.ObjIdx);
    line(u"ObjKind", o.ObjKind);
    line(u"Format", qint32(o.Format));
    line(u"HdwTyp", qint32(o.HdwTyp));
    line(u"HdwKind", qint32(o.HdwKind));
    line(u"ValCode", qint32(o.ValCode));
    line(u"DevCode", qint32(o.DevCode));
    line(u"minVal", o.minVal);
    line(u"maxVal", o.maxVal);
    line(u"SysVarCnt", o.SysVarCnt);
    line(u"TypInfo", o.TypInfo);
    line(u"SysVars", o.SysVars);
}

void writeVariable(JsonWriter &json, const TVar &v)
{
    ObjectLine line(json);
    line(u"Name", v.Name);
    line(u"Idx", v.Idx);
    line(u"Kind", v.Kind);
    line(u"VType", v.VType);
    line(u"VCode", v.VCode);
    line(u"ObjIdx", v.ObjIdx);
    line(u"TypeIdx", v.TypeIdx);
    line(u"NK", v.NK);
}

void writeType(JsonWriter &json, const Catalogue::Entry<TStrObj> &type)
{
    ObjectLine line(json);
    line(u"name", type.text);
    line(u"s", type.entry->s);
}

} // namespace

int runCatalogueCommand(CliContext &context)
{
    if (context.arguments.size() != 1)
        return ExitUsage;
    // Shown as the system writes paths, whatever the command line held.
    const QString fileName = nativePath(context.arguments.first());

    Catalogue catalogue;
    OfferedEntries offered(catalogue);
    bool ok = false;
    if (fileName.trimmed().isEmpty())
        context.prompt.error(CliMessages::NoExecFile);
    else
        ok = ReadRVXFile(fileName, catalogue, context.prompt, nullptr);
    if (ok)
        offered.rebuild();

    // Written piece by piece rather than through QJsonObject, which would sort the keys and hold
    // the whole text at once: the fields keep the catalogue's order and every entry stands on one line.
    JsonWriter json(context.out);
    json.raw("{\n  ").key(u"ok").boolean(ok).raw(",\n");
    writeList(json, u"types", catalogue.TypeList.size(),
              [&](std::size_t i) { writeType(json, catalogue.TypeList[i]); });
    json.raw(",\n");
    writeList(json, u"variables", catalogue.VarList.size(),
              [&](std::size_t i) { writeVariable(json, *catalogue.VarList[i].entry); });
    json.raw(",\n");
    writeList(json, u"objects", catalogue.ObjList.size(),
              [&](std::size_t i) { writeObject(json, *catalogue.ObjList[i].entry); });
    json.raw(",\n");
    writeList(json, u"offered", std::size_t(offered.count()),
              [&](std::size_t i) { json.string(offered.entries()[qsizetype(i)].text); });
    json.raw("\n}\n");
    return ok ? ExitOk : ExitFailed;
}
