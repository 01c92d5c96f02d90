#include "catalogue/Catalogue.h"

#include "catalogue/Messages.h"

#include "text/KeyValue.h"
#include "text/Numbers.h"

Catalogue::Catalogue(QObject *parent) : QObject(parent) {}

Catalogue::~Catalogue()
{
    ClearCatalogue();
}

TPSObj *Catalogue::AddPSObj(const QString &name, qint32 index)
{
    auto obj = std::make_unique<TPSObj>();
    TPSObj *handle = obj.get();
    obj->OwnP = handle;
    obj->ObjName = name;
    obj->ObjIdx = index;
    ObjList.push_back({name, std::move(obj)});
    return handle;
}

TPSObj *Catalogue::AddVarObj(qint32 position)
{
    if (position < 0 || std::size_t(position) >= VarList.size())
        return nullptr;
    const QString name = VarList[position].text;
    const TVar &var = *VarList[position].entry;

    TPSObj *obj = AddPSObj(name, -1);
    obj->Source = QLatin1Char('V');
    obj->ObjName = name;
    obj->ObjDescr = obj->ObjName;
    obj->VType = var.VType;
    switch (var.VType) {
    case 3:
    case 4:
        obj->ObjKind = QLatin1Char('N');
        break;
    case 2:
        obj->ObjKind = QLatin1Char('U');
        break;
    case 5:
        obj->ObjKind = QLatin1Char('S');
        break;
    default:
        break;
    }
    obj->VTypeIdx = var.TypeIdx;
    obj->VarKind = var.Kind;
    obj->Format = quint8(var.NK & 0xFF);
    obj->VarIdx = var.Idx;
    obj->ValCode = quint16(var.VCode & 0xFFFF);
    return obj;
}

QList<qint32> Catalogue::ObjVarPositions(const TPSObj &obj) const
{
    QList<qint32> positions;
    if (obj.DevCode == 55) {
        if (obj.SysVars.isEmpty())
            return positions;
        ListFields fields(obj.SysVars);
        for (;;) {
            const auto number = parseWholeDecimal(fields.next());
            if (!number)
                break;
            positions.append(*number);
        }
    } else if (obj.DevCode >= 10010 && obj.DevCode <= 10020) {
        // Each of the two fields counts only when it is a whole decimal number.
        for (int n = 1; n <= 2; ++n) {
            if (const auto number = parseWholeDecimal(listFieldView(n, obj.SysVars)))
                positions.append(*number);
        }
    }
    return positions;
}

void Catalogue::ClearCatalogue()
{
    emit aboutToClear();
    ++m_generation;
    m_complete = false;
    for (auto &e : VarList)
        e.entry.reset();
    for (auto &e : TypeList)
        e.entry.reset();
    for (auto &e : ObjList)
        e.entry.reset();
    VarList.clear();
    TypeList.clear();
    ObjList.clear();
}

void Catalogue::setLastRead(const QString &file, const QString &failure)
{
    m_lastReadFile = file;
    m_lastReadFailure = failure;
}

QString Catalogue::emptyReason() const
{
    if (!ObjList.empty())
        return QString();
    if (!m_lastReadFailure.isEmpty())
        return m_lastReadFailure;
    if (!m_lastReadFile.isEmpty())
        return CatalogueMessages::NoObjects.arg(m_lastReadFile);
    return CatalogueMessages::NothingRead;
}
