#include "cli/CheckCommand.h"

#include "cli/JsonWriter.h"
#include "cli/ProjectArguments.h"
#include "text/FilePaths.h"
#include "workspace/ProjectCheck.h"

#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString JsonSwitch = u"--json"_s;

void writeText(QIODevice &out, const QList<CheckFinding> &findings)
{
    QByteArray text;
    for (const CheckFinding &finding : findings)
        text += finding.text.toUtf8() + '\n';
    out.write(text);
}

void writeJson(QIODevice &out, const QList<CheckFinding> &findings)
{
    JsonWriter json(out);
    json.raw("[");
    for (qsizetype i = 0; i < findings.size(); ++i) {
        const CheckFinding &finding = findings[i];
        json.raw(i == 0 ? "\n  {" : ",\n  {");
        json.key(u"kind").string(checkKindName(finding.kind)).raw(", ");
        json.key(u"page").string(finding.page).raw(", ");
        json.key(u"detail").string(finding.detail).raw(", ");
        json.key(u"text").string(finding.text).raw("}");
    }
    json.raw(findings.isEmpty() ? "]\n" : "\n]\n");
}

} // namespace

int runCheckCommand(CliContext &context)
{
    ProjectArguments arguments;
    if (!parseProjectArguments(context.arguments, {JsonSwitch}, arguments))
        return ExitUsage;

    // Paths are shown as the system writes them, whatever the command line held.
    const CheckResult result =
        CheckProject(nativePath(arguments.projectFile), nativePath(arguments.execFile), context.prompt);
    if (!result.projectRead)
        return ExitFailed;
    if (arguments.switches.contains(JsonSwitch))
        writeJson(context.out, result.findings);
    else
        writeText(context.out, result.findings);
    if (!result.execFileRead)
        return ExitFailed;
    return result.findings.isEmpty() ? ExitOk : ExitFound;
}
