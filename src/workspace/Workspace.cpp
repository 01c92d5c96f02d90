#include "workspace/Workspace.h"

#include "text/FilePaths.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/ProjectFile.h"
#include "workspace/Settings.h"
#include "workspace/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

Workspace::Workspace(AppState &state, Prompt &prompt, SettingsStore *settings, WorkspaceHooks hooks)
    : m_state(state), m_prompt(prompt), m_settings(settings), m_hooks(std::move(hooks)),
      m_operations(m_state, m_model, m_prompt, m_settings)
{
}

void Workspace::FormCreate(const QString &programFolder)
{
    m_model.testmode = false;
    m_state.ExecFileName.clear();
    m_state.ProgramFolder = withTrailingDelimiter(programFolder);
    m_helpFile = HelpFileName;
    m_state.PagePartNames = {u"Navigationszeile 1"_s, u"Objekte"_s,          u"Makros"_s,
                             u"Navigationszeile 2"_s, u"HTML-Einfügung 1"_s, u"HTML-Einfügung 2"_s};
    m_state.ObjColumnNames = {u"Bezeichnung"_s, u"Zustand/Wert"_s, u"Eingabe"_s};
    m_model.IsChanged = false;

    if (m_settings)
        ReadSettings(m_state, *m_settings);

    if (!m_state.ExecFileName.isEmpty() && m_hooks.readExecFile && m_hooks.readExecFile(m_state.ExecFileName))
        m_model.RVXFileShown = m_state.ExecFileName;

    if (!m_state.ProjectName.isEmpty()) {
        ReadProjectFile(projectFilePath(m_state.DataFolder, m_state.ProjectName + u".FNP"_s), m_state, m_model,
                        m_prompt);
        ReadUserFile(m_state.ProjectName, m_state, m_model, m_prompt);
    }

    m_model.DirDatText = m_state.DataFolder;
    // The shown name loses an extension: project Haus.2 is shown as Haus.
    const qsizetype dot = m_state.ProjectName.lastIndexOf(u'.');
    m_model.HeadName = dot >= 0 ? m_state.ProjectName.left(dot) : m_state.ProjectName;

    if (m_hooks.defaultBrowserPath)
        m_state.BrowserPath = m_hooks.defaultBrowserPath();

    removeUpdaterLeftovers();
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
    if (!m_state.ProjectName.trimmed().isEmpty())
        return false;
    Neu1Click();
    return true;
}

bool Workspace::execFileChanged() const
{
    return m_state.DefData.RVXDate != 0.0 && m_state.DefData.RVXDate != m_state.ExecFileDate;
}

bool Workspace::FormClose()
{
    m_state.DataFolder = m_model.DirDatText;
    if (execFileChanged() && m_hooks.refreshAllPages) {
        // A page that cannot be read stops the refresh at every attempt; closing must stay possible.
        try {
            m_hooks.refreshAllPages();
        } catch (const OperationError &e) {
            m_prompt.error(e.message());
        }
    }
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

void Workspace::Speichern1Click()
{
    const bool projectWritten = WriteProjectFile(m_state.ProjectName, m_state, m_model, m_prompt);
    const bool usersWritten = WriteUserFile(m_state.ProjectName, m_state, m_model, m_prompt);
    m_model.HeadName = m_state.ProjectName;
    // Only a complete save clears the flag; otherwise closing asks again and nothing is lost.
    m_model.IsChanged = !(projectWritten && usersWritten);
    writeSettings();
    if (execFileChanged() && m_hooks.refreshAllPages)
        m_hooks.refreshAllPages();
}

void Workspace::FormDestroy()
{
    m_state.catalogue.ClearCatalogue();
    m_state.PagePartNames.clear();
    m_state.ObjColumnNames.clear();
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
    const QString path =
        projectFilePath(m_state.DataFolder, m_model.HeadName + u'_' + m_model.Sites.at(selected) + u".SHT"_s);
    if (QFileInfo::exists(path))
        QFile::remove(path);
    m_model.Sites.removeAt(selected);
    m_model.IsChanged = true;
}

void Workspace::RefreshBtClick()
{
    if (m_hooks.refreshAllPages)
        m_hooks.refreshAllPages();
}

void Workspace::Neu1Click()
{
    m_operations.Neu1Click();
}

void Workspace::ffnen1Click()
{
    m_operations.ffnen1Click();
}

void Workspace::ChangeNameClick()
{
    m_operations.ChangeNameClick();
}

void Workspace::KopierenClick()
{
    m_operations.KopierenClick();
}

void Workspace::SearchDirBtnClick()
{
    m_operations.SearchDirBtnClick();
}

void Workspace::DirDatEdtExit()
{
    m_operations.DirDatEdtExit();
}
