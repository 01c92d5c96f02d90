#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void writesTheNineLineExample();
    void readsTheExampleBackAndWritesItIdentically();
    void writesOptionalLinesOnlyWhenSet_data();
    void writesOptionalLinesOnlyWhenSet();
    void readingQuirks_data();
    void readingQuirks();
    void longFreeIpsValueIsCut();
    void missingFileChangesNothing();
    void missingFolderReportsWriteError();
    void projectLocationFromItsFile_data();
    void projectLocationFromItsFile();
};

void TestProjectFile::writesTheNineLineExample()
{
    QTemporaryDir dir;
    AppState state;
    state.DataFolder = dir.path();
    state.ExecFileName = u"C:\\Daten\\Haus.RVX"_s;
    ProjectModel model;
    model.AuthMsg = u"Bitte anmelden"_s;
    model.Sites = {u"Haus"_s, u"Garten"_s};
    model.StartPage = u"Haus"_s;
    model.FreeIPs = {u"192.168.0.10"_s};
    model.DirDatText = u"C:\\Daten"_s;
    ScriptedPrompt prompt;

    QVERIFY(WriteProjectFile(u"Haus"_s, state, model, prompt));
    QCOMPARE(fileBytes(dir.filePath(u"Haus.FNP"_s)), fileBytes(QFINDTESTDATA("../data/project_two_pages_one_ip.FNP")));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestProjectFile::readsTheExampleBackAndWritesItIdentically()
{
    const QString golden = QFINDTESTDATA("../data/project_two_pages_one_ip.FNP");
    AppState state;
    ProjectModel model;
    ScriptedPrompt prompt;
    QVERIFY(ReadProjectFile(golden, state, model, prompt));
    QCOMPARE(model.AuthMsg, u"Bitte anmelden"_s);
    QCOMPARE(model.StartPage, u"Haus"_s);
    QCOMPARE(model.Sites, QStringList({u"Haus"_s, u"Garten"_s}));
    QCOMPARE(model.FreeIPs, QStringList({u"192.168.0.10"_s}));
    QCOMPARE(state.ExecFileName, u"C:\\Daten\\Haus.RVX"_s);
    QCOMPARE(model.RVXFileShown, u"C:\\Daten\\Haus.RVX"_s);
    QCOMPARE(model.BrowserWidth, 0);
    QVERIFY(!model.AutoHandyDetect);
    QVERIFY(!model.NoAutoScale);
    // DIRDAT is not read: the data folder shown stays what it was.
    QVERIFY(model.DirDatText.isEmpty());

    QTemporaryDir dir;
    state.DataFolder = dir.path();
    model.DirDatText = u"C:\\Daten"_s;
    QVERIFY(WriteProjectFile(u"Haus"_s, state, model, prompt));
    QCOMPARE(fileBytes(dir.filePath(u"Haus.FNP"_s)), fileBytes(golden));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestProjectFile::writesOptionalLinesOnlyWhenSet_data()
{
    QTest::addColumn<QString>("authMsg");
    QTest::addColumn<QStringList>("ips");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<int>("options"); // 1 autowidth, 2 noautoscale, 4 testmode
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedAuthMsg");

    const QString tail = u"DIRDAT=\r\nBW=640\r\nRVXFile=\r\n"_s;
    QTest::newRow("blanks-only prompt writes no AUTHMSG and empties the edit")
        << u"   "_s << QStringList() << QStringList() << 0 << u"FILEVERS=140\r\nSTARTPAGE=\r\nFREEIPS=\r\n"_s + tail
        << QString();
    QTest::newRow("prompt trimmed on both sides")
        << u"  Bitte  "_s << QStringList() << QStringList() << 0
        << u"FILEVERS=140\r\nAUTHMSG=Bitte\r\nSTARTPAGE=\r\nFREEIPS=\r\n"_s + tail << u"Bitte"_s;
    QTest::newRow("no-break space is no blank")
        << u"\u00A0Bitte "_s << QStringList() << QStringList() << 0
        << u"FILEVERS=140\r\nAUTHMSG=\u00A0Bitte\r\nSTARTPAGE=\r\nFREEIPS=\r\n"_s + tail << u"\u00A0Bitte"_s;
    QTest::newRow("two IPs joined without separator")
        << QString() << QStringList({u"ALL"_s, u"10.0.0.1"_s}) << QStringList() << 0
        << u"FILEVERS=140\r\nSTARTPAGE=\r\nFREEIPS=(ALL);(10.0.0.1);\r\n"_s + tail << QString();
    QTest::newRow("options after RVXFile, width still written")
        << QString() << QStringList() << QStringList({u"A=B"_s}) << 7
        << u"FILEVERS=140\r\nSTARTPAGE=\r\nFREEIPS=\r\n*Site=A=B\r\n"_s + tail +
               u"AUTOWIDTH=1\r\nNOAUTOSCALE=1\r\nTESTMODE=1\r\n"_s
        << QString();
    QTest::newRow("value and umlaut in code page")
        << u"Grüße; \"x\""_s << QStringList() << QStringList() << 0
        << u"FILEVERS=140\r\nAUTHMSG=Grüße; \"x\"\r\nSTARTPAGE=\r\nFREEIPS=\r\n"_s + tail << u"Grüße; \"x\""_s;
}

void TestProjectFile::writesOptionalLinesOnlyWhenSet()
{
    QFETCH(QString, authMsg);
    QFETCH(QStringList, ips);
    QFETCH(QStringList, sites);
    QFETCH(int, options);
    QFETCH(QString, expected);
    QFETCH(QString, expectedAuthMsg);

    QTemporaryDir dir;
    AppState state;
    state.DataFolder = dir.path() + u'/';
    ProjectModel model;
    model.AuthMsg = authMsg;
    model.FreeIPs = ips;
    model.Sites = sites;
    model.BrowserWidth = 640;
    model.AutoHandyDetect = options & 1;
    model.NoAutoScale = options & 2;
    model.testmode = options & 4;
    ScriptedPrompt prompt;
    QVERIFY(WriteProjectFile(u"P"_s, state, model, prompt));
    QCOMPARE(fileBytes(dir.filePath(u"P.FNP"_s)), Cp1252::encode(expected));
    QCOMPARE(model.AuthMsg, expectedAuthMsg);
}

void TestProjectFile::readingQuirks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<QString>("authMsg");
    QTest::addColumn<QStringList>("ips");
    QTest::addColumn<bool>("autoWidth");
    QTest::addColumn<bool>("noAutoScale");
    QTest::addColumn<int>("width");

    // Before each read: IPs {old}, width 77, both option boxes checked.
    const QStringList old{u"old"_s};
    QTest::newRow("later STARTPAGE wins") << QByteArray("STARTPAGE=A\r\nSTARTPAGE=B\r\n") << QStringList() << u"B"_s
                                          << QString() << old << false << false << 77;
    QTest::newRow("later FREEIPS list replaces the earlier")
        << QByteArray("FREEIPS=(1.2.3.4);(5.6.7.8);\r\nFREEIPS=(9.9.9.9);\r\n") << QStringList() << QString()
        << QString() << QStringList({u"9.9.9.9"_s}) << false << false << 77;
    QTest::newRow("empty FREEIPS empties the list") << QByteArray("FREEIPS=\r\n") << QStringList() << QString()
                                                    << QString() << QStringList() << false << false << 77;
    QTest::newRow("lone semicolon counts as empty") << QByteArray("FREEIPS=;\r\nAUTHMSG=;\r\n") << QStringList()
                                                    << QString() << QString() << QStringList() << false << false << 77;
    QTest::newRow("quoted semicolon stays inside an entry")
        << QByteArray("FREEIPS=(\"a;b\");(c.d.e);\r\n") << QStringList() << QString() << QString()
        << QStringList({u"\"a;b\""_s, u"c.d.e"_s}) << false << false << 77;
    QTest::newRow("pages in order, repeats kept, blanks before key, *SITE skipped")
        << QByteArray("*Site=Haus\r\n  *Site=Garten\r\n*SITE=Keller\r\n*Site=Haus\r\n")
        << QStringList({u"Haus"_s, u"Garten"_s, u"Haus"_s}) << QString() << QString() << old << false << false << 77;
    QTest::newRow("page line without a name is no page")
        << QByteArray("*Site=\r\n*Site=   \r\n*Site=;\r\n*Site=Haus\r\n") << QStringList({u"Haus"_s}) << QString()
        << QString() << old << false << false << 77;
    QTest::newRow("equals sign stays in page name and prompt")
        << QByteArray("*Site=a=b\r\nAUTHMSG=x=y  \r\n") << QStringList({u"a=b"_s}) << QString() << u"x=y"_s << old
        << false << false << 77;
    QTest::newRow("AUTOWIDTH=0 still checks the box") << QByteArray("AUTOWIDTH=0\r\nNOAUTOSCALE=\r\n") << QStringList()
                                                      << QString() << QString() << old << true << true << 77;
    QTest::newRow("option key hands its value on")
        << QByteArray("AUTOWIDTH=BW=640\r\n") << QStringList() << QString() << QString() << old << true << false << 640;
    QTest::newRow("BW not a number leaves the width")
        << QByteArray("BW=12px\r\nBW=\r\n") << QStringList() << QString() << QString() << old << false << false << 77;
    QTest::newRow("BW negative and hexadecimal")
        << QByteArray("BW=-5\r\nBW=$10\r\n") << QStringList() << QString() << QString() << old << false << false << 16;
    QTest::newRow("DIRDAT, TESTMODE, unknown and keyless lines change nothing")
        << QByteArray("DIRDAT=C:\\X\r\nTESTMODE=1\r\nFOO=1\r\nno equals\r\n\r\n=x\r\n") << QStringList() << QString()
        << QString() << old << false << false << 77;
    QTest::newRow("LF only, NUL bytes and high bytes")
        << withNul("*Site=A\0B\n\x81\xff=\x01\nSTARTPAGE=\xe4\n") << QStringList({u"A\u0000B"_s}) << u"\u00e4"_s
        << QString() << old << false << false << 77;
    QTest::newRow("empty file") << QByteArray() << QStringList() << QString() << QString() << old << false << false
                                << 77;
}

void TestProjectFile::readingQuirks()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, sites);
    QFETCH(QString, startPage);
    QFETCH(QString, authMsg);
    QFETCH(QStringList, ips);
    QFETCH(bool, autoWidth);
    QFETCH(bool, noAutoScale);
    QFETCH(int, width);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"P.FNP"_s);
    writeBytes(path, content);
    AppState state;
    ProjectModel model;
    model.FreeIPs = {u"old"_s};
    model.BrowserWidth = 77;
    model.AutoHandyDetect = true;
    model.NoAutoScale = true;
    ScriptedPrompt prompt;
    QVERIFY(ReadProjectFile(path, state, model, prompt));
    QCOMPARE(model.Sites, sites);
    QCOMPARE(model.StartPage, startPage);
    QCOMPARE(model.AuthMsg, authMsg);
    QCOMPARE(model.FreeIPs, ips);
    QCOMPARE(model.AutoHandyDetect, autoWidth);
    QCOMPARE(model.NoAutoScale, noAutoScale);
    QCOMPARE(model.BrowserWidth, width);
    QVERIFY(!model.testmode);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestProjectFile::longFreeIpsValueIsCut()
{
    // 100 entries of 13 characters each: the value is cut at 1023 characters, 9 characters into
    // entry 79, which loses its last address digits and its closing parenthesis.
    QByteArray value;
    for (int i = 0; i < 100; ++i)
        value += "(10.0.0." + QByteArray::number(100 + i) + ");";
    QTemporaryDir dir;
    const QString path = dir.filePath(u"P.FNP"_s);
    writeBytes(path, "FREEIPS=" + value + "\r\n");
    AppState state;
    ProjectModel model;
    ScriptedPrompt prompt;
    QVERIFY(ReadProjectFile(path, state, model, prompt));
    QCOMPARE(model.FreeIPs.size(), 79);
    QCOMPARE(model.FreeIPs.at(77), u"10.0.0.177"_s);
    QCOMPARE(model.FreeIPs.at(78), u"10.0.0."_s);
}

void TestProjectFile::missingFileChangesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Fehlt.FNP"_s);
    AppState state;
    state.ExecFileName = u"x.RVX"_s;
    ProjectModel model;
    model.Sites = {u"Haus"_s};
    model.AutoHandyDetect = true;
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei %1 nicht gefunden"_s.arg(path));
    QVERIFY(!ReadProjectFile(path, state, model, prompt));
    QCOMPARE(model.Sites, QStringList({u"Haus"_s}));
    QVERIFY(model.AutoHandyDetect);
    QCOMPARE(state.ExecFileName, u"x.RVX"_s);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestProjectFile::missingFolderReportsWriteError()
{
    QTemporaryDir dir;
    AppState state;
    state.DataFolder = dir.filePath(u"fehlt"_s);
    ProjectModel model;
    ScriptedPrompt prompt;
    prompt.expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(shown(dir.filePath(u"fehlt/P.FNP"_s))));
    QVERIFY(!WriteProjectFile(u"P"_s, state, model, prompt));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestProjectFile::projectLocationFromItsFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder"); // as shown and stored: native, one delimiter at the end

    QTest::newRow("plain") << shown(u"/daten/web/Haus.FNP"_s) << u"Haus"_s << shown(u"/daten/web/"_s);
    QTest::newRow("name with a dot") << shown(u"/daten/Haus.2.FNP"_s) << u"Haus.2"_s << shown(u"/daten/"_s);
    QTest::newRow("folder given with /") << u"/daten/web/Haus.FNP"_s << u"Haus"_s << shown(u"/daten/web/"_s);
    QTest::newRow("relative file name") << u"Haus.FNP"_s << u"Haus"_s << shown(u"./"_s);
    QTest::newRow("file in the root folder") << shown(u"/Haus.FNP"_s) << u"Haus"_s << shown(u"/"_s);
}

void TestProjectFile::projectLocationFromItsFile()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    AppState state;
    takeProjectLocation(file, state);
    QCOMPARE(state.ProjectName, name);
    QCOMPARE(state.DataFolder, folder);
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "TestProjectFile.moc"
