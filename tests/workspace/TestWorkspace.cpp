#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/OperationError.h"
#include "workspace/AppState.h"
#include "workspace/MemorySettingsStore.h"
#include "workspace/Settings.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Start-up, saving and closing with an in-memory settings store and hooks that record what they
// were asked to do.
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
    void pageListOperations_data();
    void pageListOperations();

private:
    WorkspaceHooks recordingHooks();

    void setLastProject(const QString &name);
    bool settingsWritten() const { return m_store->hasKey(SettingsKeys::Own); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MemorySettingsStore> m_store;
    QStringList m_calls;
};

void TestWorkspace::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<MemorySettingsStore>();
    m_calls.clear();
}

void TestWorkspace::setLastProject(const QString &name)
{
    m_store->setString(SettingsKeys::Own, u"LASTFILE"_s, name);
    m_store->setString(SettingsKeys::Own, u"DIRDAT"_s, m_dir->path());
}

WorkspaceHooks TestWorkspace::recordingHooks()
{
    WorkspaceHooks hooks;
    // The settings are always written before a refresh.
    hooks.refreshAllPages = [this] { m_calls.append(settingsWritten() ? u"refresh"_s : u"refresh first"_s); };
    hooks.readExecFile = [this](const QString &path) {
        m_calls.append(u"read "_s + path);
        return !path.contains(u"bad"_s);
    };
    return hooks;
}

void TestWorkspace::startUpReadsTheLastProject()
{
    const QString folder = m_dir->path();
    writeBytes(m_dir->filePath(u"Haus.2.FNP"_s), "STARTPAGE=Garten\r\n*Site=Garten\r\nFREEIPS=(ALL);\r\n");
    writeBytes(m_dir->filePath(u"Haus.2_WEBUSERS.USR"_s), "anna;pw;Garten\r\n");
    AppState state;
    ScriptedPrompt prompt;
    setLastProject(u"Haus.2"_s);
    WorkspaceHooks hooks = recordingHooks();
    hooks.defaultBrowserPath = [] { return u"/usr/bin/browser"_s; };
    Workspace workspace(state, prompt, m_store.get(), hooks);
    workspace.model().IsChanged = true;
    workspace.FormCreate(m_dir->path());

    const ProjectModel &model = workspace.model();
    QCOMPARE(model.HeadName, u"Haus"_s);
    QCOMPARE(state.ProjectName, u"Haus.2"_s);
    QCOMPARE(model.Sites, QStringList({u"Garten"_s}));
    QCOMPARE(model.FreeIPs, QStringList({u"ALL"_s}));
    QCOMPARE(model.Users.at(0).User, u"anna"_s);
    QCOMPARE(model.DirDatText, folder);
    QCOMPARE(state.BrowserPath, u"/usr/bin/browser"_s);
    QCOMPARE(state.PagePartNames.size(), 6);
    QCOMPARE(state.ObjColumnNames, QStringList({u"Bezeichnung"_s, u"Zustand/Wert"_s, u"Eingabe"_s}));
    QCOMPARE(workspace.helpFile(), u"Fennaro.chm"_s);
    QVERIFY(!model.IsChanged);
    QVERIFY(!workspace.FormShow());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::startUpWithMissingFilesReportsBothAndGoesOn()
{
    AppState state;
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei %1 nicht gefunden"_s.arg(m_dir->filePath(u"Haus.FNP"_s)))
        .expectError(u"Datei nicht gefunden: "_s + m_dir->filePath(u"Haus_WEBUSERS.USR"_s));
    setLastProject(u"Haus"_s);
    Workspace workspace(state, prompt, m_store.get());
    workspace.FormCreate(m_dir->path());
    QCOMPARE(workspace.model().HeadName, u"Haus"_s);
    QVERIFY(workspace.model().Sites.isEmpty());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::startUpWithoutProjectReadsNothing()
{
    AppState state;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    workspace.FormCreate(m_dir->path());
    QVERIFY(m_calls.isEmpty());
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
    writeBytes(m_dir->filePath(execFile), "x");
    m_store->setString(SettingsKeys::Own, u"DIRDAT"_s, m_dir->path());
    m_store->setString(SettingsKeys::Engine, u"CUREXECFILE"_s, execFile);
    const QString path = m_dir->filePath(execFile);
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    workspace.FormCreate(m_dir->path());
    QCOMPARE(m_calls, QStringList({u"read "_s + path}));
    QCOMPARE(workspace.model().RVXFileShown, shown.isEmpty() ? QString() : path);
    QCOMPARE(state.ExecFileName, path);
}

void TestWorkspace::startUpRemovesUpdaterLeftovers()
{
    const QString temp = m_dir->filePath(u"_updatetemp"_s);
    QVERIFY(QDir().mkdir(temp));
    writeBytes(temp + u"/UpdateFennaro.exe"_s, "x");
    writeBytes(temp + u"/UpdateFennaroPC.exe"_s, "x");
    AppState state;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt);
    workspace.FormCreate(m_dir->path());
    QVERIFY(!QFileInfo::exists(temp));

    // A folder with other files stays, silently.
    QVERIFY(QDir().mkdir(temp));
    writeBytes(temp + u"/other.txt"_s, "x");
    workspace.FormCreate(m_dir->path());
    QVERIFY(QFileInfo::exists(temp + u"/other.txt"_s));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestWorkspace::saveWritesBothFilesAndClearsIsChanged()
{
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = m_dir->path();
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    workspace.model().HeadName = u"Anders"_s;
    workspace.model().IsChanged = true;
    workspace.Speichern1Click();
    QVERIFY(QFileInfo::exists(m_dir->filePath(u"Haus.FNP"_s)));
    QVERIFY(QFileInfo::exists(m_dir->filePath(u"Haus_WEBUSERS.USR"_s)));
    QCOMPARE(workspace.model().HeadName, u"Haus"_s);
    QVERIFY(!workspace.model().IsChanged);
    QCOMPARE(m_store->value(SettingsKeys::Own, u"LASTFILE"_s).toString(), u"Haus"_s);
    QVERIFY(m_calls.isEmpty());
}

void TestWorkspace::saveIntoMissingFolderKeepsIsChanged()
{
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = m_dir->filePath(u"fehlt"_s);
    ScriptedPrompt prompt;
    prompt.expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(m_dir->filePath(u"fehlt/Haus.FNP"_s)))
        .expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(m_dir->filePath(u"fehlt/Haus_WEBUSERS.USR"_s)));
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    // Even a project without marked edits must not count as saved when nothing was written.
    workspace.model().IsChanged = false;
    workspace.Speichern1Click();
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
    state.DataFolder = m_dir->path();
    state.DefData.RVXDate = rvxDate;
    state.ExecFileDate = execDate;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    workspace.Speichern1Click();
    QCOMPARE(m_calls, refresh ? QStringList({u"refresh"_s}) : QStringList());
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
    const QString folder = folderExists ? m_dir->path() : m_dir->filePath(u"fehlt"_s);
    if (answer >= 0)
        prompt.expectYesNoCancel(u"Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?"_s,
                                 Prompt::Answer(answer));
    if (!folderExists)
        prompt.setAllowUnexpectedErrors(true);
    Workspace workspace(state, prompt, m_store.get(), recordingHooks());
    workspace.model().DirDatText = folder;
    workspace.model().IsChanged = changed;
    QCOMPARE(workspace.FormClose(), closes);
    QCOMPARE(QFileInfo::exists(m_dir->filePath(u"P.FNP"_s)), saved);
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
    workspace.model().DirDatText = u"/neu"_s;
    QVERIFY(workspace.FormClose());
    QCOMPARE(state.DataFolder, u"/neu"_s);
    QCOMPARE(m_store->value(SettingsKeys::Own, u"DIRDAT"_s).toString(), u"/neu"_s);
}

void TestWorkspace::closeGoesOnAfterAFailedRefresh()
{
    AppState state;
    state.DefData.RVXDate = 1.0;
    state.ExecFileDate = 2.0;
    ScriptedPrompt prompt;
    prompt.expectError(u"Seite kaputt"_s);
    WorkspaceHooks hooks = recordingHooks();
    hooks.refreshAllPages = [] { throw OperationError(u"Seite kaputt"_s); };
    Workspace workspace(state, prompt, m_store.get(), hooks);
    QVERIFY(workspace.FormClose());
    QVERIFY(settingsWritten());
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

    // Page files carry the shown project name, which differs from ProjectName after start-up
    // with a name containing a dot.
    writeBytes(m_dir->filePath(u"Haus_Garten.SHT"_s), "x");
    writeBytes(m_dir->filePath(u"Haus_Haus.SHT"_s), "x");
    AppState state;
    state.ProjectName = u"Haus.2"_s;
    state.DataFolder = m_dir->path();
    ScriptedPrompt prompt;
    if (selected < 0)
        prompt.expectError(u"Kein Eintrag ausgewählt"_s);
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.HeadName = u"Haus"_s;
    model.Sites = {u"Haus"_s, u"Garten"_s, u"Keller"_s};
    model.StartPage = u"Alt"_s;
    if (take)
        workspace.TakePageClick(selected);
    else
        workspace.DelSiteBtnClick(selected);
    QCOMPARE(model.Sites, sites);
    QCOMPARE(model.StartPage, startPage);
    QCOMPARE(model.IsChanged, changed);
    QCOMPARE(QFileInfo::exists(m_dir->filePath(u"Haus_Garten.SHT"_s)), take || selected != 1);
    QVERIFY(QFileInfo::exists(m_dir->filePath(u"Haus_Haus.SHT"_s)));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "TestWorkspace.moc"
