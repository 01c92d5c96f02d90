#include "workspace/ProjectOperations.h"

#include "page/PageEditSession.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Leftovers.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/Settings.h"
#include "workspace/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int NameLength = 32;
using ProjectFiles::pageFileName;
using ProjectFiles::ProjectSuffix;
using ProjectFiles::UserListSuffix;

bool isBlank(const QString &text)
{
    return trimBlanks(text).isEmpty();
}

// Whether a and b name the same existing file (letter case may differ where the file system
// ignores it).
bool isSameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return !canonicalA.isEmpty() && canonicalA.compare(QFileInfo(b).canonicalFilePath(), cs) == 0;
}
} // namespace

ProjectOperations::ProjectOperations(AppState &state, ProjectModel &model, PageEditSession &page, Prompt &prompt,
                                     SettingsStore *settings)
    : m_state(state), m_model(model), m_page(page), m_prompt(prompt), m_settings(settings)
{
}

QString ProjectOperations::dataFile(const QString &name) const
{
    return projectFilePath(m_state.DataFolder, name);
}

bool ProjectOperations::AskName(const QString &caption, const QString &label, int maxLength, QString &name)
{
    QString answer = name;
    if (m_prompt.askName(caption, label, maxLength, answer)) {
        name = TrimTrailingBlanks(answer);
        return true;
    }
    name.clear();
    return false;
}

bool ProjectOperations::askNewName(QString &name)
{
    name = m_state.ProjectName;
    return AskName(ProjectMessages::AskCaption, ProjectMessages::AskLabel, NameLength, name) && !isBlank(name);
}

void ProjectOperations::Neu1Click()
{
    if (isBlank(m_state.ProjectName))
        m_state.ProjectName = ProjectMessages::ProposedName;
    QString name = m_state.ProjectName;
    if (AskName(ProjectMessages::AskCaption, ProjectMessages::AskLabel, NameLength, name)) {
        m_state.ProjectName = name;
        m_model.ClearProjectView();
    }
    if (isBlank(m_state.ProjectName))
        m_state.ProjectName = ProjectMessages::ProposedName;
    m_model.clearUserCells();
    if (m_settings)
        ReadCurrentExecFile(m_state, *m_settings);
    m_model.RVXFileShown = m_state.ExecFileName;
    m_model.HeadName = m_state.ProjectName;
    m_page.FillPagePosLB();
}

// The user cells are emptied before the user list is read: when the opened project has no user
// list file, the users of the project shown before must not stay in the grid (the next save would
// write them into the opened project).
void ProjectOperations::ffnen1Click()
{
    QString path;
    if (!m_prompt.chooseOpenFile(m_state.DataFolder, ProjectMessages::OpenFilter, u"*.FNP"_s, u"FNP"_s, QString(),
                                 path)) {
        return;
    }
    path = QDir::toNativeSeparators(path);
    // A file that fails half-way through reading ends the opening: the project shown before stays
    // whole, or its next save would write it without its pages.
    const ProjectModel shown = m_model;
    m_model.ClearProjectView();
    try {
        ReadProjectFile(path, m_state, m_model, m_prompt);
    } catch (const OperationError &) {
        m_model = shown;
        throw;
    }
    takeProjectLocation(path, m_state);
    m_model.HeadName = m_state.ProjectName;
    m_model.DirDatText = m_state.DataFolder;
    m_model.clearUserCells();
    ReadUserFile(m_state.ProjectName, m_state, m_model, m_prompt);
    removeProjectLeftovers(m_state.DataFolder, m_state.ProjectName);
}

// Another project's file under the new name would stay in place, and the next save would
// overwrite it with this project's data. The project's own file (same name, or where the file
// system ignores letter case, a change of case only) does not count.
bool ProjectOperations::isAnotherProject(const QString &oldName, const QString &newName) const
{
    const QString target = dataFile(newName + ProjectSuffix);
    if (newName == oldName || !isExistingFile(target))
        return false;
    return !isSameFile(dataFile(oldName + ProjectSuffix), target);
}

void ProjectOperations::ChangeNameClick()
{
    const QString oldName = m_state.ProjectName;
    QString newName;
    if (!askNewName(newName))
        return;
    if (isAnotherProject(oldName, newName)) {
        m_prompt.error(ProjectMessages::TargetExists.arg(dataFile(newName + ProjectSuffix)));
        return;
    }
    m_model.IsChanged = true;
    m_state.ProjectName = newName;
    // QFile::rename never replaces an existing file; a failing move is skipped.
    QFile::rename(dataFile(oldName + ProjectSuffix), dataFile(newName + ProjectSuffix));
    for (const QString &page : std::as_const(m_model.Sites))
        QFile::rename(dataFile(pageFileName(oldName, page)), dataFile(pageFileName(newName, page)));
    QFile::rename(dataFile(oldName + UserListSuffix), dataFile(newName + UserListSuffix));
    m_model.HeadName = m_state.ProjectName;
}

void ProjectOperations::KopierenClick()
{
    const QString oldName = m_state.ProjectName;
    QString newName;
    if (!askNewName(newName))
        return;
    if (isExistingFile(dataFile(newName + ProjectSuffix))) {
        m_prompt.error(ProjectMessages::TargetExists.arg(dataFile(newName + ProjectSuffix)));
        return;
    }
    m_state.ProjectName = newName;
    QList<std::pair<QString, QString>> files{{oldName + ProjectSuffix, newName + ProjectSuffix},
                                             {oldName + UserListSuffix, newName + UserListSuffix}};
    for (const QString &page : std::as_const(m_model.Sites))
        files.append({pageFileName(oldName, page), pageFileName(newName, page)});
    // QFile::copy never replaces an existing file.
    for (const auto &[from, to] : std::as_const(files)) {
        if (!QFile::copy(dataFile(from), dataFile(to)))
            m_prompt.error(ProjectMessages::CopyFailed.arg(dataFile(from)));
    }
    m_model.HeadName = m_state.ProjectName;
}

void ProjectOperations::SearchDirBtnClick()
{
    QString folder;
    if (!m_prompt.chooseFolder(m_state.DataFolder, folder))
        return;
    m_state.DataFolder = QDir::toNativeSeparators(folder);
    m_model.DirDatText = m_state.DataFolder;
}

void ProjectOperations::DirDatEdtExit()
{
    // A folder typed with "/" on Windows is shown and kept with its native delimiters.
    QString &text = m_model.DirDatText;
    text = nativePath(text);
    if (text.endsWith(u'\\') || text.endsWith(pathDelimiter()))
        text.chop(1);
    m_state.DataFolder = text;
    m_model.IsChanged = true;
}
