#include "catalogue/Catalogue.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(QList<qint32>)

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void newEntriesHaveTheirDefaults();
    void addPSObjKeepsStableHandles();
    void addVarObj_data();
    void addVarObj();
    void addVarObjOutsideVarListMakesNothing();
    void objVarPositions_data();
    void objVarPositions();
    void clearCatalogueTellsReferrersFirst();
};

void TestCatalogue::newEntriesHaveTheirDefaults()
{
    const TPSObj obj;
    QCOMPARE(obj.Source, QChar(0));
    QCOMPARE(obj.ObjKind, QChar(0));
    QCOMPARE(obj.ObjIdx, -1);
    QCOMPARE(obj.VType, -1);
    QCOMPARE(obj.VTypeIdx, -1);
    QCOMPARE(obj.VarKind, -1);
    QCOMPARE(obj.VarIdx, 0);
    QCOMPARE(obj.minVal, 0.0);
    QCOMPARE(obj.maxVal, 999999999.0);
    QCOMPARE(int(obj.Format) + obj.HdwTyp + obj.HdwKind + obj.ValCode + obj.DevCode + obj.SysVarCnt, 0);

    const TVar var;
    QCOMPARE(var.Idx, -1);
    QCOMPARE(var.Kind, -1);
    QCOMPARE(var.ObjIdx, -1);
    QCOMPARE(var.TypeIdx, -1);
    QCOMPARE(var.VType, 0);
    QCOMPARE(var.VCode, 0);
    QCOMPARE(var.NK, 0);
}

void TestCatalogue::addPSObjKeepsStableHandles()
{
    Catalogue catalogue;
    TPSObj *first = catalogue.AddPSObj(u"Licht"_s, 7);
    QCOMPARE(first->OwnP, first);
    QCOMPARE(first->ObjName, u"Licht"_s);
    QCOMPARE(first->ObjIdx, 7);
    QCOMPARE(first->Source, QChar(0));
    first->ObjDescr = u"Decke"_s;

    // Many appends later the first object is still where its handle points.
    for (int i = 0; i < 5000; ++i)
        catalogue.AddPSObj(u"Licht"_s, i);
    QCOMPARE(catalogue.ObjList.size(), std::size_t(5001));
    QCOMPARE(catalogue.ObjList.front().entry.get(), first);
    QCOMPARE(first->ObjDescr, u"Decke"_s);
    QCOMPARE(catalogue.ObjList.back().text, u"Licht"_s);
    QCOMPARE(catalogue.ObjList.back().entry->ObjIdx, 4999);
}

void TestCatalogue::addVarObj_data()
{
    QTest::addColumn<int>("vType");
    QTest::addColumn<QChar>("expectedKind");

    QTest::newRow("VType 0") << 0 << QChar(0);
    QTest::newRow("VType 1 stays without kind") << 1 << QChar(0);
    QTest::newRow("VType 2 enumeration") << 2 << QChar(u'U');
    QTest::newRow("VType 3 number") << 3 << QChar(u'N');
    QTest::newRow("VType 4 number") << 4 << QChar(u'N');
    QTest::newRow("VType 5 text") << 5 << QChar(u'S');
    QTest::newRow("VType 6") << 6 << QChar(0);
}

void TestCatalogue::addVarObj()
{
    QFETCH(int, vType);
    QFETCH(QChar, expectedKind);

    Catalogue catalogue;
    catalogue.AddPSObj(u"Heizung"_s, 40);
    auto var = std::make_unique<TVar>();
    var->Name = u"Heizung.Modus"_s;
    var->Idx = 200;
    var->Kind = 3;
    var->VType = vType;
    var->VCode = 0x12345;
    var->TypeIdx = 2;
    var->NK = 0x1FF;
    var->ObjIdx = 40;
    catalogue.VarList.push_back({u"Heizung.Modus"_s, std::move(var)});

    TPSObj *obj = catalogue.AddVarObj(0);
    QVERIFY(obj);
    QCOMPARE(catalogue.ObjList.size(), std::size_t(2));
    QCOMPARE(catalogue.ObjList.back().entry.get(), obj);
    QCOMPARE(catalogue.ObjList.back().text, u"Heizung.Modus"_s);
    QCOMPARE(obj->OwnP, obj);
    QCOMPARE(obj->Source, QChar(u'V'));
    QCOMPARE(obj->ObjName, u"Heizung.Modus"_s);
    QCOMPARE(obj->ObjDescr, u"Heizung.Modus"_s);
    QCOMPARE(obj->ObjKind, expectedKind);
    QCOMPARE(obj->ObjIdx, -1);
    QCOMPARE(obj->VType, vType);
    QCOMPARE(obj->VTypeIdx, 2);
    QCOMPARE(obj->VarKind, 3);
    QCOMPARE(obj->VarIdx, 200);
    QCOMPARE(obj->Format, quint8(0xFF));
    QCOMPARE(obj->ValCode, quint16(0x2345));
    QCOMPARE(obj->DevCode, quint16(0));
    QCOMPARE(obj->maxVal, 999999999.0);
}

void TestCatalogue::addVarObjOutsideVarListMakesNothing()
{
    Catalogue catalogue;
    catalogue.VarList.push_back({u"v"_s, std::make_unique<TVar>()});
    QCOMPARE(catalogue.AddVarObj(-1), nullptr);
    QCOMPARE(catalogue.AddVarObj(1), nullptr);
    QVERIFY(catalogue.ObjList.empty());
}

void TestCatalogue::objVarPositions_data()
{
    QTest::addColumn<int>("devCode");
    QTest::addColumn<QString>("sysVars");
    QTest::addColumn<QList<qint32>>("expected");

    QTest::newRow("55 stops at the first non-number") << 55 << u"4;7;x;9"_s << QList<qint32>{4, 7};
    QTest::newRow("55 stops at an empty field") << 55 << u"1;;3"_s << QList<qint32>{1};
    QTest::newRow("55 all fields") << 55 << u"0;1;2;3"_s << QList<qint32>{0, 1, 2, 3};
    QTest::newRow("55 without SysVars") << 55 << QString() << QList<qint32>{};
    QTest::newRow("55 quoted separator") << 55 << u"\"1;2\";3"_s << QList<qint32>{};
    QTest::newRow("55 hexadecimal is no decimal") << 55 << u"$1;2"_s << QList<qint32>{};
    QTest::newRow("10010 exactly two fields") << 10010 << u"5;6;7"_s << QList<qint32>{5, 6};
    QTest::newRow("10020 last of the range") << 10020 << u"5;6"_s << QList<qint32>{5, 6};
    QTest::newRow("10015 first field not a number") << 10015 << u"x;6"_s << QList<qint32>{6};
    QTest::newRow("10015 second field missing") << 10015 << u"5"_s << QList<qint32>{5};
    QTest::newRow("10009 below the range") << 10009 << u"5;6"_s << QList<qint32>{};
    QTest::newRow("10021 above the range") << 10021 << u"5;6"_s << QList<qint32>{};
    QTest::newRow("other device") << 54 << u"5;6"_s << QList<qint32>{};
}

void TestCatalogue::objVarPositions()
{
    QFETCH(int, devCode);
    QFETCH(QString, sysVars);
    QFETCH(QList<qint32>, expected);
    Catalogue catalogue;
    TPSObj obj;
    obj.DevCode = quint16(devCode);
    obj.SysVars = sysVars;
    QCOMPARE(catalogue.ObjVarPositions(obj), expected);
}

void TestCatalogue::clearCatalogueTellsReferrersFirst()
{
    Catalogue catalogue;
    catalogue.AddPSObj(u"a"_s, 1);
    catalogue.AddPSObj(u"a"_s, 2);
    catalogue.VarList.push_back({u"v"_s, std::make_unique<TVar>()});
    catalogue.TypeList.push_back({u"t"_s, std::make_unique<TStrObj>()});
    catalogue.setComplete(true);
    const quint64 generation = catalogue.generation();

    std::size_t objectsWhenTold = 0;
    int told = 0;
    connect(&catalogue, &Catalogue::aboutToClear, this, [&] {
        ++told;
        objectsWhenTold = catalogue.ObjList.size();
    });
    catalogue.ClearCatalogue();

    QCOMPARE(told, 1);
    QCOMPARE(objectsWhenTold, std::size_t(2));
    QVERIFY(catalogue.ObjList.empty());
    QVERIFY(catalogue.VarList.empty());
    QVERIFY(catalogue.TypeList.empty());
    QVERIFY(!catalogue.isComplete());
    QVERIFY(catalogue.generation() != generation);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "TestCatalogue.moc"
