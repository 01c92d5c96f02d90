#include "cli/CatalogueCommand.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "cli/Messages.h"
#include "text/Prompt.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QList>

#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// The members of one JSON object in the order they are printed: the catalogue's field order.
using Members = QList<std::pair<QString, QJsonValue>>;

// A string, number or truth value as Qt's JSON writer spells it (escapes included).
QByteArray scalarJson(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

QByteArray objectLine(const Members &members)
{
    QByteArray line = "{";
    for (const auto &[key, value] : members) {
        if (line.size() > 1)
            line += ", ";
        line += scalarJson(key) + ": " + scalarJson(value);
    }
    return line + '}';
}

// "key": [ one element per line ]
QByteArray listJson(const QString &key, const QList<QByteArray> &elements)
{
    QByteArray text = "  " + scalarJson(key) + ": [";
    for (qsizetype i = 0; i < elements.size(); ++i)
        text += (i == 0 ? "\n    " : ",\n    ") + elements.at(i);
    return text + (elements.isEmpty() ? "]" : "\n  ]");
}

QJsonValue charValue(QChar ch)
{
    return QString(ch);
}

// Whole numbers without a fraction; the range ends are whole numbers in every file.
QJsonValue floatValue(double value)
{
    if (std::trunc(value) == value && std::abs(value) < 9007199254740992.0)
        return qint64(value);
    return value;
}

QList<QByteArray> typesJson(const Catalogue &catalogue)
{
    QList<QByteArray> types;
    for (const auto &e : catalogue.TypeList)
        types.append(objectLine({{u"name"_s, e.text}, {u"s"_s, e.entry->s}}));
    return types;
}

QList<QByteArray> variablesJson(const Catalogue &catalogue)
{
    QList<QByteArray> variables;
    for (const auto &e : catalogue.VarList) {
        const TVar &v = *e.entry;
        variables.append(objectLine({
            {u"Name"_s, v.Name},
            {u"Idx"_s, v.Idx},
            {u"Kind"_s, v.Kind},
            {u"VType"_s, v.VType},
            {u"VCode"_s, v.VCode},
            {u"ObjIdx"_s, v.ObjIdx},
            {u"TypeIdx"_s, v.TypeIdx},
            {u"NK"_s, v.NK},
        }));
    }
    return variables;
}

QByteArray objectJson(const TPSObj &o)
{
    return objectLine({
        {u"Source"_s, charValue(o.Source)},
        {u"ObjName"_s, o.ObjName},
        {u"ObjDescr"_s, o.ObjDescr},
        {u"ObjType"_s, o.ObjType},
        {u"VType"_s, o.VType},
        {u"VTypeIdx"_s, o.VTypeIdx},
        {u"VarKind"_s, o.VarKind},
        {u"VarIdx"_s, o.VarIdx},
        {u"ObjIdx"_s, o.ObjIdx},
        {u"ObjKind"_s, charValue(o.ObjKind)},
        {u"Format"_s, int(o.Format)},
        {u"HdwTyp"_s, int(o.HdwTyp)},
        {u"HdwKind"_s, int(o.HdwKind)},
        {u"ValCode"_s, int(o.ValCode)},
        {u"DevCode"_s, int(o.DevCode)},
        {u"minVal"_s, floatValue(o.minVal)},
        {u"maxVal"_s, floatValue(o.maxVal)},
        {u"SysVarCnt"_s, o.SysVarCnt},
        {u"TypInfo"_s, o.TypInfo},
        {u"SysVars"_s, o.SysVars},
    });
}

QList<QByteArray> objectsJson(const Catalogue &catalogue)
{
    QList<QByteArray> objects;
    for (const auto &e : catalogue.ObjList)
        objects.append(objectJson(*e.entry));
    return objects;
}

QList<QByteArray> offeredJson(const OfferedEntries &offered)
{
    QList<QByteArray> texts;
    for (const OfferedEntry &e : offered.entries())
        texts.append(scalarJson(e.text));
    return texts;
}

} // namespace

int runCatalogueCommand(CliContext &context)
{
    if (context.arguments.size() != 1)
        return ExitUsage;
    const QString fileName = context.arguments.first();

    Catalogue catalogue;
    OfferedEntries offered(catalogue);
    bool ok = false;
    if (fileName.trimmed().isEmpty())
        context.prompt.error(CliMessages::NoExecFile);
    else
        ok = ReadRVXFile(fileName, catalogue, context.prompt, nullptr);
    if (ok)
        offered.rebuild();

    // Written by hand rather than through QJsonObject, which would sort the keys: the fields keep
    // the catalogue's order and every entry stands on one line.
    QByteArray json = "{\n  \"ok\": " + scalarJson(ok) + ",\n";
    json += listJson(u"types"_s, typesJson(catalogue)) + ",\n";
    json += listJson(u"variables"_s, variablesJson(catalogue)) + ",\n";
    json += listJson(u"objects"_s, objectsJson(catalogue)) + ",\n";
    json += listJson(u"offered"_s, offeredJson(offered)) + "\n}\n";
    context.out.write(json);
    return ok ? ExitOk : ExitFailed;
}
