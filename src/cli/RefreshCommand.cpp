#include "cli/RefreshCommand.h"

#include "catalogue/RvxReader.h"
#include "cli/Messages.h"
#include "cli/ProjectArguments.h"
#include "page/PageEditSession.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/Refresh.h"

#include <QFileInfo>
#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString NoObjects = u"Der Objektkatalog enthält keine Objekte: keine Seite aktualisiert"_s;
const QString NoProjectName = u"Kein Projektname: %1"_s;

void writeLine(QIODevice &err, const QString &text)
{
    err.write((text + u'\n').toUtf8());
}

} // namespace

int runRefreshCommand(CliContext &context)
{
    ProjectArguments arguments;
    if (!parseProjectArguments(context.arguments, {}, arguments))
        return ExitUsage;
    // Paths are shown as the system writes them, whatever the command line held.
    const QString projectFile = nativePath(arguments.projectFile);
    QString execFile = nativePath(arguments.execFile);

    AppState state;
    takeProjectLocation(projectFile, state);
    if (state.ProjectName.isEmpty()) {
        writeLine(context.err, NoProjectName.arg(projectFile));
        return ExitFailed;
    }

    ProjectModel project;
    if (!ReadProjectFile(projectFile, state, project, context.prompt))
        return ExitFailed;
    if (!arguments.hasExec)
        execFile = state.ExecFileName;
    if (execFile.trimmed().isEmpty()) {
        context.prompt.error(CliMessages::NoExecFile);
        return ExitFailed;
    }
    state.ExecFileName = nativePath(execFile);
    if (!ReadRVXFile(state.ExecFileName, state.catalogue, context.prompt, &state.ExecFileDate))
        return ExitFailed;
    if (state.catalogue.ObjList.empty()) {
        writeLine(context.err, NoObjects);
        return ExitOk;
    }

    // The page editor's state right after program start.
    PageEditSession session(state.catalogue);
    session.FillPagePosLB();
    session.InitAll();

    const RefreshResult result =
        RefreshAllPages(state, project.Sites, session.document(), session.offered(), context.prompt);
    if (result.status != RefreshResult::Status::Completed || result.pagesNotWritten > 0 || result.pagesSkipped > 0)
        return ExitFailed;
    return ExitOk;
}
