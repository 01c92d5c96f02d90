#include "support/ScriptedPrompt.h"
#include "workspace/IpList.h"
#include "workspace/ProjectModel.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestIpList : public QObject
{
    Q_OBJECT

private slots:
    void addEntry_data();
    void addEntry();
    void deleteEntry_data();
    void deleteEntry();
    void testModeSwitchTwiceIsOff();
};

void TestIpList::addEntry_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expectedList");
    QTest::addColumn<QString>("expectedEdit");
    QTest::addColumn<QString>("reaction"); // "", "beep" or "invalid"

    const QStringList two{u"192.168.0.10"_s, u"192.168.0.11"_s};
    QTest::newRow("ALL replaces the list") << two << u"ALL"_s << QStringList({u"ALL"_s}) << QString() << QString();
    QTest::newRow("address replaces ALL")
        << QStringList({u"ALL"_s}) << u"192.168.0.12"_s << QStringList({u"192.168.0.12"_s}) << QString() << QString();
    QTest::newRow("lower-case all refused") << two << u"all"_s << two << u"all"_s << u"invalid"_s;
    QTest::newRow("short text refused but ALL still removed")
        << QStringList({u"ALL"_s}) << u"1.2"_s << QStringList() << u"1.2"_s << u"invalid"_s;
    QTest::newRow("empty text refused") << two << QString() << two << QString() << u"invalid"_s;
    QTest::newRow("any four characters accepted")
        << QStringList() << u"abcd"_s << QStringList({u"abcd"_s}) << QString() << QString();
    QTest::newRow("blanks trimmed before the checks")
        << QStringList() << u"  10.0.0.1 "_s << QStringList({u"10.0.0.1"_s}) << QString() << QString();
    QTest::newRow("duplicate beeps and keeps the text")
        << two << u"192.168.0.10"_s << two << u"192.168.0.10"_s << u"beep"_s;
    QTest::newRow("duplicate found without regard to case")
        << QStringList({u"host-a"_s}) << u"HOST-A"_s << QStringList({u"host-a"_s}) << u"HOST-A"_s << u"beep"_s;
    QTest::newRow("ALL again stays the single entry")
        << QStringList({u"ALL"_s}) << u"ALL"_s << QStringList({u"ALL"_s}) << QString() << QString();
}

void TestIpList::addEntry()
{
    QFETCH(QStringList, list);
    QFETCH(QString, typed);
    QFETCH(QStringList, expectedList);
    QFETCH(QString, expectedEdit);
    QFETCH(QString, reaction);

    ProjectModel model;
    model.FreeIPs = list;
    model.NewIP = typed;
    ScriptedPrompt prompt;
    if (reaction == u"beep"_s)
        prompt.expectBeep();
    else if (reaction == u"invalid"_s)
        prompt.expectError(u"Ungültige IP-Adersse"_s);
    AddFreeIP(model, prompt);
    QCOMPARE(model.FreeIPs, expectedList);
    QCOMPARE(model.NewIP, expectedEdit);
    QVERIFY(model.IsChanged);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIpList::deleteEntry_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expectedList");

    QTest::newRow("selected entry removed") << 1 << QStringList({u"a.b.c"_s, u"g.h.i"_s});
    QTest::newRow("nothing selected") << -1 << QStringList({u"a.b.c"_s, u"d.e.f"_s, u"g.h.i"_s});
}

void TestIpList::deleteEntry()
{
    QFETCH(int, index);
    QFETCH(QStringList, expectedList);
    ProjectModel model;
    model.FreeIPs = {u"a.b.c"_s, u"d.e.f"_s, u"g.h.i"_s};
    ScriptedPrompt prompt;
    if (index < 0)
        prompt.expectWarning(u"Kein Eintrag ausgewählt"_s);
    DeleteFreeIP(model, index, prompt);
    QCOMPARE(model.FreeIPs, expectedList);
    QVERIFY(model.IsChanged);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIpList::testModeSwitchTwiceIsOff()
{
    ProjectModel model;
    ToggleTestMode(model);
    QVERIFY(model.testmode);
    ToggleTestMode(model);
    QVERIFY(!model.testmode);
    QVERIFY(!model.IsChanged);
}

QTEST_GUILESS_MAIN(TestIpList)
#include "TestIpList.moc"
