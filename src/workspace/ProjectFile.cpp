#include "workspace/ProjectFile.h"

#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/Messages.h"
#include "text/Numbers.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/TextFile.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/ProjectModel.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {
// FREEIPS holds "(entry);" per entry; the list ends at the first empty field. Each field loses its
// first and last character, whatever they are.
QStringList parseFreeIPs(const QString &value)
{
    QStringList result;
    ListFields fields(value);
    for (;;) {
        const QString field = fields.next().toString();
        if (field.isEmpty())
            break;
        result.append(Copy(field, 2, field.size() - 2));
    }
    return result;
}
} // namespace

bool WriteProjectFile(const QString &name, const AppState &state, ProjectModel &model, Prompt &prompt)
{
    const QString authMsg = trimBlanks(model.AuthMsg);
    const QString dirDat = trimBlanks(model.DirDatText);

    QStringList lines;
    lines.append(u"FILEVERS=140"_s);
    if (!authMsg.isEmpty())
        lines.append(u"AUTHMSG="_s + authMsg);
    lines.append(u"STARTPAGE="_s + model.StartPage);
    QString ips;
    for (const QString &ip : std::as_const(model.FreeIPs))
        ips += u'(' + ip + u");"_s;
    lines.append(u"FREEIPS="_s + ips);
    for (const QString &site : std::as_const(model.Sites))
        lines.append(u"*Site="_s + site);
    lines.append(u"DIRDAT="_s + dirDat);
    lines.append(u"BW="_s + QString::number(model.BrowserWidth));
    lines.append(u"RVXFile="_s + state.ExecFileName);
    if (model.AutoHandyDetect)
        lines.append(u"AUTOWIDTH=1"_s);
    if (model.NoAutoScale)
        lines.append(u"NOAUTOSCALE=1"_s);
    if (model.testmode)
        lines.append(u"TESTMODE=1"_s);

    const QString path = ProjectFiles::projectFile(state.DataFolder, name);
    if (!writeTextFileReported(path, lines, prompt))
        return false;
    // The edits show what was written.
    model.AuthMsg = authMsg;
    model.DirDatText = dirDat;
    return true;
}

namespace {
// Whether lines are a project file: empty, or with at least one line of a key the format knows. A
// text in another encoding (UTF-16) or of another kind names no page and has none of them.
bool isProjectFile(const QStringList &lines)
{
    static const QStringList Keys = {u"*Site"_s,     u"FILEVERS"_s,    u"AUTHMSG"_s, u"STARTPAGE"_s,
                                     u"FREEIPS"_s,   u"DIRDAT"_s,      u"BW"_s,      u"RVXFile"_s,
                                     u"AUTOWIDTH"_s, u"NOAUTOSCALE"_s, u"TESTMODE"_s};
    bool content = false;
    for (const QString &line : lines) {
        QStringView key;
        QStringView value;
        if (splitKeyLine(line, key, value) && Keys.contains(key))
            return true;
        content = content || !trimBlanks(line).isEmpty();
    }
    return !content;
}
} // namespace

void takeProjectLocation(const QString &projectFile, AppState &state)
{
    const QFileInfo file(nativePath(projectFile));
    state.ProjectName = file.completeBaseName();
    state.DataFolder = withTrailingDelimiter(nativePath(file.path()));
}

bool ReadProjectFile(const QString &path, AppState &state, ProjectModel &model, Prompt &prompt)
{
    QStringList lines;
    if (const ReadStatus read = readTextFile(path, lines, LineLimit::keyValue()); read != ReadStatus::Ok) {
        prompt.error(readFailureMessage(read, path, WorkspaceMessages::ProjectFileNotFound));
        return false;
    }
    if (!isProjectFile(lines)) {
        prompt.error(WorkspaceMessages::NotAProjectFile.arg(path));
        return false;
    }

    model.AutoHandyDetect = false;
    model.NoAutoScale = false;
    for (QString line : std::as_const(lines)) {
        // The keys are tried in this order. FILEVERS, AUTOWIDTH and NOAUTOSCALE hand their value on
        // to the keys after them; every other key ends the line.
        if (IsKey(u"*Site"_s, line)) {
            // A page without a name has no file the editor could write ("HAUS_.SHT"): the editor
            // refuses such a name, so the line is no page.
            if (!line.isEmpty())
                model.Sites.append(line);
            continue;
        }
        IsKey(u"FILEVERS"_s, line);
        if (IsKey(u"AUTHMSG"_s, line)) {
            model.AuthMsg = line;
            continue;
        }
        if (IsKey(u"FREEIPS"_s, line)) {
            model.FreeIPs = parseFreeIPs(line);
            continue;
        }
        if (IsKey(u"AUTOWIDTH"_s, line))
            model.AutoHandyDetect = true;
        if (IsKey(u"NOAUTOSCALE"_s, line))
            model.NoAutoScale = true;
        if (IsKey(u"BW"_s, line)) {
            if (const std::optional<qint32> width = parseWholeNumber(line))
                model.BrowserWidth = *width;
            continue;
        }
        if (IsKey(u"RVXFile"_s, line)) {
            state.ExecFileName = nativePath(line);
            model.RVXFileShown = state.ExecFileName;
            continue;
        }
        if (IsKey(u"STARTPAGE"_s, line))
            model.StartPage = line;
    }
    return true;
}
