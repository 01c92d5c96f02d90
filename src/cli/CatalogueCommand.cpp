#include "cli/CatalogueCommand.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "cli/Messages.h"
#include "text/Prompt.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

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

QJsonArray typesJson(const Catalogue &catalogue)
{
    QJsonArray types;
    for (const auto &e : catalogue.TypeList)
        types.append(QJsonObject{{u"name"_s, e.text}, {u"s"_s, e.entry->s}});
    return types;
}

QJsonArray variablesJson(const Catalogue &catalogue)
{
    QJsonArray variables;
    for (const auto &e : catalogue.VarList) {
        const TVar &v = *e.entry;
        variables.append(QJsonObject{
            {u"Name"_s, v.Name},
            {u"Idx"_s, v.Idx},
            {u"Kind"_s, v.Kind},
            {u"VType"_s, v.VType},
            {u"VCode"_s, v.VCode},
            {u"ObjIdx"_s, v.ObjIdx},
            {u"TypeIdx"_s, v.TypeIdx},
            {u"NK"_s, v.NK},
        });
    }
    return variables;
}

QJsonObject objectJson(const TPSObj &o)
{
    return QJsonObject{
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
    };
}

QJsonArray objectsJson(const Catalogue &catalogue)
{
    QJsonArray objects;
    for (const auto &e : catalogue.ObjList)
        objects.append(objectJson(*e.entry));
    return objects;
}

QJsonArray offeredJson(const OfferedEntries &offered)
{
    QJsonArray texts;
    for (const OfferedEntry &e : offered.entries())
        texts.append(e.text);
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

    const QJsonObject document{
        {u"ok"_s, ok},
        {u"types"_s, typesJson(catalogue)},
        {u"variables"_s, variablesJson(catalogue)},
        {u"objects"_s, objectsJson(catalogue)},
        {u"offered"_s, offeredJson(offered)},
    };
    context.out.write(QJsonDocument(document).toJson(QJsonDocument::Indented));
    return ok ? ExitOk : ExitFailed;
}
