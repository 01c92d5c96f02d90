#include "SaveGeneration.h"

#include "catalogue/Catalogue.h"
#include "page/PageFileWriter.h"
#include "page/PageEditSession.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace SaveGeneration {

namespace {

constexpr int Objects = 30;
constexpr int RowsPerPage = 20;
constexpr int MacrosPerPage = 3;
constexpr int LinksPerPage = 5;

QString objectName(int o)
{
    return u"Objekt_%1"_s.arg(o, 2, 10, QChar(u'0'));
}

// Objects whose entry data carries g, so every page file changes with every generation; every
// fifth object is a macro, and object 0 a device that brings two variables along.
void fillCatalogue(Catalogue &catalogue, int g)
{
    catalogue.ClearCatalogue();
    auto type = std::make_unique<TStrObj>();
    type->s = u"2&Aus&Ein%1&"_s.arg(g);
    catalogue.TypeList.push_back({u"Schalter"_s, std::move(type)});
    for (int v = 0; v < 2; ++v) {
        auto var = std::make_unique<TVar>();
        var->Name = u"Objekt_00.Wert%1"_s.arg(v);
        var->Idx = 500 + v + g;
        var->VType = v == 0 ? 2 : 3;
        var->TypeIdx = v == 0 ? 0 : -1;
        catalogue.VarList.push_back({var->Name, std::move(var)});
    }
    for (int o = 0; o < Objects; ++o) {
        TPSObj *obj = catalogue.AddPSObj(objectName(o), 10 + o);
        obj->Source = u'O';
        obj->VarIdx = 100 * o + g;
        obj->DevCode = quint16(o == 0 ? 55 : 1 + (o + g) % 40);
        obj->SysVars = o == 0 ? u"0;1"_s : QString();
        obj->ObjKind = QChar(o % 5 == 4 ? u'M' : (o % 3 == 0 ? u'U' : (o % 3 == 1 ? u'N' : u'B')));
        obj->TypInfo = u"1;Aus;Ein %1;"_s.arg(g);
        obj->Format = quint8(g % 3);
        obj->minVal = -10.0 * o;
        obj->maxVal = 1000.5 + g;
    }
    catalogue.setComplete(true);
}

// A page as the editor would have saved it: rows, macros, links and both HTML inserts.
bool writeStartPage(PageEditSession &session, int p, Prompt &prompt)
{
    const QStringList pages = pageNames();
    PageDocument &page = session.document();
    page.clearContent();
    page.name = pages.at(p);
    page.layout.Headline = u"Seite %1 – Größe"_s.arg(p);
    for (int k = 0; k < RowsPerPage; ++k) {
        const int o = (p + k) % Objects;
        const QString name = o % 5 == 4 ? u"Objekt_00.Wert%1"_s.arg(k % 2) : objectName(o);
        page.objects.append({name, u"Zeile %1 für %2"_s.arg(k).arg(name), k % 2 ? InputState::Yes : InputState::No,
                             {}, session.offered().find(name)});
    }
    for (int k = 0; k < MacrosPerPage; ++k) {
        const QString name = objectName(5 * ((p + k) % (Objects / 5)) + 4);
        page.macros.append({name, u"Makro %1"_s.arg(k), InputState::None, {}, session.offered().find(name)});
    }
    for (int k = 1; k <= LinksPerPage; ++k)
        page.links.append(pages.at((p + k) % Pages) + u" : "_s + pages.at((p + k) % Pages));
    page.html1 = {u"<p>Seite %1</p>"_s.arg(p), u"<hr>"_s};
    page.html2 = {u"<small>Ende</small>"_s};
    return CreateHTMLSourcePage(page, session.catalogue(), ProjectFiles::pageFile(DataFolder, Project, page.name),
                                prompt, QLocale(QLocale::German, QLocale::Germany));
}

} // namespace

QStringList pageNames()
{
    QStringList names;
    for (int p = 0; p < Pages; ++p)
        names.append(u"Raum %1"_s.arg(p, 2, 10, QChar(u'0')));
    return names;
}

QStringList savedFiles(const QString &settingsFile)
{
    QStringList files{ProjectFiles::projectFile(DataFolder, Project), ProjectFiles::userListFile(DataFolder, Project)};
    for (const QString &page : pageNames())
        files.append(ProjectFiles::pageFile(DataFolder, Project, page));
    files.append(settingsFile);
    return files;
}

Saver::Saver(const QString &settingsFile) : m_store(settingsFile), m_workspace(m_state, m_prompt, &m_store) {}

bool Saver::save(int g, QString *error)
{
    AppState &state = m_state;
    fillCatalogue(state.catalogue, g);
    m_workspace.pageSession().InitAll();
    state.ProjectName = Project;
    state.DataFolder = DataFolder;
    state.ProgramFolder = u"/opt/webdef/"_s;
    state.ExecFileName = DataFolder + u"/HAUS.RVX"_s;
    state.ExecFileDate = 40000.0 + g;
    // Any date other than the execution file's makes the save refresh every page.
    state.DefData.RVXDate = 1.0;

    ProjectModel &model = m_workspace.model();
    const QStringList pages = pageNames();
    model.Sites = pages;
    model.StartPage = pages.at(g % Pages);
    model.AuthMsg = u"Anmeldung Generation %1"_s.arg(g);
    model.DirDatText = DataFolder;
    model.FreeIPs.clear();
    for (int k = 0; k <= g % 4; ++k)
        model.FreeIPs.append(u"192.168.%1.%2"_s.arg(g % 200).arg(k + 1));
    model.Users = QList<UserRow>(ProjectModel::StartGridRows - 1);
    for (int k = 0; k <= g % 8; ++k) {
        const UserRow row{u"benutzer%1"_s.arg(k), u"kennwort%1-%2"_s.arg(g).arg(k), pages.at((g + k) % Pages)};
        if (k < model.Users.size())
            model.Users[k] = row;
        else
            model.Users.append(row);
    }
    model.BrowserWidth = g;
    model.AutoHandyDetect = g % 2 == 1;
    model.NoAutoScale = g % 3 == 0;

    m_prompt.messages.clear();
    const bool saved = m_workspace.Speichern1Click();
    if (!m_prompt.messages.isEmpty()) {
        if (error)
            *error = m_prompt.messages.join(u'\n');
        return false;
    }
    if (!saved && error)
        *error = u"the save of generation %1 failed"_s.arg(g);
    return saved;
}

bool openProject(const QString &settingsFile, QString *error)
{
    JsonSettingsStore store(settingsFile);
    AppState state;
    CollectingPrompt prompt;
    Workspace workspace(state, prompt, &store);
    workspace.FormCreate(QDir::currentPath());
    if (!prompt.messages.isEmpty() && error)
        *error = prompt.messages.join(u'\n');
    return prompt.messages.isEmpty();
}

bool writeStart(const QString &settingsFile, QString *error)
{
    if (!QDir().mkpath(DataFolder)) {
        if (error)
            *error = u"cannot create %1"_s.arg(DataFolder);
        return false;
    }
    CollectingPrompt prompt;
    AppState state;
    Workspace workspace(state, prompt);
    fillCatalogue(state.catalogue, 0);
    PageEditSession &session = workspace.pageSession();
    session.FillPagePosLB();
    session.InitAll();
    for (int p = 0; p < Pages; ++p) {
        if (!writeStartPage(session, p, prompt)) {
            if (error)
                *error = prompt.messages.join(u'\n');
            return false;
        }
    }
    return Saver(settingsFile).save(0, error);
}

} // namespace SaveGeneration
