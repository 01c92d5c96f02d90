#include "page/PageEditSession.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "workspace/AppState.h"
#include "workspace/MemorySettingsStore.h"
#include "workspace/ProjectModel.h"
#include "workspace/ProjectOperations.h"
#include "workspace/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString TargetExists = u"Datei %1 existiert schon. Erstellen der neuen Dateien nicht möglich!"_s;
const QString CopyFailed = u"Datei %1 konnte nicht kopiert werden!"_s;

// The saved project "Haus" with two page files; the page list also names a page never saved.
const QStringList HausFiles{u"Haus.FNP"_s, u"Haus_Küche.SHT"_s, u"Haus_Start.SHT"_s, u"Haus_WEBUSERS.USR"_s};
const QStringList HausPages{u"Start"_s, u"Küche"_s, u"Fehlt"_s};

// "name=content" entries; content defaults to the name.
using FileList = QStringList;
} // namespace

class TestProjectOperations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newProject_data();
    void newProject();
    void openShowsOnlyTheOpenedProject_data();
    void openShowsOnlyTheOpenedProject();
    void openCancelledChangesNothing();
    void rename_data();
    void rename();
    void copy_data();
    void copy();
    void typedDataFolder_data();
    void typedDataFolder();
    void chosenDataFolder();

private:
    void writeFiles(const FileList &files);
    QString content(const QString &name) const;
    QStringList files() const;
    // A file of the test folder as the program names it.
    QString path(const QString &name) const { return shown(m_dir->filePath(name)); }
    void setUpHaus(const FileList &extra);

    // Fresh for every test function and row.
    struct Fixture
    {
        ScriptedPrompt prompt;
        AppState state;
        ProjectModel model;
        MemorySettingsStore settings;
        PageEditSession page{state.catalogue};
    };
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Fixture> f;
};

void TestProjectOperations::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    f = std::make_unique<Fixture>();
}

void TestProjectOperations::cleanup()
{
    QVERIFY2(f->prompt.verifyDone(), qPrintable(f->prompt.problems().join(u'\n')));
}

void TestProjectOperations::writeFiles(const FileList &files)
{
    for (const QString &entry : files) {
        const QString name = entry.section(u'=', 0, 0);
        const QString text = entry.contains(u'=') ? entry.section(u'=', 1) : name;
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
}

QString TestProjectOperations::content(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<fehlt>"_s;
}

QStringList TestProjectOperations::files() const
{
    return QDir(m_dir->path()).entryList(QDir::Files, QDir::Name);
}

void TestProjectOperations::setUpHaus(const FileList &extra)
{
    writeFiles(HausFiles);
    writeFiles(extra);
    f->state.ProjectName = u"Haus"_s;
    f->state.DataFolder = m_dir->path();
    f->model.HeadName = u"Haus"_s;
    f->model.Sites = HausPages;
}

void TestProjectOperations::newProject_data()
{
    QTest::addColumn<QString>("name");     // ProjectName before
    QTest::addColumn<QString>("proposed"); // the name the dialog shows
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("viewCleared");

    QTest::newRow("first start, OK") << QString() << u"FENNAROSET"_s << true << u"Haus"_s << u"Haus"_s << true;
    QTest::newRow("first start, cancelled")
        << QString() << u"FENNAROSET"_s << false << QString() << u"FENNAROSET"_s << false;
    QTest::newRow("blank name proposes FENNAROSET")
        << u"  "_s << u"FENNAROSET"_s << true << u"Neu"_s << u"Neu"_s << true;
    QTest::newRow("answer of blanks only") << u"Haus"_s << u"Haus"_s << true << u"   "_s << u"FENNAROSET"_s << true;
    QTest::newRow("trailing blanks removed") << u"Haus"_s << u"Haus"_s << true << u"Neu  "_s << u"Neu"_s << true;
    QTest::newRow("cancel keeps name and pages") << u"Haus"_s << u"Haus"_s << false << QString() << u"Haus"_s << false;
}

void TestProjectOperations::newProject()
{
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(QString, result);
    QFETCH(bool, viewCleared);

    f->state.ProjectName = name;
    f->state.DataFolder = u"/daten"_s;
    f->state.ExecFileName = u"/alt/Alt.RVX"_s;
    f->model.Sites = HausPages;
    f->model.StartPage = u"Start"_s;
    f->model.AuthMsg = u"Kennwort?"_s;
    f->model.Users[0] = {u"anna"_s, u"geheim"_s, u"Start"_s};
    f->model.FreeIPs = QStringList{u"192.168.0.5"_s};
    f->settings.setString(SettingsKeys::Engine, u"CUREXECFILE"_s, u"Neu.RVX"_s);
    // A page handled before left its own build order behind.
    moveEntry(f->page.document().buildOrder, 0, 1);
    f->page.document().columnOrder[0].checked = false;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt, &f->settings);
    f->prompt.expectName(proposed, accept, answer);

    operations.Neu1Click();

    QCOMPARE(f->state.ProjectName, result);
    QCOMPARE(f->model.HeadName, result);
    QCOMPARE(f->model.Sites.isEmpty(), viewCleared);
    QCOMPARE(f->model.StartPage.isEmpty(), viewCleared);
    QCOMPARE(f->model.AuthMsg.isEmpty(), viewCleared);
    QCOMPARE(f->model.Users.size(), 6);
    QCOMPARE(f->model.Users[0].User, QString());
    QCOMPARE(f->model.Users[0].Password, QString());
    QCOMPARE(f->model.FreeIPs, QStringList{u"192.168.0.5"_s});
    QCOMPARE(f->state.ExecFileName, shown(u"/daten/Neu.RVX"_s));
    QCOMPARE(f->model.RVXFileShown, shown(u"/daten/Neu.RVX"_s));
    QCOMPARE(f->state.DataFolder, u"/daten"_s);
    QCOMPARE(f->model.IsChanged, false);
    const PageDocument fresh;
    QCOMPARE(f->page.document().buildOrder, fresh.buildOrder);
    QCOMPARE(f->page.document().columnOrder, fresh.columnOrder);
    QCOMPARE(f->prompt.lastCaption, u"Eingabe"_s);
    QCOMPARE(f->prompt.lastLabel, u"Neuer Name der Dateigruppe"_s);
    QCOMPARE(f->prompt.lastMaxLength, 32);
}

void TestProjectOperations::openShowsOnlyTheOpenedProject_data()
{
    QTest::addColumn<QString>("projectFile"); // empty: no file
    QTest::addColumn<QString>("userFile");    // empty: no file
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("authMsg");
    QTest::addColumn<QString>("firstUser");
    QTest::addColumn<QStringList>("errors");

    const QString project = u"AUTHMSG=Willkommen\r\n*Site=Eingang\r\n*Site=Flur\r\nRVXFile=/x/Haus.RVX\r\n"_s;
    const QString noUsers = u"Datei nicht gefunden: <dir>/Haus.2_WEBUSERS.USR"_s;
    QTest::newRow("with user list") << project << u"bert;pw;Flur\r\n"_s << QStringList{u"Eingang"_s, u"Flur"_s}
                                    << u"Willkommen"_s << u"bert"_s << QStringList();
    QTest::newRow("without user list") << project << QString() << QStringList{u"Eingang"_s, u"Flur"_s}
                                       << u"Willkommen"_s << QString() << QStringList{noUsers};
    QTest::newRow("project file gone") << QString() << QString() << QStringList() << QString() << QString()
                                       << QStringList{u"Datei <dir>/Haus.2.FNP nicht gefunden"_s, noUsers};
}

void TestProjectOperations::openShowsOnlyTheOpenedProject()
{
    QFETCH(QString, projectFile);
    QFETCH(QString, userFile);
    QFETCH(QStringList, sites);
    QFETCH(QString, authMsg);
    QFETCH(QString, firstUser);
    QFETCH(QStringList, errors);

    QDir(m_dir->path()).mkdir(u"anders"_s);
    if (!projectFile.isEmpty())
        writeFiles({u"anders/Haus.2.FNP="_s + projectFile});
    if (!userFile.isEmpty())
        writeFiles({u"anders/Haus.2_WEBUSERS.USR="_s + userFile});
    f->state.ProjectName = u"Alt"_s;
    f->state.DataFolder = u"/daten"_s;
    f->model.Sites = HausPages;
    f->model.StartPage = u"Start"_s;
    f->model.AuthMsg = u"Kennwort?"_s;
    f->model.Users[0] = {u"anna"_s, u"geheim"_s, u"Start"_s};
    f->model.IsChanged = true;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt, &f->settings);
    f->prompt.expectOpenFile(true, path(u"anders/Haus.2.FNP"_s));
    for (QString error : errors)
        f->prompt.expectError(error.replace(u"<dir>/"_s, path(u"anders/"_s)));

    operations.ffnen1Click();

    QCOMPARE(f->prompt.lastFolder, u"/daten"_s);
    QCOMPARE(f->prompt.lastFilterName, u"WEB-Seiten"_s);
    QCOMPARE(f->prompt.lastPattern, u"*.FNP"_s);
    QCOMPARE(f->prompt.lastSuffix, u"FNP"_s);
    QCOMPARE(f->model.Sites, sites);
    QCOMPARE(f->model.StartPage, QString());
    QCOMPARE(f->model.AuthMsg, authMsg);
    QCOMPARE(f->model.Users[0].User, firstUser);
    QCOMPARE(f->model.Users[0].Password.isEmpty(), firstUser.isEmpty());
    QCOMPARE(f->state.ProjectName, u"Haus.2"_s);
    QCOMPARE(f->model.HeadName, u"Haus.2"_s);
    QCOMPARE(f->state.DataFolder, path(u"anders/"_s));
    QCOMPARE(f->model.DirDatText, path(u"anders/"_s));
    QCOMPARE(f->model.IsChanged, true);
}

void TestProjectOperations::openCancelledChangesNothing()
{
    f->state.ProjectName = u"Alt"_s;
    f->model.Sites = HausPages;
    f->model.Users[0].User = u"anna"_s;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt);
    f->prompt.expectOpenFile(false);

    operations.ffnen1Click();

    QCOMPARE(f->model.Sites, HausPages);
    QCOMPARE(f->model.Users[0].User, u"anna"_s);
    QCOMPARE(f->state.ProjectName, u"Alt"_s);
}

void TestProjectOperations::rename_data()
{
    QTest::addColumn<FileList>("extra"); // files beside project Haus
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("error"); // the existing project file named in the refusal
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("changed");

    const QStringList villa{u"Villa.FNP"_s, u"Villa_Küche.SHT"_s, u"Villa_Start.SHT"_s, u"Villa_WEBUSERS.USR"_s};
    QTest::newRow("all files moved") << FileList() << true << u"Villa"_s << QString() << villa << u"Villa"_s << true;
    QTest::newRow("page file of the new name stays")
        << FileList{u"Villa_Start.SHT=alt"_s} << true << u"Villa"_s << QString()
        << QStringList{u"Haus_Start.SHT"_s, u"Villa.FNP"_s, u"Villa_Küche.SHT"_s, u"Villa_Start.SHT"_s,
                       u"Villa_WEBUSERS.USR"_s}
        << u"Villa"_s << true;
    QTest::newRow("onto another project refused")
        << FileList{u"Villa.FNP=anderes Projekt"_s} << true << u"Villa"_s << u"Villa.FNP"_s
        << HausFiles + QStringList{u"Villa.FNP"_s} << u"Haus"_s << false;
    QTest::newRow("onto its own name") << FileList() << true << u"Haus"_s << QString() << HausFiles << u"Haus"_s
                                       << true;
#ifndef Q_OS_WIN
    QTest::newRow("letter case only") << FileList() << true << u"HAUS"_s << QString()
                                      << QStringList{u"HAUS.FNP"_s, u"HAUS_Küche.SHT"_s, u"HAUS_Start.SHT"_s,
                                                     u"HAUS_WEBUSERS.USR"_s}
                                      << u"HAUS"_s << true;
    QTest::newRow("letter case only, another project of that spelling")
        << FileList{u"HAUS.FNP=anderes Projekt"_s} << true << u"HAUS"_s << u"HAUS.FNP"_s
        << QStringList{u"HAUS.FNP"_s} + HausFiles << u"Haus"_s << false;
#endif
    QTest::newRow("cancelled") << FileList() << false << QString() << QString() << HausFiles << u"Haus"_s << false;
    QTest::newRow("blank answer") << FileList() << true << u"  "_s << QString() << HausFiles << u"Haus"_s << false;
}

void TestProjectOperations::rename()
{
    QFETCH(FileList, extra);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(QString, error);
    QFETCH(QStringList, after);
    QFETCH(QString, name);
    QFETCH(bool, changed);

    setUpHaus(extra);
    ProjectOperations operations(f->state, f->model, f->page, f->prompt);
    f->prompt.expectName(u"Haus"_s, accept, answer);
    if (!error.isEmpty())
        f->prompt.expectError(TargetExists.arg(path(error)));

    operations.ChangeNameClick();

    QCOMPARE(files(), after);
    QCOMPARE(f->state.ProjectName, name);
    QCOMPARE(f->model.HeadName, name);
    QCOMPARE(f->model.IsChanged, changed);
    QCOMPARE(f->model.Sites, HausPages);
    if (after.contains(u"Villa_Start.SHT"_s))
        QCOMPARE(content(u"Villa_Start.SHT"_s), extra.isEmpty() ? u"Haus_Start.SHT"_s : u"alt"_s);
    if (!error.isEmpty())
        QCOMPARE(content(error), u"anderes Projekt"_s);
}

void TestProjectOperations::copy_data()
{
    QTest::addColumn<FileList>("existing"); // instead of the saved project Haus
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("name");

    const QStringList villa{u"Villa.FNP"_s, u"Villa_Küche.SHT"_s, u"Villa_Start.SHT"_s, u"Villa_WEBUSERS.USR"_s};
    const QString missingPage = CopyFailed.arg(u"<dir>/Haus_Fehlt.SHT"_s);
    QTest::newRow("saved project copied")
        << HausFiles << true << u"Villa"_s << QStringList{missingPage} << HausFiles + villa << u"Villa"_s;
    QTest::newRow("onto an existing project")
        << HausFiles + FileList{u"Villa.FNP=anderes Projekt"_s} << true << u"Villa"_s
        << QStringList{TargetExists.arg(u"<dir>/Villa.FNP"_s)} << HausFiles + QStringList{u"Villa.FNP"_s} << u"Haus"_s;
    QTest::newRow("existing page file not replaced")
        << HausFiles + FileList{u"Villa_Start.SHT=alt"_s} << true << u"Villa"_s
        << QStringList{CopyFailed.arg(u"<dir>/Haus_Start.SHT"_s), missingPage} << HausFiles + villa << u"Villa"_s;
    QTest::newRow("project never saved") << FileList() << true << u"Villa"_s
                                         << QStringList{CopyFailed.arg(u"<dir>/Haus.FNP"_s),
                                                        CopyFailed.arg(u"<dir>/Haus_WEBUSERS.USR"_s),
                                                        CopyFailed.arg(u"<dir>/Haus_Start.SHT"_s),
                                                        CopyFailed.arg(u"<dir>/Haus_Küche.SHT"_s), missingPage}
                                         << QStringList() << u"Villa"_s;
    QTest::newRow("cancelled") << HausFiles << false << QString() << QStringList() << HausFiles << u"Haus"_s;
}

void TestProjectOperations::copy()
{
    QFETCH(FileList, existing);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, after);
    QFETCH(QString, name);

    writeFiles(existing);
    f->state.ProjectName = u"Haus"_s;
    f->state.DataFolder = m_dir->path();
    f->model.HeadName = u"Haus"_s;
    f->model.Sites = HausPages;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt);
    f->prompt.expectName(u"Haus"_s, accept, answer);
    for (QString error : errors)
        f->prompt.expectError(error.replace(u"<dir>/"_s, shown(m_dir->path() + u'/')));

    operations.KopierenClick();

    after.sort();
    QCOMPARE(files(), after);
    QCOMPARE(f->state.ProjectName, name);
    QCOMPARE(f->model.HeadName, name);
    QCOMPARE(f->model.IsChanged, false);
    if (after.contains(u"Villa_Start.SHT"_s))
        QCOMPARE(content(u"Villa_Start.SHT"_s),
                 existing.contains(u"Villa_Start.SHT=alt"_s) ? u"alt"_s : u"Haus_Start.SHT"_s);
    if (after.contains(u"Villa.FNP"_s))
        QCOMPARE(content(u"Villa.FNP"_s),
                 existing.contains(u"Villa.FNP=anderes Projekt"_s) ? u"anderes Projekt"_s : u"Haus.FNP"_s);
}

void TestProjectOperations::typedDataFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folder");
    QTest::newRow("backslash at the end") << u"C:\\Daten\\"_s << u"C:\\Daten"_s;
    QTest::newRow("two backslashes lose one") << u"C:\\Daten\\\\"_s << u"C:\\Daten\\"_s;
    QTest::newRow("platform delimiter at the end") << u"/daten/web/"_s << u"/daten/web"_s;
    QTest::newRow("no delimiter") << u"/daten/web"_s << u"/daten/web"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestProjectOperations::typedDataFolder()
{
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    f->model.DirDatText = typed;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt);

    operations.DirDatEdtExit();

    // Shown and kept with the platform's delimiters: on Windows "/" is one as well.
    QCOMPARE(f->model.DirDatText, shown(folder));
    QCOMPARE(f->state.DataFolder, shown(folder));
    QVERIFY(f->model.IsChanged);
}

void TestProjectOperations::chosenDataFolder()
{
    f->state.DataFolder = u"/daten"_s;
    ProjectOperations operations(f->state, f->model, f->page, f->prompt);
    f->prompt.expectFolder(false).expectFolder(true, u"/neu/ort"_s);

    operations.SearchDirBtnClick();
    QCOMPARE(f->state.DataFolder, u"/daten"_s);
    operations.SearchDirBtnClick();
    QCOMPARE(f->prompt.lastFolder, u"/daten"_s);
    QCOMPARE(f->state.DataFolder, QDir::toNativeSeparators(u"/neu/ort"_s));
    QCOMPARE(f->model.DirDatText, f->state.DataFolder);
    QVERIFY(!f->model.IsChanged);
}

QTEST_GUILESS_MAIN(TestProjectOperations)
#include "TestProjectOperations.moc"
