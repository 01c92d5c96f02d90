#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompt.h"
#include "catalogue/RvxReader.h"
#include "text/AtomicFile.h"
#include "text/Launcher.h"
#include "workspace/PageEditorView.h"
#include "workspace/PageReferences.h"
#include "workspace/AppState.h"
#include "workspace/MemorySettingsStore.h"
#include "workspace/Settings.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A page file whose reading stops with a conversion error.
const QByteArray UnreadablePage = "@V=HTM100\r\n#007000\r\nAutoAkt=vielleicht\r\n";
const QString UnreadableMessage = u"'vielleicht' ist kein gültiger boolescher Wert"_s;

// The page editor as the page list sees it: records what it was handed and answers as scripted.
class FakeEditor : public PageEditorView
{
public:
    bool accept = true;
    QString savedAs; // the name the user saves the page under (empty: unchanged)
    QList<PageHandOver> handed;

    std::optional<QString> editPage(const PageHandOver &page) override
    {
        handed.append(page);
        if (!accept)
            return std::nullopt;
        return savedAs.isEmpty() ? page.page : savedAs;
    }
};
} // namespace

// Start-up, saving, closing and the page list with an in-memory settings store.
class TestWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startUpReadsTheLastProject();
    void startUpWithMissingFilesReportsBothAndGoesOn();
    void startUpWithoutProjectReadsNothing();
    void startUpShowsTheExecutionFileOnlyWhenRead_data();
    void startUpShowsTheExecutionFileOnlyWhenRead();
    void startUpRemovesUpdaterLeftovers();
    void saveWritesBothFilesAndClearsIsChanged();
    void saveIntoMissingFolderKeepsIsChanged();
    void saveRefreshesOnlyWhenExecutionFileChanged_data();
    void saveRefreshesOnlyWhenExecutionFileChanged();
    void close_data();
    void close();
    void closeTakesTheTypedDataFolder();
    void closeGoesOnAfterAFailedRefresh();
    void saveStopsWhereTheRefreshStops();
    void pageListOperations_data();
    void pageListOperations();
    void deletePageAsksFirst_data();
    void deletePageAsksFirst();
    void newAndEditPage_data();
    void newAndEditPage();
    void pageHandOver_data();
    void pageHandOver();
    void readAnotherExecFile_data();
    void readAnotherExecFile();
    void leftoversGoWhenTheProjectIsUsed_data();
    void leftoversGoWhenTheProjectIsUsed();
    void updater_data();
    void updater();

private:
    void setLastProject(const QString &name);
    // A catalogue of one object, read completely: the refresh has something to refresh with.
    static void fillCatalogue(AppState &state);
    // Project P in the test folder whose execution file changed since its pages were refreshed.
    void setUpChangedExecFile(AppState &state) const;
    bool settingsWritten() const { return m_store->hasKey(SettingsKeys::Own); }

    // The test folder and its files as the program names them.
    QString dirPath() const { return shown(m_dir->path()); }
    QString inDir(const QString &name) const { return shown(m_dir->filePath(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MemorySettingsStore> m_store;
};

void TestWorkspace::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<MemorySettingsStore>();
}

void TestWorkspace::setUpChangedExecFile(AppState &state) const
{
    state.ProjectName = u"P"_s;
    state.DataFolder = dirPath();
    state.DefData.RVXDate = 1.0;
    state.ExecFileDate = 2.0;
    fillCatalogue(state);
}

void TestWorkspace::fillCatalogue(AppState &state)
{
    state.catalogue.AddPSObj(u"Licht"_s, 1)->Source = u'O';
    state.catalogue.setComplete(true);
}

void TestWorkspace::setLastProject(const QString &name)
{
    m_store->setString(SettingsKeys::Own, u"LASTFILE"_s, name);
    m_store->setString(SettingsKeys::Own, u"DIRDAT"_s, dirPath());
}

void TestWorkspace::startUpReadsTheLastProject()
{
    const QString folder = dirPath();
    writeBytes(inDir(u"Haus.2.FNP"_s), "STARTPAGE=Garten\r\n*Site=Garten\r\nFREEIPS=(ALL);\r\n");
    writeBytes(inDir(u"Haus.2_WEBUSERS.USR"_s), "anna;pw;Garten\r\n");
    AppState state;
    ScriptedPrompt prompt;
    setLastProject(u"Haus.2"_s);
    Workspace workspace(state, prompt, m_store.get(), [] { return u"/usr/bin/browser"_s; });
    workspace.model().IsChanged = true;
    workspace.FormCreate(dirPath());

    const ProjectModel &model = workspace.model();
    QCOMPARE(model.HeadName, u"Haus"_s);
    QCOMPARE(state.ProjectName, u"Haus.2"_s);
    QCOMPARE(model.Sites, QStringList({u"Garten"_s}));
    QCOMPARE(model.FreeIPs, QStringList({u"ALL"_s}));
    QCOMPARE(model.Users.at(0).User, u"anna"_s);
    QCOMPARE(model.DirDatText, folder);
    QCOMPARE(state.BrowserPath, u"/usr/bin/browser"_s);
    QCOMPARE(workspace.helpFile(), u"Fennaro.chm"_s);
    QVERIFY(!model.IsChanged);
    QVERIFY(!workspace.FormShow());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::startUpWithMissingFilesReportsBothAndGoesOn()
{
    AppState state;
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei %1 nicht gefunden"_s.arg(inDir(u"Haus.FNP"_s)))
        .expectError(u"Datei nicht gefunden: "_s + inDir(u"Haus_WEBUSERS.USR"_s));
    setLastProject(u"Haus"_s);
    Workspace workspace(state, prompt, m_store.get());
    workspace.FormCreate(dirPath());
    QCOMPARE(workspace.model().HeadName, u"Haus"_s);
    QVERIFY(workspace.model().Sites.isEmpty());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::startUpWithoutProjectReadsNothing()
{
    AppState state;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get());
    workspace.FormCreate(dirPath());
    QVERIFY(state.ExecFileName.isEmpty());
    QVERIFY(state.ProgramFolder.endsWith(QDir::separator()));
    prompt.expectName(u"FENNAROSET"_s, false);
    QVERIFY(workspace.FormShow());
    QCOMPARE(state.ProjectName, u"FENNAROSET"_s);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::startUpShowsTheExecutionFileOnlyWhenRead_data()
{
    QTest::addColumn<QString>("execFile");
    QTest::addColumn<QString>("shown");
    QTest::newRow("read") << u"good.RVX"_s << u"good.RVX"_s;
    QTest::newRow("failed") << u"bad.RVX"_s << QString();
}

void TestWorkspace::startUpShowsTheExecutionFileOnlyWhenRead()
{
    QFETCH(QString, execFile);
    QFETCH(QString, shown);
    AppState state;
    ScriptedPrompt prompt;
    // The execution engine names its current file relative to the data folder.
    if (shown.isEmpty()) {
        writeBytes(inDir(execFile), "x");
        prompt.setAllowUnexpectedErrors(true);
    } else {
        QVERIFY(!writeExecFile(dirPath(), execFile, {testHeader(7), u"@OBJECT"_s, u"NA=Licht"_s}).isEmpty());
    }
    m_store->setString(SettingsKeys::Own, u"DIRDAT"_s, dirPath());
    m_store->setString(SettingsKeys::Engine, u"CUREXECFILE"_s, execFile);
    const QString path = inDir(execFile);
    Workspace workspace(state, prompt, m_store.get());
    workspace.FormCreate(dirPath());
    QCOMPARE(workspace.model().RVXFileShown, shown.isEmpty() ? QString() : path);
    QCOMPARE(state.ExecFileName, path);
    // The page editor offers what was read.
    QCOMPARE(workspace.pageSession().offered().entries().isEmpty(), shown.isEmpty());
}

void TestWorkspace::startUpRemovesUpdaterLeftovers()
{
    const QString temp = inDir(u"_updatetemp"_s);
    QVERIFY(QDir().mkdir(temp));
    writeBytes(temp + u"/UpdateFennaro.exe"_s, "x");
    writeBytes(temp + u"/UpdateFennaroPC.exe"_s, "x");
    AppState state;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt);
    workspace.FormCreate(dirPath());
    QVERIFY(!QFileInfo::exists(temp));

    // A folder with other files stays, silently.
    QVERIFY(QDir().mkdir(temp));
    writeBytes(temp + u"/other.txt"_s, "x");
    workspace.FormCreate(dirPath());
    QVERIFY(QFileInfo::exists(temp + u"/other.txt"_s));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::saveWritesBothFilesAndClearsIsChanged()
{
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = dirPath();
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get());
    workspace.model().HeadName = u"Anders"_s;
    workspace.model().IsChanged = true;
    QVERIFY(workspace.Speichern1Click());
    QVERIFY(QFileInfo::exists(inDir(u"Haus.FNP"_s)));
    QVERIFY(QFileInfo::exists(inDir(u"Haus_WEBUSERS.USR"_s)));
    QCOMPARE(workspace.model().HeadName, u"Haus"_s);
    QVERIFY(!workspace.model().IsChanged);
    QCOMPARE(m_store->value(SettingsKeys::Own, u"LASTFILE"_s).toString(), u"Haus"_s);
}

void TestWorkspace::saveIntoMissingFolderKeepsIsChanged()
{
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = inDir(u"fehlt"_s);
    ScriptedPrompt prompt;
    prompt.expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(inDir(u"fehlt/Haus.FNP"_s)))
        .expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(inDir(u"fehlt/Haus_WEBUSERS.USR"_s)));
    Workspace workspace(state, prompt, m_store.get());
    // Even a project without marked edits must not count as saved when nothing was written.
    workspace.model().IsChanged = false;
    QVERIFY(!workspace.Speichern1Click());
    QVERIFY(workspace.model().IsChanged);
    QVERIFY(settingsWritten());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::saveRefreshesOnlyWhenExecutionFileChanged_data()
{
    QTest::addColumn<double>("rvxDate");
    QTest::addColumn<double>("execDate");
    QTest::addColumn<bool>("refresh");
    QTest::newRow("never refreshed") << 0.0 << 45000.5 << false;
    QTest::newRow("same date") << 45000.5 << 45000.5 << false;
    QTest::newRow("other date") << 45000.5 << 45001.25 << true;
}

void TestWorkspace::saveRefreshesOnlyWhenExecutionFileChanged()
{
    QFETCH(double, rvxDate);
    QFETCH(double, execDate);
    QFETCH(bool, refresh);
    AppState state;
    state.ProjectName = u"P"_s;
    state.DataFolder = dirPath();
    state.DefData.RVXDate = rvxDate;
    state.ExecFileDate = execDate;
    fillCatalogue(state);
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get());
    QVERIFY(workspace.Speichern1Click());
    // A refresh, even of a project without pages, records the execution file's date.
    QCOMPARE(state.DefData.RVXDate, refresh ? execDate : rvxDate);
}

void TestWorkspace::close_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<int>("answer"); // -1: not asked
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");

    QTest::newRow("unchanged asks nothing") << false << true << -1 << true << false;
    QTest::newRow("Yes saves and closes") << true << true << int(Prompt::Answer::Yes) << true << true;
    QTest::newRow("No closes without saving") << true << true << int(Prompt::Answer::No) << true << false;
    QTest::newRow("Cancel stays open") << true << true << int(Prompt::Answer::Cancel) << false << false;
    QTest::newRow("Yes with failed save stays open") << true << false << int(Prompt::Answer::Yes) << false << false;
}

void TestWorkspace::close()
{
    QFETCH(bool, changed);
    QFETCH(bool, folderExists);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);

    AppState state;
    state.ProjectName = u"P"_s;
    ScriptedPrompt prompt;
    const QString folder = folderExists ? dirPath() : inDir(u"fehlt"_s);
    if (answer >= 0)
        prompt.expectYesNoCancel(u"Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?"_s,
                                 Prompt::Answer(answer));
    if (!folderExists)
        prompt.setAllowUnexpectedErrors(true);
    Workspace workspace(state, prompt, m_store.get());
    workspace.model().DirDatText = folder;
    workspace.model().IsChanged = changed;
    QCOMPARE(workspace.FormClose(), closes);
    QCOMPARE(QFileInfo::exists(inDir(u"P.FNP"_s)), saved);
    // The settings are written whatever the answer.
    QVERIFY(settingsWritten());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::closeTakesTheTypedDataFolder()
{
    AppState state;
    state.DataFolder = u"/alt"_s;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get());
    workspace.model().DirDatText = shown(u"/neu"_s);
    QVERIFY(workspace.FormClose());
    QCOMPARE(state.DataFolder, shown(u"/neu"_s));
    QCOMPARE(m_store->value(SettingsKeys::Own, u"DIRDAT"_s).toString(), shown(u"/neu"_s));
}

void TestWorkspace::closeGoesOnAfterAFailedRefresh()
{
    writeBytes(inDir(u"P_Kaputt.SHT"_s), UnreadablePage);
    AppState state;
    setUpChangedExecFile(state);
    ScriptedPrompt prompt;
    prompt.expectError(UnreadableMessage);
    Workspace workspace(state, prompt, m_store.get());
    workspace.model().DirDatText = dirPath();
    workspace.model().Sites = {u"Kaputt"_s};
    QVERIFY(workspace.FormClose());
    QVERIFY(settingsWritten());
    QCOMPARE(state.DefData.RVXDate, 1.0);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::saveStopsWhereTheRefreshStops()
{
    writeBytes(inDir(u"P_Kaputt.SHT"_s), UnreadablePage);
    writeBytes(inDir(u"P_Danach.SHT"_s), "x");
    AppState state;
    setUpChangedExecFile(state);
    ScriptedPrompt prompt;
    prompt.expectError(UnreadableMessage);
    Workspace workspace(state, prompt, m_store.get());
    workspace.model().Sites = {u"Kaputt"_s, u"Danach"_s};
    workspace.model().IsChanged = true;
    QVERIFY(!workspace.Speichern1Click());
    // The project itself is saved; the pages from the broken one on are not rewritten, and the
    // next save refreshes again.
    QVERIFY(!workspace.model().IsChanged);
    QCOMPARE(fileBytes(inDir(u"P_Kaputt.SHT"_s)), UnreadablePage);
    QCOMPARE(fileBytes(inDir(u"P_Danach.SHT"_s)), QByteArray("x"));
    QCOMPARE(state.DefData.RVXDate, 1.0);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::pageListOperations_data()
{
    QTest::addColumn<bool>("take"); // TakePage, else DelSiteBtn
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<bool>("changed");

    const QStringList all{u"Haus"_s, u"Garten"_s, u"Keller"_s};
    QTest::newRow("take selected page") << true << 1 << all << u"Garten"_s << true;
    QTest::newRow("take with nothing selected") << true << -1 << all << u"Alt"_s << false;
    QTest::newRow("delete selected page and its file")
        << false << 1 << QStringList({u"Haus"_s, u"Keller"_s}) << u"Alt"_s << true;
    QTest::newRow("delete page without file") << false << 2 << all.mid(0, 2) << u"Alt"_s << true;
    QTest::newRow("delete with nothing selected") << false << -1 << all << u"Alt"_s << false;
}

void TestWorkspace::pageListOperations()
{
    QFETCH(bool, take);
    QFETCH(int, selected);
    QFETCH(QStringList, sites);
    QFETCH(QString, startPage);
    QFETCH(bool, changed);
    const QStringList all{u"Haus"_s, u"Garten"_s, u"Keller"_s};
    const auto pageFile = [&](int row) { return inDir(u"Haus.2_"_s + all.at(row) + u".SHT"_s); };

    // Page files carry the project name, also where the shown name differs (after start-up with a
    // name containing a dot).
    writeBytes(inDir(u"Haus.2_Garten.SHT"_s), "x");
    writeBytes(inDir(u"Haus.2_Haus.SHT"_s), "x");
    AppState state;
    state.ProjectName = u"Haus.2"_s;
    state.DataFolder = dirPath();
    ScriptedPrompt prompt;
    if (selected < 0)
        prompt.expectError(u"Kein Eintrag ausgewählt"_s);
    else if (!take)
        prompt.expectYesNoDefaultNo(deletePageQuestion(all.at(selected), pageFile(selected), {}), Prompt::Answer::Yes);
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.HeadName = u"Haus"_s;
    model.Sites = all;
    model.StartPage = u"Alt"_s;
    if (take)
        workspace.TakePageClick(selected);
    else
        workspace.DelSiteBtnClick(selected);
    QCOMPARE(model.Sites, sites);
    QCOMPARE(model.StartPage, startPage);
    QCOMPARE(model.IsChanged, changed);
    QCOMPARE(QFileInfo::exists(inDir(u"Haus.2_Garten.SHT"_s)), take || selected != 1);
    QVERIFY(QFileInfo::exists(inDir(u"Haus.2_Haus.SHT"_s)));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::deletePageAsksFirst_data()
{
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<QStringList>("userStarts"); // "user:start page"
    QTest::addColumn<bool>("linkingFiles");      // Haus and Keller link to Garten
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("references"); // after the question's first line; empty: none

    const int yes = int(Prompt::Answer::Yes);
    const int no = int(Prompt::Answer::No);
    QTest::newRow("nothing refers, No keeps page and file") << u"Haus"_s << QStringList() << false << no << QString();
    QTest::newRow("nothing refers, Yes deletes") << u"Haus"_s << QStringList() << false << yes << QString();
    QTest::newRow("every kind of reference, letter case ignored")
        << u"GARTEN"_s << QStringList{u"anna:Garten"_s, u"ben:Haus"_s, u"carl:garten"_s, u":Garten"_s} << true << yes
        << u"Danach verweisen ins Leere: die Startseite ohne Benutzeranmeldung; die Startseiten der Benutzer "
           u"„anna“, „carl“; die Links der Seiten „Haus“, „Keller“."_s;
    QTest::newRow("one user, answered No")
        << u"Haus"_s << QStringList{u"anna:Garten"_s} << false << no
        << u"Danach verweisen ins Leere: die Startseite des Benutzers „anna“."_s;
}

void TestWorkspace::deletePageAsksFirst()
{
    QFETCH(QString, startPage);
    QFETCH(QStringList, userStarts);
    QFETCH(bool, linkingFiles);
    QFETCH(int, answer);
    QFETCH(QString, references);

    const QString garden = inDir(u"Haus_Garten.SHT"_s);
    writeBytes(garden, "x");
    if (linkingFiles) {
        // A page link in other letter case counts, an external link of the same text does not.
        writeBytes(inDir(u"Haus_Haus.SHT"_s),
                   "@V=HTM100\r\n#001000=Haus\r\nFILEVERS=140\r\n#009000=2\r\n"
                   "NAVI=garten\x03garten\x0bWeb\x03>Garten\x0b\r\n#099000\r\n");
        writeBytes(inDir(u"Haus_Keller.SHT"_s),
                   "@V=HTM100\r\n#001000=Keller\r\nFILEVERS=140\r\n#009000=1\r\nNAVI=Hin\x03Garten\x0b\r\n");
    }
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = dirPath();
    ScriptedPrompt prompt;
    QString question = u"Seite „Garten“ löschen? Die Datei %1 wird sofort gelöscht."_s.arg(garden);
    if (!references.isEmpty())
        question += u'\r' + references;
    prompt.expectYesNoDefaultNo(question, Prompt::Answer(answer));
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.Sites = {u"Haus"_s, u"Garten"_s, u"Keller"_s};
    model.StartPage = startPage;
    for (qsizetype i = 0; i < userStarts.size(); ++i) {
        const QStringList parts = userStarts[i].split(u':');
        model.Users[i] = {parts[0], u"pw"_s, parts[1]};
    }

    workspace.DelSiteBtnClick(1);

    const bool deleted = answer == int(Prompt::Answer::Yes);
    QCOMPARE(QFileInfo::exists(garden), !deleted);
    QCOMPARE(model.Sites.contains(u"Garten"_s), !deleted);
    QCOMPARE(model.IsChanged, deleted);
    // What refers to the page is left as it was.
    QCOMPARE(model.StartPage, startPage);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::newAndEditPage_data()
{
    QTest::addColumn<bool>("newPage");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QStringList>("resultSites");
    QTest::addColumn<int>("resultRow");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<bool>("changed");

    const QStringList three{u"Haus"_s, u"Garten"_s, u"Keller"_s};
    const QStringList withBad{u"Haus"_s, u"Garten"_s, u"Keller"_s, u"Bad"_s};
    QTest::newRow("new page appended, becomes the missing start page")
        << true << three << -1 << true << u"Bad"_s << withBad << -1 << u"Bad"_s << true;
    QTest::newRow("new page cancelled") << true << three << -1 << false << QString() << three << -1 << u"  "_s << false;
    QTest::newRow("edit without selection edits the first page")
        << false << three << -1 << true << QString() << three << 0 << u"  "_s << false;
    QTest::newRow("edit of an empty list") << false << QStringList() << -1 << true << QString() << QStringList() << -1
                                           << u"  "_s << false;
    QTest::newRow("edit saved under another name")
        << false << three << 1 << true << u"Terrasse"_s << QStringList{u"Haus"_s, u"Terrasse"_s, u"Keller"_s} << 1
        << u"  "_s << true;
    QTest::newRow("edit cancelled") << false << three << 1 << false << u"Terrasse"_s << three << 1 << u"  "_s << false;
}

void TestWorkspace::newAndEditPage()
{
    QFETCH(bool, newPage);
    QFETCH(QStringList, sites);
    QFETCH(int, selected);
    QFETCH(bool, accept);
    QFETCH(QString, savedAs);
    QFETCH(QStringList, resultSites);
    QFETCH(int, resultRow);
    QFETCH(QString, startPage);
    QFETCH(bool, changed);

    writeBytes(inDir(u"Haus.2_Garten.SHT"_s), "x");
    AppState state;
    state.ProjectName = u"Haus.2"_s;
    state.DataFolder = dirPath();
    ScriptedPrompt prompt;
    if (!newPage && sites.isEmpty())
        prompt.expectError(u"Kein Eintrag ausgewählt"_s);
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.HeadName = u"Haus"_s;
    model.Sites = sites;
    model.StartPage = u"  "_s;
    FakeEditor editor;
    editor.accept = accept;
    editor.savedAs = savedAs;

    if (newPage) {
        workspace.NewSiteBtnClick(editor);
    } else {
        QCOMPARE(workspace.WorkSiteBtnClick(selected, editor), resultRow);
    }

    QCOMPARE(model.Sites, resultSites);
    QCOMPARE(model.StartPage, startPage);
    QCOMPARE(model.IsChanged, changed);
    QCOMPARE(editor.handed.size(), !newPage && sites.isEmpty() ? 0 : 1);
    if (!editor.handed.isEmpty())
        QCOMPARE(editor.handed.first().page, newPage ? QString() : sites.at(resultRow));
    // Only a page saved under another name loses its old file.
    QCOMPARE(QFileInfo::exists(inDir(u"Haus.2_Garten.SHT"_s)), savedAs != u"Terrasse"_s || !accept);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::pageHandOver_data()
{
    QTest::addColumn<QString>("operation"); // "new", "edit" (row 1 selected), "check" (the page chosen in the check)
    QTest::addColumn<qint32>("browserWidth");
    QTest::addColumn<bool>("noAutoScale");
    QTest::addColumn<bool>("autoWidth");
    QTest::addColumn<QString>("browser");
    QTest::addColumn<QString>("page");

    QTest::newRow("new page") << u"new"_s << 800 << true << false << u"/usr/bin/browser"_s << QString();
    QTest::newRow("selected page") << u"edit"_s << 480 << false << true << QString() << u"Garten"_s;
    QTest::newRow("page chosen in the check") << u"check"_s << 0 << true << true << u"/opt/web"_s << u"Keller"_s;
}

// What the editor is handed: the page, the whole list to check names against, where and under which
// project name the page files lie (the project name, not the shown name, which loses everything
// from a dot on), the project's general options a new page starts with, and the browser.
void TestWorkspace::pageHandOver()
{
    QFETCH(QString, operation);
    QFETCH(qint32, browserWidth);
    QFETCH(bool, noAutoScale);
    QFETCH(bool, autoWidth);
    QFETCH(QString, browser);
    QFETCH(QString, page);

    AppState state;
    state.ProjectName = u"Haus.2"_s;
    state.DataFolder = dirPath();
    state.BrowserPath = browser;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.HeadName = u"Haus"_s;
    model.Sites = {u"Haus"_s, u"Garten"_s, u"Keller"_s};
    model.BrowserWidth = browserWidth;
    model.NoAutoScale = noAutoScale;
    model.AutoHandyDetect = autoWidth;
    FakeEditor editor;
    editor.accept = false;

    if (operation == u"new"_s)
        workspace.NewSiteBtnClick(editor);
    else if (operation == u"edit"_s)
        workspace.WorkSiteBtnClick(1, editor);
    else
        QVERIFY(workspace.editPageNamed(page, editor));

    QCOMPARE(editor.handed.size(), 1);
    const PageHandOver &handed = editor.handed.first();
    QCOMPARE(handed.page, page);
    QCOMPARE(handed.allPages, model.Sites);
    QCOMPARE(handed.dataFolder, dirPath());
    QCOMPARE(handed.projectName, u"Haus.2"_s);
    QCOMPARE(handed.browserWidth, browserWidth);
    QCOMPARE(handed.noAutoScale, noAutoScale);
    QCOMPARE(handed.autoWidth, autoWidth);
    QCOMPARE(handed.browserPath, browser);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::readAnotherExecFile_data()
{
    QTest::addColumn<bool>("choose");
    QTest::addColumn<bool>("readable");
    QTest::newRow("dialog cancelled") << false << false;
    QTest::newRow("file read") << true << true;
    QTest::newRow("file refused") << true << false;
}

void TestWorkspace::readAnotherExecFile()
{
    QFETCH(bool, choose);
    QFETCH(bool, readable);
    const QString old =
        writeExecFile(dirPath(), u"Alt.RVX"_s, {testHeader(7), u"@OBJECT"_s, u"NA=Licht"_s, u"@OBJECT"_s, u"NA=Pumpe"_s});
    QString other = inDir(u"Neu.RVX"_s);
    if (readable)
        other = writeExecFile(dirPath(), u"Neu.RVX"_s, {testHeader(9), u"@OBJECT"_s, u"NA=Heizung"_s});
    else
        writeBytes(other, "@kein Steuerprogramm\r\n");
    AppState state;
    state.DataFolder = dirPath();
    ScriptedPrompt prompt;
    prompt.setAllowUnexpectedErrors(true); // the reader's own message for a refused file
    Workspace workspace(state, prompt);
    QVERIFY(ReadRVXFile(old, state.catalogue, prompt, &state.ExecFileDate));
    state.ExecFileName = old;
    workspace.model().RVXFileShown = old;
    PageEditSession &page = workspace.pageSession();
    page.InitAll();
    // The page editor holds rows of the old catalogue.
    QCOMPARE(page.addObjectRow(page.offered().indexOf(u"Licht"_s), prompt), 0);
    QCOMPARE(page.addMacroRow(page.offered().indexOf(u"Pumpe"_s), prompt), 0);
    prompt.expectOpenFile(choose, other);

    QCOMPARE(workspace.ReadRVXMnClick(), choose && readable);

    QCOMPARE(prompt.lastFilterName, u"Ausführungsdatei"_s);
    QCOMPARE(prompt.lastPattern, u"*.RVX;*.RVP"_s);
    QCOMPARE(prompt.lastProposedFile, old);
    const QString shown = choose && readable ? other : old;
    QCOMPARE(state.ExecFileName, shown);
    QCOMPARE(workspace.model().RVXFileShown, shown);
    QStringList offered;
    for (const OfferedEntry &entry : page.offered().entries())
        offered << entry.text;
    QCOMPARE(offered, !choose ? QStringList({u"Licht"_s, u"Pumpe"_s})
                              : (readable ? QStringList({u"Heizung"_s}) : QStringList()));
    // Rows keep their texts but no longer point into a freed catalogue.
    QCOMPARE(page.document().objects.at(0).name, u"Licht"_s);
    QCOMPARE(page.document().objects.at(0).entry != nullptr, !choose);
    QCOMPARE(page.document().macros.at(0).entry != nullptr, !choose);
    QVERIFY(!workspace.model().IsChanged);
}

void TestWorkspace::leftoversGoWhenTheProjectIsUsed_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("start-up") << u"start-up"_s;
    QTest::newRow("open") << u"open"_s;
    QTest::newRow("save") << u"save"_s;
    QTest::newRow("refresh") << u"refresh"_s;
}

// What interrupted saves left beside the project's files goes the next time the project is opened,
// saved or refreshed; copies of a writer still running and of another project stay.
void TestWorkspace::leftoversGoWhenTheProjectIsUsed()
{
    QFETCH(QString, operation);
    const qint64 dead = 2147483000;
    const qint64 running = QCoreApplication::applicationPid();
    const auto copyOf = [&](const QString &file, qint64 pid) {
        return QFileInfo(atomicStagingPath(inDir(file), pid, 3)).fileName();
    };
    writeBytes(inDir(u"HAUS.FNP"_s), "*Site=Bad\r\n");
    writeBytes(inDir(u"HAUS_ALT.FNP"_s), "*Site=Bad\r\n");
    const QStringList gone{u".~HAUS.FNP"_s, copyOf(u"HAUS_Bad.SHT"_s, dead), copyOf(u"HAUS_WEBUSERS.USR"_s, dead),
                           copyOf(u"HAUS_Bad.SHT"_s, dead) + u".a1B2c3"_s, copyOf(u"HAUS_Alt.SHT"_s, dead)};
    const QStringList kept{copyOf(u"HAUS_Bad.SHT"_s, running), copyOf(u"HAUS_ALT_Bad.SHT"_s, dead),
                           copyOf(u"GARTEN.FNP"_s, dead)};
    for (const QString &name : gone + kept)
        writeBytes(inDir(name), "halb");

    AppState state;
    fillCatalogue(state);
    ScriptedPrompt prompt;
    prompt.setAllowUnexpectedErrors(true); // files this test does not write
    setLastProject(u"HAUS"_s);
    Workspace workspace(state, prompt, m_store.get());
    if (operation == u"start-up"_s) {
        workspace.FormCreate(dirPath());
    } else {
        state.ProjectName = u"HAUS"_s;
        state.DataFolder = dirPath();
        workspace.model().Sites = {u"Bad"_s};
        if (operation == u"open"_s) {
            prompt.expectOpenFile(true, inDir(u"HAUS.FNP"_s));
            workspace.operations().ffnen1Click();
        } else if (operation == u"save"_s) {
            workspace.Speichern1Click();
        } else {
            workspace.RefreshAllPages();
        }
    }
    const QStringList left = QDir(dirPath()).entryList({u".~*"_s}, QDir::Files | QDir::Hidden, QDir::Name);
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(left, expected);
}

void TestWorkspace::updater_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("message");
    QTest::newRow("started with its parameters") << true << QString() << true << QString();
    QTest::newRow("already running: no second copy") << true << u"TarvikUpdate.exe"_s << false << QString();
    QTest::newRow("missing") << false << QString() << false << u"Datei TarvikUpdate.exe nicht gefunden"_s;
}

void TestWorkspace::updater()
{
    QFETCH(bool, installed);
    QFETCH(QString, running);
    QFETCH(bool, started);
    QFETCH(QString, message);
    if (installed)
        writeBytes(inDir(u"TarvikUpdate.exe"_s), "x");
    AppState state;
    ScriptedPrompt prompt;
    if (!message.isEmpty())
        prompt.expectError(message);
    RecordingLauncher launcher;
    launcher.running = running;
    Workspace workspace(state, prompt, nullptr, {}, &launcher);
    workspace.FormCreate(dirPath());
    workspace.StartUpdater(u"m"_s);
    const QString folder = state.ProgramFolder;
    const QList<RecordingLauncher::Start> expected{{folder + u"TarvikUpdate.exe"_s, {u"m;2.2;200910"_s}, folder}};
    QCOMPARE(launcher.started, started ? expected : QList<RecordingLauncher::Start>());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "TestWorkspace.moc"
