#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/FileSystemFaults.h"
#include "support/ScriptedPrompt.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "page/PageEditSession.h"
#include "page/PageFileReader.h"
#include "text/FilePaths.h"
#include "text/OperationError.h"
#include "workspace/AppState.h"
#include "workspace/JsonSettingsStore.h"
#include "workspace/MemorySettingsStore.h"
#include "workspace/ProjectFile.h"
#include "workspace/Settings.h"
#include "workspace/UserFile.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray OldProject = "FILEVERS=140\r\nSTARTPAGE=Eins\r\nFREEIPS=\r\n*Site=Eins\r\n*Site=Zwei\r\n";
const QByteArray OldUsers = "anna;alt;Eins\r\n";
const QByteArray OldPage = "@V=HTM100\r\n#001000=Eins\r\nFILEVERS=140\r\n#008000\r\nSHEAD=Alt\r\n#099000\r\n";

// The message of a read failing half-way, "%1" standing for the file.
QString ioErrorOfFailingRead()
{
    return u"E/A-Fehler %1: "_s.arg(FailingRead::errorNumber()) + u"%1"_s;
}

QString writeFailed(int number, const QString &path)
{
    return u"Fehler %1 beim Schreiben der Datei %2"_s.arg(number).arg(path);
}

// A fault made for the length of one operation.
struct Fault
{
    std::unique_ptr<PermissionsEnforced> enforced;
    std::unique_ptr<ReadOnlyFolder> readOnly;
    std::unique_ptr<FullDisk> full;
    std::unique_ptr<FailingRead> failing;
    std::unique_ptr<UnreadableFile> unreadable;
};

} // namespace

// The failure paths of every reader and writer with real file system failures: a read-only data
// folder, a full disk, a folder where a file should be, a file that vanished after it was listed and
// one that fails half-way through reading. What the user is shown, what is left on disk, IsChanged,
// and that the program can still be closed.
class TestIoFailures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void save_data();
    void save();
    void refresh_data();
    void refresh();
    void pageEditorSave_data();
    void pageEditorSave();
    void read_data();
    void read();
    void openingAFileFailingHalfWayKeepsTheProjectShown();
    void startUpGoesOnAfterAFailingRead_data();
    void startUpGoesOnAfterAFailingRead();
    void settings_data();
    void settings();

private:
    // A file of the data folder as the program names it.
    QString data(const QString &name) const { return shown(m_data + u'/' + name); }
    // Why this system cannot make fault at all (then the row is skipped); empty when it can.
    static QString unavailable(const QString &fault)
    {
        return fault == u"read-only data folder"_s ? ReadOnlyFolder::whyInactive()
               : fault == u"full disk"_s          ? FullDisk::whyInactive()
               : fault == u"failing half-way"_s   ? FailingRead::whyInactive()
                                                  : QString();
    }
    // Makes fault (see the data tables) on the data folder or on file; returns false when the
    // system could not make it.
    bool make(Fault &made, const QString &fault, const QString &file);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
};

void TestIoFailures::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = shown(m_dir->filePath(u"daten"_s));
    QVERIFY(QDir().mkpath(m_data));
    writeBytes(data(u"HAUS.FNP"_s), OldProject);
    writeBytes(data(u"HAUS_WEBUSERS.USR"_s), OldUsers);
    writeBytes(data(u"HAUS_Eins.SHT"_s), OldPage);
    writeBytes(data(u"HAUS_Zwei.SHT"_s), OldPage);
}

bool TestIoFailures::make(Fault &made, const QString &fault, const QString &file)
{
    made.enforced = std::make_unique<PermissionsEnforced>();
    if (fault == u"read-only data folder"_s) {
        made.readOnly = std::make_unique<ReadOnlyFolder>(m_data);
        return made.readOnly->isActive();
    }
    if (fault == u"full disk"_s) {
        made.full = std::make_unique<FullDisk>(m_data);
        return made.full->isActive();
    }
    if (fault == u"failing half-way"_s) {
        made.failing = std::make_unique<FailingRead>(file);
        return made.failing->isActive();
    }
    QFile::remove(file);
    if (fault == u"a folder in its place"_s)
        return QDir().mkpath(file);
    return fault == u"vanished"_s;
}

void TestIoFailures::save_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("file");       // the file the fault is made on
    QTest::addColumn<QStringList>("failed"); // files that must keep their old bytes
    QTest::newRow("read-only data folder") << u"read-only data folder"_s << QString()
                                           << QStringList{u"HAUS.FNP"_s, u"HAUS_WEBUSERS.USR"_s};
    QTest::newRow("full disk") << u"full disk"_s << QString() << QStringList{u"HAUS.FNP"_s, u"HAUS_WEBUSERS.USR"_s};
    QTest::newRow("project file is a folder") << u"a folder in its place"_s << u"HAUS.FNP"_s << QStringList();
    QTest::newRow("user list is a folder") << u"a folder in its place"_s << u"HAUS_WEBUSERS.USR"_s << QStringList();
}

void TestIoFailures::save()
{
    QFETCH(QString, fault);
    QFETCH(QString, file);
    QFETCH(QStringList, failed);
    AppState state;
    state.ProjectName = u"HAUS"_s;
    state.DataFolder = m_data;
    ScriptedPrompt prompt;
    MemorySettingsStore settings;
    Workspace workspace(state, prompt, &settings);
    ProjectModel &model = workspace.model();
    model.DirDatText = m_data;
    model.Sites = QStringList{u"Eins"_s, u"Zwei"_s, u"Neu"_s};
    model.Users[0] = {u"anna"_s, u"neu"_s, u"Neu"_s};
    model.IsChanged = true;

    Fault made;
    if (const QString why = unavailable(fault); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY2(make(made, fault, file.isEmpty() ? QString() : data(file)), qPrintable(fault));
    // Once for the save, once for the save that closing offers.
    const auto expectSave = [&] {
        // The input/output error names the file it happened on.
        if (made.full)
            prompt.expectError(u"E/A-Fehler %1: %2"_s.arg(made.full->errorNumber()).arg(data(u"HAUS.FNP"_s)));
        else if (made.readOnly)
            prompt.expectError(writeFailed(5, data(u"HAUS.FNP"_s))).expectError(writeFailed(5, data(u"HAUS_WEBUSERS.USR"_s)));
        else
            prompt.expectError(writeFailed(5, data(file)));
    };
    expectSave();
    try {
        QVERIFY(!workspace.Speichern1Click());
    } catch (const OperationError &e) {
        prompt.error(e.message());
    }
    QVERIFY2(model.IsChanged, "a save that did not write the project keeps IsChanged");
    for (const QString &name : failed)
        QCOMPARE(fileBytes(data(name)), name.endsWith(u".FNP"_s) ? OldProject : OldUsers);

    // Closing offers to save: the save fails again and the window stays open with the edits; the
    // user can still close without saving.
    prompt.expectYesNoCancel(u"Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?"_s,
                             Prompt::Answer::Yes);
    expectSave();
    QVERIFY2(!workspace.FormClose(), "the window stays open");
    QCOMPARE(model.Sites, (QStringList{u"Eins"_s, u"Zwei"_s, u"Neu"_s}));
    QCOMPARE(model.Users[0].Password, u"neu"_s);
    prompt.expectYesNoCancel(u"Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?"_s,
                             Prompt::Answer::No);
    QVERIFY2(workspace.FormClose(), "the program can be closed");
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::refresh_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages"); // %1: the path of page Eins, %2: of page Zwei, %3: the full disk's number
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("notWritten");
    QTest::addColumn<QStringList>("untouched"); // pages that keep their old bytes
    const auto status = [](RefreshResult::Status s) { return int(s); };
    QTest::newRow("read-only data folder")
        << u"read-only data folder"_s
        << QStringList{u"Fehler 5 beim Schreiben der Datei %1"_s, u"Fehler 5 beim Schreiben der Datei %2"_s}
        << status(RefreshResult::Status::Completed) << 2 << QStringList{u"Eins"_s, u"Zwei"_s};
    QTest::newRow("full disk") << u"full disk"_s << QStringList{u"E/A-Fehler %3: %1"_s}
                               << status(RefreshResult::Status::Stopped) << 0 << QStringList{u"Eins"_s, u"Zwei"_s};
    QTest::newRow("page file is a folder")
        << u"a folder in its place"_s
        << QStringList{u"Datei nicht gefunden: %1"_s, u"Fehler 5 beim Schreiben der Datei %1"_s}
        << status(RefreshResult::Status::Completed) << 1 << QStringList();
    // Listed in the project, gone when its turn comes: written anew from what the page before left.
    QTest::newRow("page file vanished") << u"vanished"_s << QStringList{u"Datei nicht gefunden: %1"_s}
                                        << status(RefreshResult::Status::Completed) << 0 << QStringList();
    QTest::newRow("page file failing half-way") << u"failing half-way"_s << QStringList{ioErrorOfFailingRead()}
                                                << status(RefreshResult::Status::Stopped) << 0
                                                << QStringList{u"Zwei"_s};
}

void TestIoFailures::refresh()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    QFETCH(int, status);
    QFETCH(int, notWritten);
    QFETCH(QStringList, untouched);
    AppState state;
    state.ProjectName = u"HAUS"_s;
    state.DataFolder = m_data;
    state.catalogue.AddPSObj(u"Licht"_s, 1)->Source = u'O';
    state.catalogue.setComplete(true);
    state.DefData.RVXDate = 1.0;
    state.ExecFileDate = 2.0;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt);
    workspace.model().Sites = QStringList{u"Eins"_s, u"Zwei"_s};
    workspace.pageSession().InitAll();

    Fault made;
    if (const QString why = unavailable(fault); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY2(make(made, fault, data(u"HAUS_Eins.SHT"_s)), qPrintable(fault));
    for (QString message : std::as_const(messages)) {
        message.replace(u"%1"_s, data(u"HAUS_Eins.SHT"_s)).replace(u"%2"_s, data(u"HAUS_Zwei.SHT"_s));
        prompt.expectError(message.replace(u"%3"_s, QString::number(made.full ? made.full->errorNumber() : 0)));
    }
    const RefreshResult result = workspace.RefreshAllPages();
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.pagesNotWritten, notWritten);
    QCOMPARE(state.DefData.RVXDate, status == int(RefreshResult::Status::Completed) ? 2.0 : 1.0);
    for (const QString &page : std::as_const(untouched))
        QCOMPARE(fileBytes(data(u"HAUS_%1.SHT"_s.arg(page))), OldPage);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::pageEditorSave_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("read-only data folder") << u"read-only data folder"_s;
    QTest::newRow("full disk") << u"full disk"_s;
    QTest::newRow("page file is a folder") << u"a folder in its place"_s;
}

void TestIoFailures::pageEditorSave()
{
    QFETCH(QString, fault);
    Catalogue catalogue;
    PageEditSession session(catalogue);
    session.InitAll();
    PageHandOver handOver;
    handOver.page = u"Eins"_s;
    handOver.allPages = {u"Eins"_s, u"Zwei"_s};
    handOver.dataFolder = m_data;
    handOver.projectName = u"HAUS"_s;
    ScriptedPrompt prompt;
    session.begin(handOver, prompt);
    session.setHeadline(u"Neu"_s);
    session.markChanged();

    const QString path = data(u"HAUS_Eins.SHT"_s);
    Fault made;
    if (const QString why = unavailable(fault); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY2(make(made, fault, path), qPrintable(fault));
    bool thrown = false;
    if (made.full)
        prompt.expectError(u"E/A-Fehler %1: %2"_s.arg(made.full->errorNumber()).arg(path));
    else
        prompt.expectError(writeFailed(5, path));
    try {
        QCOMPARE(session.save(prompt), PageEditSession::SaveResult::NotWritten);
    } catch (const OperationError &e) {
        thrown = true;
        prompt.error(e.message());
    }
    QCOMPARE(thrown, bool(made.full));
    // The editor stays open with the edit; closing it asks before the edit is dropped.
    QVERIFY(session.isChanged());
    QCOMPARE(session.document().layout.Headline, u"Neu"_s);
    if (!QFileInfo(path).isDir())
        QCOMPARE(fileBytes(path), OldPage);
    prompt.expectYesNo(u"Änderungen werden nicht gespeichert. Ist das richtig?"_s, Prompt::Answer::Yes);
    QVERIFY(session.closeQuery(prompt));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::read_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // %1: the file's path; empty: read as usual
    QTest::addColumn<bool>("thrown");     // the message ends the user's action (the guard shows it)
    const QString notFound = u"Datei %1 nicht gefunden"_s;
    const QString notFoundAfter = u"Datei nicht gefunden: %1"_s;
    const QString ioError = ioErrorOfFailingRead();
    const struct
    {
        QString reader;
        QString missing;
        bool throws;
    } readers[] = {{u"project file"_s, notFound, true},
                   {u"user list"_s, notFoundAfter, true},
                   {u"page file"_s, notFoundAfter, true},
                   {u"execution file"_s, notFound, false}};
    for (const auto &r : readers) {
        const auto row = [&](const QString &fault) { return (r.reader + u", "_s + fault).toUtf8(); };
        QTest::newRow(row(u"read-only data folder"_s).constData())
            << r.reader << u"read-only data folder"_s << QString() << false;
        QTest::newRow(row(u"a folder in its place"_s).constData())
            << r.reader << u"a folder in its place"_s << r.missing << false;
        QTest::newRow(row(u"vanished"_s).constData()) << r.reader << u"vanished"_s << r.missing << false;
        QTest::newRow(row(u"failing half-way"_s).constData())
            << r.reader << u"failing half-way"_s << ioError << r.throws;
    }
}

void TestIoFailures::read()
{
    QFETCH(QString, reader);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(bool, thrown);
    AppState state;
    state.DataFolder = m_data;
    ProjectModel model;
    model.Sites = QStringList{u"Vorher"_s};
    Catalogue catalogue;
    const OfferedEntries offered(catalogue);
    PageDocument page;
    page.layout.Headline = u"Vorher"_s;

    QString file = data(u"HAUS.FNP"_s);
    std::function<bool(Prompt &)> read = [&](Prompt &p) { return ReadProjectFile(file, state, model, p); };
    std::function<bool()> unchanged = [&] { return model.Sites == QStringList{u"Vorher"_s}; };
    std::function<bool()> wasRead = [&] { return model.Sites == QStringList{u"Vorher"_s, u"Eins"_s, u"Zwei"_s}; };
    if (reader == u"user list"_s) {
        file = data(u"HAUS_WEBUSERS.USR"_s);
        read = [&](Prompt &p) { return ReadUserFile(u"HAUS"_s, state, model, p); };
        // The cells are emptied before the file is opened.
        unchanged = [&] { return model.Users[0].User.isEmpty(); };
        wasRead = [&] { return model.Users[0].Password == u"alt"_s; };
    } else if (reader == u"page file"_s) {
        file = data(u"HAUS_Eins.SHT"_s);
        read = [&](Prompt &p) { return LoadHTMLSourcePage(page, offered, file, p) == PageRead::Read; };
        unchanged = [&] { return page.layout.Headline == u"Vorher"_s; };
        wasRead = [&] { return page.layout.Headline == u"Alt"_s; };
    } else if (reader == u"execution file"_s) {
        file = writeExecFile(m_data, u"HAUS.RVX"_s, {testHeader(27), u"@OBJECT=1"_s, u"NA=Licht"_s});
        read = [&](Prompt &p) { return ReadRVXFile(file, catalogue, p, nullptr); };
        unchanged = [&] { return catalogue.ObjList.empty(); };
        wasRead = [&] { return catalogue.ObjList.size() == 1; };
    }

    Fault made;
    if (const QString why = unavailable(fault); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY2(make(made, fault, file), qPrintable(fault));
    ScriptedPrompt prompt;
    if (!message.isEmpty() && !thrown)
        prompt.expectError(message.contains(u"%1"_s) ? message.arg(file) : message);
    try {
        read(prompt);
        QVERIFY2(!thrown, "the reading error ends the action");
    } catch (const OperationError &e) {
        QVERIFY(thrown);
        QCOMPARE(e.message(), message.arg(file));
    }
    QVERIFY2(message.isEmpty() ? wasRead() : unchanged(), "read, or left as it was");
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::openingAFileFailingHalfWayKeepsTheProjectShown()
{
    AppState state;
    state.ProjectName = u"HAUS"_s;
    state.DataFolder = m_data;
    ScriptedPrompt prompt;
    Workspace workspace(state, prompt);
    ProjectModel &model = workspace.model();
    model.Sites = QStringList{u"Eins"_s, u"Zwei"_s};
    model.StartPage = u"Eins"_s;
    model.AuthMsg = u"Bitte anmelden"_s;

    if (!FailingRead::whyInactive().isEmpty())
        QSKIP(qPrintable(FailingRead::whyInactive()));
    const QString other = data(u"GARTEN.FNP"_s);
    const FailingRead failing(other);
    QVERIFY(failing.isActive());
    prompt.expectOpenFile(true, other);
    try {
        workspace.operations().ffnen1Click();
        QFAIL("the reading error ends the opening");
    } catch (const OperationError &e) {
        QCOMPARE(e.message(), ioErrorOfFailingRead().arg(other));
    }
    QCOMPARE(state.ProjectName, u"HAUS"_s);
    QCOMPARE(model.Sites, (QStringList{u"Eins"_s, u"Zwei"_s}));
    QCOMPARE(model.StartPage, u"Eins"_s);
    QCOMPARE(model.AuthMsg, u"Bitte anmelden"_s);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::startUpGoesOnAfterAFailingRead_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("project file") << u"HAUS.FNP"_s;
    QTest::newRow("user list") << u"HAUS_WEBUSERS.USR"_s;
}

// The error is shown, and the steps after the reading still happen: the data folder field, the shown
// name, the browser, the updater's leftovers.
void TestIoFailures::startUpGoesOnAfterAFailingRead()
{
    QFETCH(QString, file);
    if (!FailingRead::whyInactive().isEmpty())
        QSKIP(qPrintable(FailingRead::whyInactive()));
    Fault made;
    QVERIFY(make(made, u"failing half-way"_s, data(file)));
    const QString program = m_dir->filePath(u"programm"_s);
    QVERIFY(QDir().mkpath(program + u"/_updatetemp"_s));
    MemorySettingsStore store;
    store.setString(SettingsKeys::Own, u"LASTFILE"_s, u"HAUS"_s);
    store.setString(SettingsKeys::Own, u"DIRDAT"_s, m_data);
    AppState state;
    ScriptedPrompt prompt;
    prompt.expectError(ioErrorOfFailingRead().arg(data(file)));
    Workspace workspace(state, prompt, &store, [] { return u"/usr/bin/browser"_s; });

    workspace.FormCreate(program);

    QCOMPARE(workspace.model().DirDatText, m_data);
    QCOMPARE(workspace.model().HeadName, u"HAUS"_s);
    QCOMPARE(state.BrowserPath, u"/usr/bin/browser"_s);
    QVERIFY(!QFileInfo::exists(program + u"/_updatetemp"_s));
    // The other file was read all the same.
    if (file == u"HAUS.FNP"_s)
        QCOMPARE(workspace.model().Users[0].User, u"anna"_s);
    else
        QCOMPARE(workspace.model().Sites, (QStringList{u"Eins"_s, u"Zwei"_s}));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestIoFailures::settings_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("read-only folder") << u"read-only data folder"_s;
    QTest::newRow("full disk") << u"full disk"_s;
    QTest::newRow("unreadable file") << u"unreadable"_s;
}

// The settings store reports nothing when it cannot write (the registry never does); the file keeps
// the user's last project for the next start.
void TestIoFailures::settings()
{
    QFETCH(QString, fault);
    const QString file = data(u"registry.json"_s);
    AppState before;
    before.ProjectName = u"HAUS"_s;
    before.DataFolder = m_data;
    before.ExecFileDate = 45000.25;
    {
        JsonSettingsStore store(file);
        WriteSettings(before, store);
        QVERIFY(store.lastWriteSucceeded());
    }
    const QByteArray written = fileBytes(file);

    {
        Fault made;
        if (fault == u"unreadable"_s) {
            made.enforced = std::make_unique<PermissionsEnforced>();
            made.unreadable = std::make_unique<UnreadableFile>(file);
            QVERIFY(made.unreadable->isActive());
        } else {
            if (const QString why = unavailable(fault); !why.isEmpty())
                QSKIP(qPrintable(why));
            QVERIFY2(make(made, fault, file), qPrintable(fault));
        }
        JsonSettingsStore store(file);
        AppState now;
        now.ProjectName = u"GARTEN"_s;
        now.DataFolder = m_data;
        WriteSettings(now, store);
        QVERIFY2(!store.lastWriteSucceeded(), "the write failed");
        made.unreadable.reset();
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(fileBytes(file), written);
        QCOMPARE(QDir(m_data).entryList(QDir::Files | QDir::Hidden).filter(u"registry"_s),
                 QStringList{u"registry.json"_s});
    }

    JsonSettingsStore store(file);
    AppState after;
    ReadSettings(after, store);
    QCOMPARE(after.ProjectName, u"HAUS"_s);
    QCOMPARE(after.DefData.RVXDate, 45000.25);
}

QTEST_GUILESS_MAIN(TestIoFailures)
#include "TestIoFailures.moc"
