#include "cli/CliRunner.h"
#include "support/FileBytes.h"
#include "support/ExecFileFixture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct RunResult
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

RunResult runCli(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    RunResult result;
    result.status = CliRunner(out, err).run(arguments);
    result.out = out.data();
    result.err = err.data();
    return result;
}

QJsonObject parse(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject();
}

QStringList names(const QJsonArray &entries, const QString &key)
{
    QStringList result;
    for (const QJsonValue &e : entries)
        result.append(e.toObject().value(key).toString());
    return result;
}

// A small control program: one type, two variables, a device bringing them along, a lamp and a
// macro.
const QStringList Program = {
    u"@TYPES"_s,
    u"Modus;0:Aus;1:Ein;MAX=002"_s,
    u"@VAR=200"_s,
    u"NA=Heizung.Modus"_s,
    u"VS=3"_s,
    u"VT=2"_s,
    u"YI=0"_s,
    u"OI=40"_s,
    u"VO=70000"_s,
    u"@VAR=201"_s,
    u"NA=Heizung.Brenner"_s,
    u"VT=1"_s,
    u"@OBJECT=40"_s,
    u"NA=Heizung"_s,
    u"OK=G"_s,
    u"DC=55"_s,
    u"SV=1;0"_s,
    u"SC=2"_s,
    u"@OBJECT=3"_s,
    u"NA=Temp_Küche"_s,
    u"OD=Küche"_s,
    u"OT=Fühler"_s,
    u"OK=N"_s,
    u"IV=1003"_s,
    u"OF=1"_s,
    u"OC=3"_s,
    u"MI=-20"_s,
    u"MA=40"_s,
    u"HT=2"_s,
    u"HK=7"_s,
    u"DC=3"_s,
    u"@OBJECT=60"_s,
    u"NA=Alles_aus"_s,
    u"OK=M"_s,
    u"TI=x;0Z:A"_s,
};

} // namespace

class TestCliRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wrongUsage_data();
    void wrongUsage();
    void helpAndVersion_data();
    void helpAndVersion();
    void catalogueOfAProgram();
    void catalogueFailures_data();
    void catalogueFailures();
    void realProgram();

private:
    QTemporaryDir m_dir;
    QString m_program;
    QString m_broken;
    QString m_badHeader;
};

void TestCliRunner::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString error;
    m_program = writeExecFile(m_dir.path(), u"Haus.RVX"_s, QStringList{testHeader(27)} + Program, &error);
    QVERIFY2(!m_program.isEmpty(), qPrintable(error));
    m_broken = writeExecFile(m_dir.path(), u"Kaputt.RVX"_s,
                             {testHeader(27), u"@OBJECT=40"_s, u"NA=Heizung"_s, u"DC=55"_s, u"SV=0"_s, u"@VAR=1"_s,
                              u"NA=v"_s, u"@OBJECT=2"_s, u"NA=Lampe"_s, u"MI=0.5"_s, u"NA=x"_s});
    QVERIFY(!m_broken.isEmpty());
    m_badHeader = shown(writeRawFile(m_dir.path(), u"Falsch.RVX"_s, "@QZR482 x\r\n"));
    QVERIFY(!m_badHeader.isEmpty());
}

void TestCliRunner::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstErrorLine");

    QTest::newRow("no command") << QStringList() << u"Aufruf:"_s;
    QTest::newRow("unknown command") << QStringList{u"katalog"_s, u"x"_s} << u"Unbekannter Befehl: katalog"_s;
    QTest::newRow("catalogue without file") << QStringList{u"catalogue"_s} << u"Aufruf:"_s;
    QTest::newRow("catalogue with two files") << QStringList{u"catalogue"_s, u"a"_s, u"b"_s} << u"Aufruf:"_s;
}

void TestCliRunner::wrongUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, firstErrorLine);
    const RunResult result = runCli(arguments);
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    const QString err = QString::fromUtf8(result.err);
    QCOMPARE(err.section(u'\n', 0, 0), firstErrorLine);
    QVERIFY(err.contains(u"webdef-cli catalogue AUSFÜHRUNGSDATEI"_s));
    QVERIFY(err.contains(u"webdef-cli refresh PROJEKTDATEI"_s));
}

void TestCliRunner::helpAndVersion_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("help") << u"--help"_s << u"Aufruf:"_s;
    QTest::newRow("version") << u"--version"_s << u"webdef-cli 2.2 (200910)"_s;
}

void TestCliRunner::helpAndVersion()
{
    QFETCH(QString, option);
    QFETCH(QString, firstLine);
    const RunResult result = runCli({option});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(QString::fromUtf8(result.out).section(u'\n', 0, 0), firstLine);
}

void TestCliRunner::catalogueOfAProgram()
{
    const RunResult result = runCli({u"catalogue"_s, m_program});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray());
    const QJsonObject json = parse(result.out);
    QCOMPARE(json.value(u"ok"_s), QJsonValue(true));

    const QJsonArray types = json.value(u"types"_s).toArray();
    QCOMPARE(types, (QJsonArray{QJsonObject{{u"name"_s, u"Modus"_s}, {u"s"_s, u"2&Aus&Ein&"_s}}}));

    const QJsonArray variables = json.value(u"variables"_s).toArray();
    QCOMPARE(variables.size(), 2);
    QCOMPARE(variables.at(0).toObject(), (QJsonObject{{u"Name"_s, u"Heizung.Modus"_s},
                                                      {u"Idx"_s, 200},
                                                      {u"Kind"_s, 3},
                                                      {u"VType"_s, 2},
                                                      {u"VCode"_s, 70000},
                                                      {u"ObjIdx"_s, 40},
                                                      {u"TypeIdx"_s, 0},
                                                      {u"NK"_s, 0}}));

    // File objects in file order, then the "V" objects the offered entries appended.
    const QJsonArray objects = json.value(u"objects"_s).toArray();
    QCOMPARE(names(objects, u"ObjName"_s),
             (QStringList{u"Heizung"_s, u"Temp_Küche"_s, u"Alles_aus"_s, u"Heizung.Brenner"_s, u"Heizung.Modus"_s}));
    QCOMPARE(names(objects, u"Source"_s), (QStringList{u"O"_s, u"O"_s, u"O"_s, u"V"_s, u"V"_s}));
    QCOMPARE(objects.at(1).toObject(), (QJsonObject{{u"Source"_s, u"O"_s},
                                                    {u"ObjName"_s, u"Temp_Küche"_s},
                                                    {u"ObjDescr"_s, u"Küche"_s},
                                                    {u"ObjType"_s, u"Fühler"_s},
                                                    {u"VType"_s, -1},
                                                    {u"VTypeIdx"_s, -1},
                                                    {u"VarKind"_s, -1},
                                                    {u"VarIdx"_s, 1003},
                                                    {u"ObjIdx"_s, 3},
                                                    {u"ObjKind"_s, u"N"_s},
                                                    {u"Format"_s, 1},
                                                    {u"HdwTyp"_s, 2},
                                                    {u"HdwKind"_s, 7},
                                                    {u"ValCode"_s, 3},
                                                    {u"DevCode"_s, 3},
                                                    {u"minVal"_s, -20},
                                                    {u"maxVal"_s, 40},
                                                    {u"SysVarCnt"_s, 0},
                                                    {u"TypInfo"_s, QString()},
                                                    {u"SysVars"_s, QString()}}));
    const QJsonObject modus = objects.at(4).toObject();
    QCOMPARE(modus.value(u"ObjKind"_s), QJsonValue(u"U"_s));
    QCOMPARE(modus.value(u"ObjIdx"_s), QJsonValue(-1));
    QCOMPARE(modus.value(u"VTypeIdx"_s), QJsonValue(0));
    QCOMPARE(modus.value(u"ValCode"_s), QJsonValue(70000 & 0xFFFF));
    QCOMPARE(modus.value(u"maxVal"_s), QJsonValue(999999999));

    QCOMPARE(json.value(u"offered"_s).toArray().toVariantList(),
             (QVariantList{u"Alles_aus"_s, u"Heizung"_s, u"Heizung.Brenner"_s, u"Heizung.Modus"_s, u"Temp_Küche"_s}));

    // Characters as one-character strings, the character 0 included; whole numbers without fraction.
    QVERIFY(result.out.contains(R"("ObjKind": "\u0000")"));
    QVERIFY(result.out.contains(R"("minVal": -20, "maxVal": 40,)"));
    QVERIFY(result.out.contains(R"("maxVal": 999999999,)"));
    QVERIFY(result.out.contains("Temp_K\xc3\xbc"
                                "che"));
}

void TestCliRunner::catalogueFailures_data()
{
    QTest::addColumn<QString>("file"); // %1: the temporary folder
    QTest::addColumn<QString>("expectedError");
    QTest::addColumn<QStringList>("expectedObjects");

    QTest::newRow("blank name") << u"  "_s << u"Keine Ausführungsdatei angegeben"_s << QStringList();
    QTest::newRow("empty name") << QString() << u"Keine Ausführungsdatei angegeben"_s << QStringList();
    QTest::newRow("missing file") << u"%1/Fehlt.RVX"_s << u"Datei %1/Fehlt.RVX nicht gefunden"_s << QStringList();
    QTest::newRow("invalid header") << u"%1/Falsch.RVX"_s << u"Ungültige Datei %1/Falsch.RVX"_s << QStringList();
    // What was read before the error is printed, without "V" objects.
    QTest::newRow("read error") << u"%1/Kaputt.RVX"_s << u"Fehler beim Lesen der Datei10: MI=0.5"_s
                                << QStringList{u"Heizung"_s, u"Lampe"_s};
}

void TestCliRunner::catalogueFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, expectedError);
    QFETCH(QStringList, expectedObjects);
    const RunResult result = runCli({u"catalogue"_s, file.replace(u"%1"_s, m_dir.path())});
    QCOMPARE(result.status, 1);
    QCOMPARE(QString::fromUtf8(result.err), expectedError.replace(u"%1/"_s, shown(m_dir.path() + u'/')) + u'\n');
    const QJsonObject json = parse(result.out);
    QCOMPARE(json.value(u"ok"_s), QJsonValue(false));
    QCOMPARE(names(json.value(u"objects"_s).toArray(), u"ObjName"_s), expectedObjects);
    QCOMPARE(json.value(u"offered"_s).toArray(), QJsonArray());
}

void TestCliRunner::realProgram()
{
    const QString binary = QStringLiteral(WEBDEF_CLI_PROGRAM);
    if (!QFileInfo::exists(binary))
        QSKIP("webdef-cli is not built");

    QProcess process;
    process.start(binary, {u"catalogue"_s, m_program});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(parse(process.readAllStandardOutput()).value(u"objects"_s).toArray().size(), 5);

    process.start(binary, {u"catalogue"_s, m_badHeader});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    // A console program on Windows ends its lines with CR LF.
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()).replace(u"\r\n"_s, u"\n"_s),
             u"Ungültige Datei "_s + m_badHeader + u'\n');
    QCOMPARE(parse(process.readAllStandardOutput()).value(u"ok"_s), QJsonValue(false));
}

QTEST_GUILESS_MAIN(TestCliRunner)
#include "TestCliRunner.moc"
