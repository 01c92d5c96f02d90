#include "cli/ReassignCommand.h"

#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "cli/JsonWriter.h"
#include "cli/Messages.h"
#include "cli/ProjectArguments.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/Reassign.h"

#include <QIODevice>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString JsonSwitch = u"--json"_s;
const QString AutoSwitch = u"--auto"_s;
const QString DryRunSwitch = u"--dry-run"_s;
const QString MapOption = u"--map"_s;

void writeLine(QIODevice &device, const QString &line)
{
    device.write((line + u'\n').toUtf8());
}

QString basisKey(Proposal::Basis basis)
{
    switch (basis) {
    case Proposal::Basis::Place:
        return u"place"_s;
    case Proposal::Basis::Name:
        return u"name"_s;
    case Proposal::Basis::Description:
        return u"description"_s;
    case Proposal::Basis::None:
        break;
    }
    return u"none"_s;
}

using Entry = ReassignChoices::Choice;

QString rowsText(const LostName &lost)
{
    return rowsOnPagesText(lost.rows, lost.pages.size()) + u" ("_s + lost.pages.join(u", "_s) + u')';
}

void writeText(QIODevice &out, const QList<Entry> &entries, const OfferedEntries &offered)
{
    for (const Entry &e : entries) {
        const QString kind = e.lost.kind == RowKind::Macro ? u"Makro"_s : u"Objekt"_s;
        QString line = e.lost.name + u" ("_s + kind + u"; "_s + e.lost.recorded.description() + u"): "_s +
                       rowsText(e.lost) + u" → "_s;
        if (e.proposal.offered >= 0)
            line += CliMessages::ReassignProposal.arg(offered.entries().at(e.proposal.offered).text)
                        .arg(e.proposal.score)
                        .arg(proposalBasisText(e.proposal.basis));
        else
            line += proposalBasisText(Proposal::Basis::None);
        if (e.assigned >= 0)
            line += CliMessages::ReassignAssigned.arg(offered.entries().at(e.assigned).text);
        writeLine(out, line);
    }
}

void writeJson(QIODevice &out, const QList<Entry> &entries, const OfferedEntries &offered)
{
    JsonWriter json(out);
    json.raw("[");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &e = entries[i];
        json.raw(i == 0 ? "\n  {" : ",\n  {");
        json.key(u"name").string(e.lost.name).raw(", ");
        json.key(u"kind").string(e.lost.kind == RowKind::Macro ? u"macro" : u"object").raw(", ");
        json.key(u"recorded").string(e.lost.recorded.description()).raw(", ");
        json.key(u"rows").number(qint64(e.lost.rows)).raw(", ");
        json.key(u"pages").raw("[");
        for (qsizetype p = 0; p < e.lost.pages.size(); ++p) {
            if (p > 0)
                json.raw(", ");
            json.string(e.lost.pages[p]);
        }
        json.raw("], ");
        json.key(u"proposal");
        if (e.proposal.offered >= 0) {
            json.raw("{");
            json.key(u"name").string(offered.entries().at(e.proposal.offered).text).raw(", ");
            json.key(u"score").number(qint64(e.proposal.score)).raw(", ");
            json.key(u"basis").string(basisKey(e.proposal.basis)).raw("}");
        } else {
            json.raw("null");
        }
        json.raw(", ");
        json.key(u"assigned");
        if (e.assigned >= 0)
            json.string(offered.entries().at(e.assigned).text);
        else
            json.raw("null");
        json.raw("}");
    }
    json.raw(entries.isEmpty() ? "]\n" : "\n]\n");
}

// The --map pairs taken into the choices. False (with the message) for a pair that names no lost
// name or no entry that can take its rows.
bool takeMaps(const QStringList &maps, ReassignChoices &choices, const OfferedEntries &offered, Prompt &prompt)
{
    for (const QString &map : maps) {
        const qsizetype eq = map.indexOf(u'=');
        const QString from = map.left(eq);
        const QString to = map.mid(eq + 1);
        if (eq <= 0 || to.isEmpty()) {
            prompt.error(CliMessages::ReassignBadMap.arg(map));
            return false;
        }
        bool found = false;
        for (qsizetype i = 0; i < choices.choices().size(); ++i) {
            if (choices.choices()[i].lost.name != from)
                continue;
            found = true;
            if (!choices.assign(i, offered.indexOf(to))) {
                prompt.error(CliMessages::ReassignNoEntry.arg(to, from));
                return false;
            }
        }
        if (!found) {
            prompt.error(CliMessages::ReassignNotLost.arg(from));
            return false;
        }
    }
    return true;
}

} // namespace

int runReassignCommand(CliContext &context)
{
    ProjectArguments arguments;
    if (!parseProjectArguments(context.arguments, {JsonSwitch, AutoSwitch, DryRunSwitch}, arguments, MapOption))
        return ExitUsage;
    const bool json = arguments.switches.contains(JsonSwitch);
    const bool autoAssign = arguments.switches.contains(AutoSwitch);
    const bool dryRun = arguments.switches.contains(DryRunSwitch);
    const bool assigning = autoAssign || !arguments.values.isEmpty();

    const QString projectFile = nativePath(arguments.projectFile);
    AppState state;
    takeProjectLocation(projectFile, state);
    ProjectModel project;
    if (!ReadProjectFile(projectFile, state, project, context.prompt))
        return ExitFailed;
    const QString execFile = nativePath(arguments.hasExec ? arguments.execFile : state.ExecFileName);
    if (execFile.trimmed().isEmpty()) {
        context.prompt.error(CliMessages::NoExecFile);
        return ExitFailed;
    }
    state.ExecFileName = execFile;
    if (!ReadRVXFile(execFile, state.catalogue, context.prompt, &state.ExecFileDate))
        return ExitFailed;

    OfferedEntries offered(state.catalogue);
    offered.rebuild();
    ReassignChoices choices(state, project.Sites, offered);
    for (const QString &page : choices.unreadPages())
        context.prompt.error(CliMessages::ReassignPageUnread.arg(page));
    if (!takeMaps(arguments.values, choices, offered, context.prompt))
        return ExitUsage;
    if (autoAssign)
        choices.takeProposals(AutoAssignScore);

    const QList<Entry> &entries = choices.choices();
    const int done = choices.unreadPages().isEmpty() ? (choices.unassignedCount() > 0 ? ExitFound : ExitOk) : ExitFailed;
    if (!assigning) {
        if (json)
            writeJson(context.out, entries, offered);
        else
            writeText(context.out, entries, offered);
        return done;
    }

    ReassignPlan plan;
    if (!planReassignment(state, project.Sites, offered, choices.assignments(), plan, context.prompt))
        return ExitFailed;
    if (json) {
        writeJson(context.out, entries, offered);
    } else {
        writeText(context.out, entries, offered);
        if (!plan.pages.isEmpty())
            writeLine(context.out, reassignSummary(plan, std::numeric_limits<int>::max()).replace(u'\r', u'\n'));
    }
    if (!dryRun && !applyReassignment(plan, context.prompt))
        return ExitFailed;
    return done;
}
