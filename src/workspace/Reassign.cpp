#include "workspace/Reassign.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "page/Messages.h"
#include "page/OfferedFilter.h"
#include "page/PageEditSession.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "text/CollectingPrompt.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/RegularFile.h"
#include "text/SearchFold.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Name scores: at most this for the closest name, and nothing below the least similarity.
constexpr int BestNameScore = 90;
constexpr double LeastNameSimilarity = 0.5;
constexpr int DescriptionScore = 60;
constexpr double AmbiguousSimilarity = 0.1;
constexpr int AmbiguityPenalty = 20;
constexpr int OtherNumberScore = 60;
// How many of the entries sharing most pieces with a name are compared with it in full.
constexpr int ComparedCandidates = 48;
// A page file larger than this is no page the editor wrote: it is not rewritten.
constexpr qint64 MaxPageFileSize = 64 * 1024 * 1024;

// The fields of a row's entry data: source, VarIdx, kind, code, then the range.
RecordedEntry recordedFromData(const QString &data)
{
    RecordedEntry r;
    const QStringList fields = data.split(u'@');
    r.source = fields.value(0);
    r.varIdx = fields.value(1).toInt();
    r.kind = fields.value(2);
    r.code = fields.value(3);
    r.range = fields.mid(4).join(u'@');
    return r;
}

RecordedEntry recordedOf(bool macro, const QString &value)
{
    if (macro) {
        RecordedEntry r;
        r.objIdx = ListFieldSep(3, value, u'@').toInt();
        r.kind = u"M"_s;
        return r;
    }
    // name@label@flag@data
    qsizetype at = -1;
    for (int i = 0; i < 3; ++i) {
        at = value.indexOf(u'@', at + 1);
        if (at < 0)
            return RecordedEntry(); // an older line without the entry's data
    }
    return recordedFromData(value.mid(at + 1));
}

QString digitsOf(const QString &name)
{
    QString digits;
    for (QChar c : name) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}

QString statesText(const QString &states)
{
    QString text = states;
    text.replace(u'&', u'/');
    return text;
}

// The Levenshtein distance of a and b, or more than limit once it must exceed it.
int editDistance(QStringView a, QStringView b, int limit)
{
    if (std::abs(int(a.size() - b.size())) > limit)
        return limit + 1;
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[std::size_t(j)] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        int best = row[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[std::size_t(j)];
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[std::size_t(j)] = std::min({above + 1, row[std::size_t(j - 1)] + 1, diagonal + cost});
            diagonal = above;
            best = std::min(best, row[std::size_t(j)]);
        }
        if (best > limit)
            return limit + 1;
    }
    return row[std::size_t(b.size())];
}

// The three-letter pieces of a folded name, with two marks before and after it, so that a short
// name has pieces too and the name's ends count.
QList<quint64> pieces(QStringView folded)
{
    QList<quint64> result;
    const auto at = [&folded](qsizetype i) -> quint64 {
        if (i < 0)
            return 1;
        if (i >= folded.size())
            return 2;
        return quint64(folded[i].unicode()) + 3;
    };
    for (qsizetype i = -2; i < folded.size(); ++i)
        result.append(at(i) << 40 | at(i + 1) << 20 | at(i + 2));
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace

QString RecordedEntry::place() const
{
    return source.isEmpty() ? QString() : source + u'@' + QString::number(varIdx) + u'@' + kind + u'@' + code;
}

QString RecordedEntry::kindAndRange() const
{
    QString digits = range;
    if (kind == u"N")
        digits.removeIf([](QChar c) { return c == u'.' || c == u',' || c == u'\'' || c.isSpace(); });
    return kind + u'@' + digits;
}

QString RecordedEntry::description() const
{
    if (objIdx >= 0 || (source.isEmpty() && kind == u"M"))
        return u"Makro %1"_s.arg(objIdx);
    if (source.isEmpty())
        return u"ohne Angaben"_s;
    QString text = objectKindName(kind.isEmpty() ? QChar() : kind.at(0));
    if (source == u"V")
        text += u" (Variable)"_s;
    if (kind == u"N") {
        const QStringList bounds = range.split(u'@');
        if (bounds.size() >= 3)
            text += u", "_s + bounds.at(1) + u" bis "_s + bounds.at(2);
    } else if (source == u"V" && !range.isEmpty()) {
        // The type's name stands where an object's device code does; its states follow the count.
        const QString states = range.section(u'&', 1);
        text += u", "_s + code + (states.isEmpty() ? QString() : u": "_s + statesText(states).chopped(1));
    } else if (!range.isEmpty()) {
        // An object's states follow their count.
        text += u", "_s + statesText(range.section(u'&', 1));
    }
    return text;
}

struct ReplacementFinder::Group
{
    struct Candidate
    {
        qsizetype offered;
        QString folded;
    };
    std::vector<Candidate> candidates;
    QHash<quint64, std::vector<qint32>> byPiece;
    QHash<QString, qsizetype> byDescription; // folded description → its entry; -1 when several have it

    void add(qsizetype offered, const QString &name, const QString &description)
    {
        const qint32 index = qint32(candidates.size());
        candidates.push_back({offered, searchKey(name)});
        QList<quint64> own = pieces(candidates.back().folded);
        own.erase(std::unique(own.begin(), own.end()), own.end());
        for (quint64 piece : own)
            byPiece[piece].push_back(index);
        // A description several entries share tells none of them apart.
        if (const QString key = searchKey(description); !key.isEmpty())
            byDescription.insert(key, byDescription.contains(key) ? -1 : offered);
    }

    struct Closest
    {
        qsizetype offered = -1;
        double similarity = 0; // 1 - distance / the longer name's length
        double runnerUp = 0;   // the next best's
    };

    // The closest name: the candidates sharing most pieces with it, compared in full.
    Closest closest(const QString &name) const
    {
        const QString folded = searchKey(name);
        QList<quint64> own = pieces(folded);
        own.erase(std::unique(own.begin(), own.end()), own.end());
        std::vector<int> shared(candidates.size(), 0);
        std::vector<qint32> touched;
        for (quint64 piece : own) {
            const auto found = byPiece.constFind(piece);
            if (found == byPiece.cend())
                continue;
            for (qint32 c : *found) {
                if (shared[std::size_t(c)]++ == 0)
                    touched.push_back(c);
            }
        }
        const auto more = [&shared](qint32 a, qint32 b) {
            return shared[std::size_t(a)] != shared[std::size_t(b)] ? shared[std::size_t(a)] > shared[std::size_t(b)]
                                                                      : a < b;
        };
        if (touched.size() > std::size_t(ComparedCandidates)) {
            std::nth_element(touched.begin(), touched.begin() + ComparedCandidates, touched.end(), more);
            touched.resize(ComparedCandidates);
        }
        std::sort(touched.begin(), touched.end(), more);
        Closest best;
        for (qint32 c : touched) {
            const QString &other = candidates[std::size_t(c)].folded;
            const qsizetype longest = std::max(folded.size(), other.size());
            if (longest == 0)
                continue;
            // Only a name at least as close as the runner-up counts: compare no further than that.
            const double floor = std::max(best.runnerUp, LeastNameSimilarity);
            const int limit = int((1.0 - floor) * double(longest));
            const int distance = editDistance(folded, other, limit);
            const double similarity = 1.0 - double(distance) / double(longest);
            if (distance > limit || similarity < floor)
                continue;
            if (similarity > best.similarity) {
                best.runnerUp = best.similarity;
                best.similarity = similarity;
                best.offered = candidates[std::size_t(c)].offered;
            } else if (similarity > best.runnerUp) {
                best.runnerUp = similarity;
            }
        }
        return best;
    }
};

ReplacementFinder::ReplacementFinder(const OfferedEntries &offered, const Catalogue &catalogue, const QLocale &locale)
    : m_offered(offered), m_macros(std::make_shared<Group>())
{
    const QList<OfferedEntry> &entries = offered.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const TPSObj &e = *entries[i].entry;
        if (fits(i, RowKind::Object)) {
            const RecordedEntry recorded = recordedFromData(entryData(e, catalogue, locale));
            m_byPlace.insert(recorded.place(), i);
            group(recorded.kindAndRange()).add(i, entries[i].text, e.ObjDescr);
        }
        if (fits(i, RowKind::Macro)) {
            m_macroByIdx.insert(e.ObjIdx, i);
            m_macros->add(i, entries[i].text, e.ObjDescr);
        }
    }
}

ReplacementFinder::~ReplacementFinder() = default;

ReplacementFinder::Group &ReplacementFinder::group(const QString &key)
{
    std::shared_ptr<Group> &found = m_groups[key];
    if (!found)
        found = std::make_shared<Group>();
    return *found;
}

bool ReplacementFinder::fits(qsizetype offered, RowKind kind) const
{
    const OfferedEntry &item = m_offered.entries().at(offered);
    const PageEditSession::AddButtons buttons = PageEditSession::addButtons(*item.entry);
    // The macro rows take no text with a ".", as the editor refuses them.
    return kind == RowKind::Object ? buttons.object : buttons.macro && !item.text.contains(u'.');
}

Proposal ReplacementFinder::propose(const LostName &name) const
{
    const bool macro = name.kind == RowKind::Macro;
    // A rename keeps an object's place in the control program, and a macro's number.
    const qsizetype placed = macro ? m_macroByIdx.value(name.recorded.objIdx, -1)
                                   : (name.recorded.place().isEmpty() ? -1 : m_byPlace.value(name.recorded.place(), -1));
    if (placed >= 0)
        return {placed, 100, Proposal::Basis::Place};

    const Group *group = macro ? m_macros.get() : m_groups.value(name.recorded.kindAndRange()).get();
    if (!group)
        return {};
    const Group::Closest closest = group->closest(name.name);
    if (closest.offered >= 0) {
        int score = int(std::lround(BestNameScore * closest.similarity));
        // Two names about as close are a guess between them.
        if (closest.runnerUp >= closest.similarity - AmbiguousSimilarity)
            score -= AmbiguityPenalty;
        // Names whose numbers differ ("Licht_1", "Licht_2") are most likely other objects.
        if (digitsOf(name.name) != digitsOf(m_offered.entries().at(closest.offered).text))
            score = std::min(score, OtherNumberScore);
        return {closest.offered, score, Proposal::Basis::Name};
    }
    // A row's label is its entry's description unless the user typed another.
    const qsizetype described = name.label.isEmpty() ? -1 : group->byDescription.value(searchKey(name.label), -1);
    if (described >= 0)
        return {described, DescriptionScore, Proposal::Basis::Description};
    return {};
}

QString rowsOnPagesText(int rows, qsizetype pages)
{
    return WorkspaceMessages::RowsOnPages.arg(rows == 1 ? WorkspaceMessages::OneRow : WorkspaceMessages::Rows.arg(rows),
                                              pages == 1 ? WorkspaceMessages::OnePage
                                                         : WorkspaceMessages::Pages.arg(pages));
}

QString proposalBasisText(Proposal::Basis basis)
{
    switch (basis) {
    case Proposal::Basis::Place:
        return WorkspaceMessages::ProposalByPlace;
    case Proposal::Basis::Name:
        return WorkspaceMessages::ProposalByName;
    case Proposal::Basis::Description:
        return WorkspaceMessages::ProposalByDescription;
    case Proposal::Basis::None:
        break;
    }
    return WorkspaceMessages::NoProposal;
}

namespace {

// Each page once: a page listed twice has one file.
QStringList distinctPages(const QStringList &pages)
{
    QStringList distinct;
    QSet<QString> seen;
    for (const QString &page : pages) {
        if (!seen.contains(page)) {
            seen.insert(page);
            distinct.append(page);
        }
    }
    return distinct;
}

// Reads a page as the refresh would, and tells what its unresolved rows are; false when the
// file could not be read (its message is in prompt). The rows before an error stay.
bool readUnresolved(const QString &path, const OfferedEntries &offered, PageReadNotes &notes, Prompt &prompt)
{
    PageDocument page;
    try {
        switch (LoadHTMLSourcePage(page, offered, path, prompt, &notes)) {
        case PageRead::Read:
            break;
        case PageRead::NotAPage:
            prompt.error(PageMessages::NotAPage.arg(path));
            return false;
        case PageRead::NotOpened:
            return false; // its message has been shown
        }
    } catch (const OperationError &e) {
        prompt.error(e.message());
        return false;
    }
    return true;
}

QString rowName(const PageReadNotes::Unresolved &row)
{
    return row.macro ? ListFieldSep(1, row.value, u'@') : trimBlanks(row.value.section(u'@', 0, 0));
}

} // namespace

QList<LostName> findLostNames(const AppState &state, const QStringList &pages, const OfferedEntries &offered,
                              QStringList *unreadPages)
{
    QList<LostName> lost;
    QHash<std::pair<bool, QString>, qsizetype> byName;
    for (const QString &page : distinctPages(pages)) {
        PageReadNotes notes;
        CollectingPrompt quiet;
        if (!readUnresolved(ProjectFiles::pageFile(state.DataFolder, state.ProjectName, page), offered, notes, quiet)) {
            if (unreadPages)
                unreadPages->append(page);
            continue;
        }
        for (const PageReadNotes::Unresolved &row : std::as_const(notes.unresolved)) {
            const QString name = rowName(row);
            if (trimBlanks(name).isEmpty())
                continue; // a macro row without a name names nothing to replace
            const auto key = std::pair{row.macro, name};
            qsizetype at = byName.value(key, -1);
            if (at < 0) {
                at = lost.size();
                byName.insert(key, at);
                const std::optional<PageRow> parsed =
                    row.macro ? std::optional<PageRow>(macroRowOf(row.value)) : objectRowOf(row.value);
                lost.append({row.macro ? RowKind::Macro : RowKind::Object, name, parsed ? parsed->label : QString(),
                             recordedOf(row.macro, row.value), 0, {}});
            }
            LostName &entry = lost[at];
            ++entry.rows;
            if (!entry.pages.contains(page))
                entry.pages.append(page);
        }
    }
    return lost;
}

ReassignChoices::ReassignChoices(const AppState &state, const QStringList &pages, const OfferedEntries &offered)
    : m_finder(offered, state.catalogue)
{
    for (const LostName &lost : findLostNames(state, pages, offered, &m_unread))
        m_choices.append({lost, m_finder.propose(lost), -1});
}

bool ReassignChoices::assign(qsizetype index, qsizetype offered)
{
    if (index < 0 || index >= m_choices.size() || offered < 0 || !m_finder.fits(offered, m_choices[index].lost.kind))
        return false;
    m_choices[index].assigned = offered;
    return true;
}

void ReassignChoices::unassign(qsizetype index)
{
    if (index >= 0 && index < m_choices.size())
        m_choices[index].assigned = -1;
}

void ReassignChoices::takeProposals(int minScore)
{
    for (Choice &choice : m_choices) {
        if (choice.assigned < 0 && choice.proposal.offered >= 0 && choice.proposal.score >= minScore)
            choice.assigned = choice.proposal.offered;
    }
}

qsizetype ReassignChoices::unassignedCount() const
{
    return std::count_if(m_choices.cbegin(), m_choices.cend(), [](const Choice &c) { return c.assigned < 0; });
}

QList<Assignment> ReassignChoices::assignments() const
{
    QList<Assignment> result;
    for (const Choice &choice : m_choices) {
        if (choice.assigned >= 0)
            result.append({choice.lost.kind, choice.lost.name, choice.assigned});
    }
    return result;
}

int ReassignPlan::rowsChanged() const
{
    int rows = 0;
    for (const Page &page : pages)
        rows += int(page.rows.size());
    return rows;
}

namespace {

// A file's bytes split at its line ends as the text reader splits them; each line keeps its end.
QList<QByteArrayView> splitLines(const QByteArray &bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.append(QByteArrayView(bytes.constData() + start, i + 1 - start));
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(QByteArrayView(bytes.constData() + start, bytes.size() - start));
    return lines;
}

qsizetype lineEndLength(QByteArrayView line)
{
    if (line.endsWith("\r\n"))
        return 2;
    return line.endsWith('\n') || line.endsWith('\r') ? 1 : 0;
}

bool readBytes(const QString &path, QByteArray &bytes, Prompt &prompt)
{
    QFile file;
    const FileCheck check = openRegularFile(path, file);
    if (check == FileCheck::Regular && file.size() > MaxPageFileSize) {
        prompt.error(WorkspaceMessages::PageFileTooLarge.arg(path));
        return false;
    }
    if (check != FileCheck::Regular) {
        const ReadStatus status = check == FileCheck::NotRegular ? ReadStatus::NotRegular
                                  : check == FileCheck::TooLong  ? ReadStatus::TooLong
                                                                 : ReadStatus::NotFound;
        prompt.error(readFailureMessage(status, path, PageMessages::FileNotFound));
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        prompt.error(OperationError::ioError(int(file.error()), path).message());
        return false;
    }
    return true;
}

} // namespace

namespace {

using Assigned = QHash<std::pair<bool, QString>, qsizetype>;

// The planned row for an unresolved row whose name is assigned: the row as the reader takes it,
// with the new entry as the editor adds it. Nothing for a line that holds no row.
std::optional<ReassignPlan::Row> plannedRow(const PageReadNotes::Unresolved &row, const OfferedEntry &item,
                                             const Catalogue &catalogue, const QLocale &locale)
{
    ReassignPlan::Row planned;
    planned.kind = row.macro ? RowKind::Macro : RowKind::Object;
    planned.oldName = rowName(row);
    planned.before = (row.macro ? u"MACRO="_s : u"OBJROW="_s) + row.value;
    if (row.macro) {
        PageRow macro = macroRowOf(row.value);
        macro.name = planned.newName = item.text;
        macro.entry = item.entry;
        planned.label = macro.label;
        planned.after = macroRowLine(macro);
        return planned;
    }
    std::optional<PageRow> object = objectRowOf(row.value);
    if (!object)
        return std::nullopt;
    object->name = planned.newName = item.entry->ObjName;
    object->entry = item.entry;
    planned.label = object->label;
    planned.after = objectRowLine(*object, catalogue, locale);
    return planned;
}

// bytes with line changes[i].first (from 1) replaced by changes[i].second, its line end kept and
// every other byte as it was; false when those lines hold no rows any more (the file changed).
bool rewriteLines(const QByteArray &bytes, const QList<std::pair<qsizetype, QString>> &changes, QByteArray &out)
{
    const QList<QByteArrayView> lines = splitLines(bytes);
    out.clear();
    out.reserve(bytes.size() + 256);
    qsizetype next = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        if (next >= changes.size() || changes[next].first != i + 1) {
            out += line;
            continue;
        }
        const QByteArrayView end = line.last(lineEndLength(line));
        const QByteArrayView text = line.chopped(end.size());
        if (!text.startsWith("OBJROW=") && !text.startsWith("MACRO="))
            return false;
        out += Cp1252::encode(changes[next++].second);
        out += end;
    }
    return next == changes.size();
}

} // namespace

bool planReassignment(const AppState &state, const QStringList &pages, const OfferedEntries &offered,
                      const QList<Assignment> &assignments, ReassignPlan &plan, Prompt &prompt,
                      const QLocale &locale)
{
    plan = ReassignPlan();
    Assigned assigned;
    for (const Assignment &a : assignments) {
        if (a.offered >= 0 && a.offered < offered.count())
            assigned.insert({a.kind == RowKind::Macro, a.name}, a.offered);
    }
    if (assigned.isEmpty())
        return true;
    for (const QString &page : distinctPages(pages)) {
        const QString path = ProjectFiles::pageFile(state.DataFolder, state.ProjectName, page);
        PageReadNotes notes;
        if (!readUnresolved(path, offered, notes, prompt))
            return false;
        QList<std::pair<qsizetype, QString>> changes; // line (from 1), new line
        ReassignPlan::Page planned{page, path, {}};
        for (const PageReadNotes::Unresolved &row : std::as_const(notes.unresolved)) {
            const qsizetype to = assigned.value({row.macro, rowName(row)}, -1);
            if (to < 0)
                continue;
            if (std::optional<ReassignPlan::Row> one = plannedRow(row, offered.entries().at(to), state.catalogue, locale)) {
                changes.append({row.line, one->after});
                planned.rows.append(*one);
            }
        }
        if (changes.isEmpty())
            continue;
        QByteArray bytes;
        QByteArray rewritten;
        if (!readBytes(path, bytes, prompt))
            return false;
        // The file changed since it was read: its lines are no longer the ones planned.
        if (!rewriteLines(bytes, changes, rewritten)) {
            prompt.error(WorkspaceMessages::PageChangedMeanwhile.arg(path));
            return false;
        }
        plan.pages.append(planned);
        plan.files.append({path, rewritten, bytes});
    }
    return true;
}

QString reassignSummary(const ReassignPlan &plan, int maxRows)
{
    QStringList lines;
    const int rows = plan.rowsChanged();
    const qsizetype pages = plan.pages.size();
    lines << WorkspaceMessages::ReassignSummaryHead.arg(rowsOnPagesText(rows, pages));
    int shown = 0;
    for (const ReassignPlan::Page &page : plan.pages) {
        if (shown >= maxRows)
            break;
        lines << WorkspaceMessages::ReassignSummaryPage.arg(page.page);
        for (const ReassignPlan::Row &row : page.rows) {
            if (shown++ >= maxRows)
                break;
            lines << (row.kind == RowKind::Macro ? WorkspaceMessages::ReassignSummaryMacro
                                                  : WorkspaceMessages::ReassignSummaryObject)
                         .arg(row.label, row.oldName, row.newName);
        }
    }
    if (rows > maxRows)
        lines << WorkspaceMessages::ReassignSummaryMore.arg(rows - maxRows);
    return lines.join(u'\r');
}

bool applyReassignment(const ReassignPlan &plan, Prompt &prompt)
{
    qsizetype failed = -1;
    int number = 0;
    const WriteStatus status = writeFilesAtomically(plan.files, &failed, &number);
    if (status == WriteStatus::Ok)
        return true;
    const QString path = plan.files.value(failed).path;
    if (status == WriteStatus::NotRegular)
        prompt.error(readFailureMessage(ReadStatus::NotRegular, path, QString()));
    else
        reportWriteFailed(prompt, path, number);
    prompt.error(WorkspaceMessages::ReassignNothingWritten);
    return false;
}
