#include "workspace/Workspace.h"

#include "catalogue/Messages.h"
#include "catalogue/RvxReader.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/Launcher.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/Leftovers.h"
#include "workspace/PageEditorView.h"
#include "workspace/PageReferences.h"
#include "workspace/Version.h"
#include "workspace/ProjectFile.h"
#include "workspace/Settings.h"
#include "workspace/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

Workspace::Workspace(AppState &state, Prompt &prompt, SettingsStore *settings, BrowserLookup browserLookup,
                     Launcher *launcher)
    : m_state(state), m_prompt(prompt), m_settings(settings), m_browserLookup(std::move(browserLookup)),
      m_launcher(launcher),
      m_pageSession(state.catalogue), m_operations(m_state, m_model, m_pageSession, m_prompt, m_settings)
{
}

void Workspace::FormCreate(const QString &programFolder)
{
    m_model.testmode = false;
    m_state.ExecFileName.clear();
    m_state.ProgramFolder = withTrailingDelimiter(programFolder);
    m_helpFile = HelpFileName;
    m_model.IsChanged = false;

    if (m_settings)
        ReadSettings(m_state, *m_settings);
    if (trimBlanks(m_state.DataFolder).isEmpty())
        m_state.DataFolder = defaultDataFolder();

    if (!m_state.ExecFileName.isEmpty() &&
        ReadRVXFile(m_state.ExecFileName, m_state.catalogue, m_prompt, &m_state.ExecFileDate))
        m_model.RVXFileShown = m_state.ExecFileName;

    // A file that stops with an input/output error has had its message; start-up goes on with
    // what could be read.
    const auto reading = [this](const auto &read) {
        try {
            read();
        } catch (const OperationError &e) {
            m_prompt.error(e.message());
        }
    };
    if (!m_state.ProjectName.isEmpty()) {
        reading([this] {
            ReadProjectFile(ProjectFiles::projectFile(m_state.DataFolder, m_state.ProjectName), m_state, m_model,
                            m_prompt);
        });
        reading([this] { ReadUserFile(m_state.ProjectName, m_state, m_model, m_prompt); });
        removeProjectLeftovers(m_state.DataFolder, m_state.ProjectName);
    }

    m_model.DirDatText = m_state.DataFolder;
    // The shown name loses an extension: project Haus.2 is shown as Haus.
    const qsizetype dot = m_state.ProjectName.lastIndexOf(u'.');
    m_model.HeadName = dot >= 0 ? m_state.ProjectName.left(dot) : m_state.ProjectName;

    if (m_browserLookup)
        m_state.BrowserPath = m_browserLookup();

    removeUpdaterLeftovers();

    // The page editor is created after the main window: its start state and offered entries.
    m_pageSession.document().fileVersion = 0;
    m_pageSession.FillPagePosLB();
    m_pageSession.InitAll();
}

QString Workspace::defaultDataFolder()
{
    // Without a folder every file would go to the root of the file system.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = projectFilePath(QDir::toNativeSeparators(documents), DefaultDataFolderName);
    QDir().mkpath(folder);
    return folder;
}

void Workspace::removeUpdaterLeftovers()
{
    const QString folder = m_state.ProgramFolder + UpdateTempFolder;
    if (!QFileInfo(folder).isDir())
        return;
    // Failures are of no interest to the user: the updater cleans up again next time.
    QFile::remove(projectFilePath(folder, u"UpdateFennaro.exe"_s));
    QFile::remove(projectFilePath(folder, u"UpdateFennaroPC.exe"_s));
    QDir().rmdir(folder);
}

void Workspace::writeSettings()
{
    if (m_settings)
        WriteSettings(m_state, *m_settings);
}

bool Workspace::FormShow()
{
    if (!trimBlanks(m_state.ProjectName).isEmpty())
        return false;
    m_operations.Neu1Click();
    return true;
}

bool Workspace::execFileChanged() const
{
    return m_state.DefData.RVXDate != 0.0 && m_state.DefData.RVXDate != m_state.ExecFileDate;
}

bool Workspace::FormClose()
{
    m_state.DataFolder = nativePath(m_model.DirDatText);
    // A page that cannot be read stops the refresh at every attempt (its error has been shown);
    // closing must stay possible.
    if (execFileChanged())
        RefreshAllPages();
    writeSettings();

    if (!m_model.IsChanged)
        return true;
    switch (m_prompt.askYesNoCancel(WorkspaceMessages::SaveChangesQuestion)) {
    case Prompt::Answer::Yes:
        try {
            Speichern1Click();
        } catch (const OperationError &e) {
            m_prompt.error(e.message());
        }
        // Closing after a save that did not write the project would lose the edits.
        return !m_model.IsChanged;
    case Prompt::Answer::No:
        return true;
    case Prompt::Answer::Cancel:
        break;
    }
    return false;
}

bool Workspace::Speichern1Click()
{
    removeProjectLeftovers(m_state.DataFolder, m_state.ProjectName);
    const bool projectWritten = WriteProjectFile(m_state.ProjectName, m_state, m_model, m_prompt);
    const bool usersWritten = WriteUserFile(m_state.ProjectName, m_state, m_model, m_prompt);
    m_model.HeadName = m_state.ProjectName;
    // Only a complete save clears the flag; otherwise closing asks again and nothing is lost.
    m_model.IsChanged = !(projectWritten && usersWritten);
    writeSettings();
    if (execFileChanged() && RefreshAllPages().status == RefreshResult::Status::Stopped)
        return false;
    return projectWritten && usersWritten;
}

RefreshResult Workspace::RefreshAllPages()
{
    return ::RefreshAllPages(m_state, m_model.Sites, m_pageSession.document(), m_pageSession.offered(), m_prompt);
}

void Workspace::FormDestroy()
{
    m_state.catalogue.ClearCatalogue();
}

PageHandOver Workspace::handOver(const QString &page) const
{
    PageHandOver handOver;
    handOver.page = page;
    handOver.allPages = m_model.Sites;
    handOver.dataFolder = m_state.DataFolder;
    // The files are named after the project name itself, as the refresh names them, not after
    // the shown name (which loses everything from a dot on).
    handOver.projectName = m_state.ProjectName;
    handOver.browserWidth = m_model.BrowserWidth;
    handOver.noAutoScale = m_model.NoAutoScale;
    handOver.autoWidth = m_model.AutoHandyDetect;
    handOver.browserPath = m_state.BrowserPath;
    return handOver;
}

void Workspace::NewSiteBtnClick(PageEditorView &editor)
{
    const std::optional<QString> saved = editor.editPage(handOver(QString()));
    if (!saved)
        return;
    m_model.Sites.append(*saved);
    m_model.IsChanged = true;
    if (trimBlanks(m_model.StartPage).isEmpty())
        m_model.StartPage = *saved;
}

int Workspace::WorkSiteBtnClick(int selected, PageEditorView &editor)
{
    if ((selected < 0 || selected >= m_model.Sites.size()) && !m_model.Sites.isEmpty())
        selected = 0;
    if (selected < 0 || selected >= m_model.Sites.size()) {
        m_prompt.error(Messages::NoEntrySelected);
        return -1;
    }
    const QString oldName = m_model.Sites.at(selected);
    const std::optional<QString> saved = editor.editPage(handOver(oldName));
    if (!saved)
        return selected;
    m_model.Sites[selected] = *saved;
    if (*saved != oldName) {
        m_model.IsChanged = true;
        // The editor has written the file under the new name; a file that cannot be deleted stays.
        const QString oldFile = ProjectFiles::pageFile(m_state.DataFolder, m_state.ProjectName, oldName);
        if (QFileInfo(oldFile).isFile())
            QFile::remove(oldFile);
    }
    return selected;
}

void Workspace::TakePageClick(int selected)
{
    if (selected < 0 || selected >= m_model.Sites.size()) {
        m_prompt.error(Messages::NoEntrySelected);
        return;
    }
    m_model.StartPage = m_model.Sites.at(selected);
    m_model.IsChanged = true;
}

void Workspace::DelSiteBtnClick(int selected)
{
    if (selected < 0 || selected >= m_model.Sites.size()) {
        m_prompt.error(Messages::NoEntrySelected);
        return;
    }
    const QString page = m_model.Sites.at(selected);
    const QString path = ProjectFiles::pageFile(m_state.DataFolder, m_state.ProjectName, page);
    // The file goes at once, before any save, and nothing brings it back: the user decides first.
    const PageReferences references = findPageReferences(m_state, m_model, page);
    if (m_prompt.askYesNoDefaultNo(deletePageQuestion(page, path, references)) != Prompt::Answer::Yes)
        return;
    if (QFileInfo(path).isFile())
        QFile::remove(path);
    m_model.Sites.removeAt(selected);
    m_model.IsChanged = true;
}

bool Workspace::ReadRVXMnClick()
{
    QString path;
    if (!m_prompt.chooseOpenFile(m_state.DataFolder, WorkspaceMessages::ExecFileFilter, u"*.RVX;*.RVP"_s, u"RVX"_s,
                                 m_state.ExecFileName, path))
        return false;
    // Everything that points into the catalogue lets go before any entry is freed.
    m_state.catalogue.ClearCatalogue();
    if (!ReadRVXFile(path, m_state.catalogue, m_prompt, &m_state.ExecFileDate))
        return false;
    m_model.RVXFileShown = path;
    m_state.ExecFileName = path;
    m_pageSession.InitAll();
    return true;
}

void Workspace::StartUpdater(const QString &mode)
{
    if (m_launcher && m_launcher->activateRunning(UpdaterProgram))
        return;
    QString program = m_state.ProgramFolder + UpdaterProgram;
#ifndef Q_OS_WIN
    // Outside Windows the updater carries no extension.
    if (!isExistingFile(program))
        program.chop(4);
#endif
    if (!isExistingFile(program)) {
        m_prompt.error(WorkspaceMessages::UpdaterMissing.arg(UpdaterProgram));
        return;
    }
    if (m_launcher)
        m_launcher->startProgram(program, {mode + u';' + Version::Number + u';' + Version::Release},
                                 m_state.ProgramFolder);
}

bool Workspace::openHelpFile()
{
#ifdef Q_OS_WIN
    const QString helpFile = m_state.ProgramFolder + m_helpFile;
    if (m_launcher && isExistingFile(helpFile))
        return m_launcher->openHelp(helpFile, HelpKeyword);
#endif
    return false;
}

CheckResult Workspace::CheckProjectClick()
{
    CheckResult result = CheckProject(ProjectFiles::projectFile(m_state.DataFolder, m_state.ProjectName),
                                      m_state.ExecFileName, m_prompt);
    // The check reads the file for itself; the pages the user edits lose their rows at OK when the
    // editor's own catalogue is empty, whatever the file holds.
    if (QString reason = m_state.catalogue.emptyReason(); !reason.isEmpty() && result.projectRead) {
        if (reason.endsWith(u'.'))
            reason.chop(1);
        result.findings.prepend({CheckFinding::Kind::ExecFile, {}, {},
                                 CheckMessages::ExecFilePlace + u": "_s +
                                     CheckMessages::EditorWithoutCatalogue.arg(reason)});
    }
    return result;
}

std::unique_ptr<ReassignChoices> Workspace::ReassignMnClick()
{
    if (const QString reason = m_state.catalogue.emptyReason(); !reason.isEmpty()) {
        m_prompt.error(CatalogueMessages::NoCatalogue + u": "_s + reason);
        return nullptr;
    }
    auto choices = std::make_unique<ReassignChoices>(m_state, m_model.Sites, m_pageSession.offered());
    choices->takeProposals(AutoAssignScore);
    return choices;
}

bool Workspace::applyReassignment(const ReassignChoices &choices)
{
    ReassignPlan plan;
    if (!planReassignment(m_state, m_model.Sites, m_pageSession.offered(), choices.assignments(), plan, m_prompt))
        return false;
    if (plan.pages.isEmpty())
        return false;
    if (m_prompt.askYesNo(reassignSummary(plan) + u'\r' + WorkspaceMessages::ReassignQuestion) != Prompt::Answer::Yes)
        return false;
    return ::applyReassignment(plan, m_prompt);
}

bool Workspace::editPageNamed(const QString &page, PageEditorView &editor)
{
    const qsizetype row = m_model.Sites.indexOf(page);
    if (row < 0)
        return false;
    WorkSiteBtnClick(int(row), editor);
    return true;
}
