#include "workspace/UserFile.h"

#include <algorithm>

#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/Messages.h"
#include "text/Prompt.h"
#include "text/TextFile.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/ProjectModel.h"

using namespace Qt::Literals::StringLiterals;

bool WriteUserFile(const QString &name, const AppState &state, const ProjectModel &model, Prompt &prompt)
{
    QStringList lines;
    for (const UserRow &row : model.Users) {
        if (!row.User.isEmpty())
            lines.append(row.User + u';' + row.Password + u';' + row.StartPage);
    }
    // The runtime expects at least one line.
    if (lines.isEmpty())
        lines.append(u" "_s);
    return writeTextFileReported(ProjectFiles::userListFile(state.DataFolder, name), lines, prompt);
}

bool ReadUserFile(const QString &name, const AppState &state, ProjectModel &model, Prompt &prompt)
{
    // Emptied before the file is opened: a project without a user list must not show (and at the
    // next save write) the users of the project shown before.
    model.clearUserCells();

    const QString path = ProjectFiles::userListFile(state.DataFolder, name);
    // Taken line by line: only the first users count, however long the file. The grid changes only
    // once the whole file has been read.
    QList<UserRow> users;
    const ReadStatus read = readTextFileLines(
        path,
        [&users](QString &line, qsizetype) {
            if (users.size() >= ProjectModel::MaxReadUsers || line.isEmpty())
                return;
            users.append({ListField(1, line), ListField(2, line), ListField(3, line)});
        },
        {ProjectModel::MaxUserLineLength, false});
    if (read != ReadStatus::Ok) {
        prompt.error(readFailureMessage(read, path, WorkspaceMessages::UserFileNotFound));
        return false;
    }
    // The grid keeps its (emptied) rows beyond the users read.
    if (model.Users.size() < users.size())
        model.Users.resize(users.size());
    std::copy(users.cbegin(), users.cend(), model.Users.begin());
    return true;
}

void UGSelectCell(ProjectModel &model, int gridRow)
{
    if (gridRow > 5)
        model.AddUserVisible = true;
}

void AddUserRow(ProjectModel &model)
{
    model.Users.append(UserRow());
    if (model.userGridRows() > ProjectModel::MaxAddedGridRows)
        model.AddUserEnabled = false;
}

void DeleteUserRow(ProjectModel &model, int gridRow, Prompt &prompt)
{
    const qsizetype index = gridRow - 1;
    if (index < 0 || index >= model.Users.size()) {
        prompt.error(Messages::NoEntrySelected);
        return;
    }
    model.Users[index] = UserRow();
    if (model.userGridRows() > 4) {
        model.Users.removeAt(index);
        model.AddUserEnabled = true;
    }
}
