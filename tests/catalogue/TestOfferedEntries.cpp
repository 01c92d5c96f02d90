#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList texts(const OfferedEntries &offered)
{
    QStringList result;
    for (const OfferedEntry &e : offered.entries())
        result.append(e.text);
    return result;
}

void addVariable(Catalogue &catalogue, const QString &name, qint32 idx)
{
    auto var = std::make_unique<TVar>();
    var->Name = name;
    var->Idx = idx;
    var->VType = 3;
    catalogue.VarList.push_back({name, std::move(var)});
}

TPSObj *addObject(Catalogue &catalogue, const QString &name, quint16 devCode = 0, const QString &sysVars = QString())
{
    TPSObj *obj = catalogue.AddPSObj(name, int(catalogue.ObjList.size()));
    obj->Source = u'O';
    obj->DevCode = devCode;
    obj->SysVars = sysVars;
    return obj;
}

} // namespace

class TestOfferedEntries : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void order_data();
    void order();
    void orderDoesNotFollowTheSystemLocale();
    void objectsBringTheirVariables();
    void lookUpFindsFirstMatchIgnoringCase_data();
    void lookUpFindsFirstMatchIgnoringCase();
    void emptiedWhenTheCatalogueIsCleared();
    void outlivesItsCatalogue();
};

void TestOfferedEntries::order_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("umlauts with their base letters")
        << QStringList{u"Zimmer"_s, u"Äpfel"_s, u"Apfel"_s, u"Übersicht"_s, u"Uhr"_s, u"Öl"_s, u"Ofen"_s}
        << QStringList{u"Apfel"_s, u"Äpfel"_s, u"Ofen"_s, u"Öl"_s, u"Übersicht"_s, u"Uhr"_s, u"Zimmer"_s};
    QTest::newRow("letter case ignored, equal texts in catalogue order")
        << QStringList{u"licht"_s, u"Licht"_s, u"Lampe"_s, u"LICHT"_s, u"licht"_s}
        << QStringList{u"Lampe"_s, u"licht"_s, u"Licht"_s, u"LICHT"_s, u"licht"_s};
    QTest::newRow("lower and upper case interleave by letters")
        << QStringList{u"b"_s, u"A"_s, u"a"_s, u"B"_s, u"c"_s} << QStringList{u"A"_s, u"a"_s, u"b"_s, u"B"_s, u"c"_s};
    QTest::newRow("dotted variable names after their device")
        << QStringList{u"Heizung.Vorlauf"_s, u"Heizung"_s, u"Heizungsraum"_s, u"Heizung.Modus"_s}
        << QStringList{u"Heizung"_s, u"Heizung.Modus"_s, u"Heizung.Vorlauf"_s, u"Heizungsraum"_s};
}

void TestOfferedEntries::order()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    Catalogue catalogue;
    for (const QString &name : names)
        addObject(catalogue, name);
    OfferedEntries offered(catalogue);
    offered.rebuild();
    QCOMPARE(texts(offered), expected);
    // Equal texts keep their catalogue order: each entry still points at its own object.
    for (const OfferedEntry &e : offered.entries())
        QCOMPARE(e.entry->ObjName, e.text);
}

void TestOfferedEntries::orderDoesNotFollowTheSystemLocale()
{
    // Swedish sorts Ä after Z; the offered entries keep the German order whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    Catalogue catalogue;
    for (const QString &name : {u"Zimmer"_s, u"Äpfel"_s, u"Apfel"_s})
        addObject(catalogue, name);
    OfferedEntries offered(catalogue);
    offered.rebuild();
    QCOMPARE(texts(offered), (QStringList{u"Apfel"_s, u"Äpfel"_s, u"Zimmer"_s}));
}

void TestOfferedEntries::objectsBringTheirVariables()
{
    Catalogue catalogue;
    addVariable(catalogue, u"Modus"_s, 200);
    addVariable(catalogue, u"Temp"_s, 201);
    addObject(catalogue, u"Heizung"_s, 55, u"1;0;9"_s); // 9 lies outside VarList
    addObject(catalogue, u"Wetter"_s, 10012, u"1;x"_s);
    addObject(catalogue, u"Lampe"_s);

    OfferedEntries offered(catalogue);
    offered.rebuild();

    // The "V" objects are appended in visiting order and are not visited themselves.
    QStringList listed;
    for (const auto &e : catalogue.ObjList)
        listed.append(e.entry->Source + e.text);
    QCOMPARE(listed, (QStringList{u"OHeizung"_s, u"OWetter"_s, u"OLampe"_s, u"VTemp"_s, u"VModus"_s, u"VTemp"_s}));

    QCOMPARE(texts(offered), (QStringList{u"Heizung"_s, u"Lampe"_s, u"Modus"_s, u"Temp"_s, u"Temp"_s, u"Wetter"_s}));
    // The variable named by two objects is offered twice, as two objects, in visiting order.
    QCOMPARE(offered.entries().at(3).entry, catalogue.ObjList[3].entry.get());
    QCOMPARE(offered.entries().at(4).entry, catalogue.ObjList[5].entry.get());
    QCOMPARE(offered.entries().at(2).entry->VarIdx, 200);
}

void TestOfferedEntries::lookUpFindsFirstMatchIgnoringCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expectedIndex");  // in the offered entries
    QTest::addColumn<int>("expectedObjIdx"); // of the entry found

    // Catalogue order: Apfel #0, äpfel #1, APFEL #2, Äpfel #3, Birne #4.
    // Offered order:   Apfel, APFEL, äpfel, Äpfel, Birne.
    QTest::newRow("exact") << u"Apfel"_s << 0 << 0;
    QTest::newRow("other case finds the first") << u"aPfEl"_s << 0 << 0;
    QTest::newRow("umlaut is another letter") << u"ÄPFEL"_s << 2 << 1;
    QTest::newRow("single entry") << u"BIRNE"_s << 4 << 4;
    QTest::newRow("trailing blank") << u"Birne "_s << -1 << -1;
    QTest::newRow("missing") << u"Pflaume"_s << -1 << -1;
    QTest::newRow("empty") << QString() << -1 << -1;
}

void TestOfferedEntries::lookUpFindsFirstMatchIgnoringCase()
{
    QFETCH(QString, name);
    QFETCH(int, expectedIndex);
    QFETCH(int, expectedObjIdx);
    Catalogue catalogue;
    for (const QString &n : {u"Apfel"_s, u"äpfel"_s, u"APFEL"_s, u"Äpfel"_s, u"Birne"_s})
        addObject(catalogue, n);
    OfferedEntries offered(catalogue);
    offered.rebuild();
    QCOMPARE(texts(offered), (QStringList{u"Apfel"_s, u"APFEL"_s, u"äpfel"_s, u"Äpfel"_s, u"Birne"_s}));

    QCOMPARE(offered.indexOf(name), qsizetype(expectedIndex));
    TPSObj *found = offered.find(name);
    QCOMPARE(found ? found->ObjIdx : -1, expectedObjIdx);
}

void TestOfferedEntries::emptiedWhenTheCatalogueIsCleared()
{
    Catalogue catalogue;
    addVariable(catalogue, u"Modus"_s, 200);
    addObject(catalogue, u"Heizung"_s, 55, u"0"_s);
    OfferedEntries offered(catalogue);
    offered.rebuild();
    QCOMPARE(offered.count(), 2);

    // A reload clears the catalogue first; even when the read then fails and nothing rebuilds the
    // list, no entry may point at a freed object.
    catalogue.ClearCatalogue();
    QCOMPARE(offered.count(), 0);
    QCOMPARE(offered.find(u"Heizung"_s), nullptr);
    QCOMPARE(offered.indexOf(u"Heizung.Modus"_s), -1);

    addObject(catalogue, u"Neu"_s);
    offered.rebuild();
    QCOMPARE(texts(offered), QStringList{u"Neu"_s});
}

void TestOfferedEntries::outlivesItsCatalogue()
{
    auto catalogue = std::make_unique<Catalogue>();
    addObject(*catalogue, u"a"_s);
    OfferedEntries offered(*catalogue);
    offered.rebuild();
    catalogue.reset();
    QCOMPARE(offered.count(), 0);
    offered.rebuild();
    QCOMPARE(offered.count(), 0);
}

QTEST_GUILESS_MAIN(TestOfferedEntries)
#include "TestOfferedEntries.moc"
