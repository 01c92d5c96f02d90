#pragma once

#include "page/PageDocument.h"
#include "catalogue/OfferedEntries.h"
#include "text/AtomicFile.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>

class AppState;
class Catalogue;
class OfferedEntries;
class Prompt;

// When the control program changes, object and macro rows whose names it no longer has lose their
// entry, and the next save or refresh drops them. The routines here find those names across all
// pages of a project, propose the offered entry that most likely replaced each, and rewrite the
// rows with the entries chosen, all pages or none.

// What a row's line recorded of the entry it named, beside its name and label.
struct RecordedEntry
{
    QString source;     // "O" (object) or "V" (variable); empty for a macro row
    qint32 varIdx = 0;
    QString kind;       // ObjKind
    QString code;       // an object's DevCode, a variable's value code or type name
    QString range;      // the rest: states, decimals and bounds, a type's states
    qint32 objIdx = -1; // a macro row's

    // "O@12@U@3", the entry's place in the control program; empty for a macro row.
    QString place() const;
    // The kind with the range ("U@1&Aus&Ein"): entries of the same kind and range can take the row.
    // Bounds are compared by their digits: the machine that wrote them may have used other
    // separators than this one.
    QString kindAndRange() const;
    // For reading: "Schalter, Aus/Ein", "Zahl, -200,0 bis 1234,5", "Makro 7".
    QString description() const;
};

// A name that rows of the project's pages use and the catalogue no longer offers.
struct LostName
{
    RowKind kind = RowKind::Object;
    QString name;
    QString label;          // the first row's
    RecordedEntry recorded; // the first row's
    int rows = 0;
    QStringList pages; // each once, in list order
};

// The offered entry that most likely replaced a lost name.
struct Proposal
{
    enum class Basis {
        None,        // "keine Zuordnung": nothing close
        Place,       // the same source, VarIdx, kind and device code; a macro's ObjIdx
        Name,        // among the entries of the same kind and range, the closest name
        Description, // among those, one whose description is the row's label
    };
    qsizetype offered = -1; // position in the offered entries, -1 for none
    int score = 0;          // 0 to 100
    Basis basis = Basis::None;

    bool operator==(const Proposal &) const = default;
};

// Proposals at or above this score are taken without asking (webdef-cli reassign --auto).
inline constexpr int AutoAssignScore = 70;

// Finds proposals for lost names among the offered entries. Builds its indexes once: a look-up by
// place, and per kind and range the entries' folded names (letter case and umlauts as the search
// field folds them) by their three-letter pieces, so a name is compared with the few entries that
// share most of its pieces rather than with all of them. Points to the offered entries, which must
// not change while it is used.
class ReplacementFinder
{
public:
    ReplacementFinder(const OfferedEntries &offered, const Catalogue &catalogue,
                      const QLocale &locale = QLocale::system());
    ~ReplacementFinder();
    ReplacementFinder(const ReplacementFinder &) = delete;
    ReplacementFinder &operator=(const ReplacementFinder &) = delete;

    Proposal propose(const LostName &name) const;

    // Whether offered entry position may take a row of kind (the add button its kind enables).
    bool fits(qsizetype offered, RowKind kind) const;

private:
    struct Group;
    Group &group(const QString &key);

    const OfferedEntries &m_offered;
    QHash<QString, qsizetype> m_byPlace;
    QHash<qint32, qsizetype> m_macroByIdx;
    QHash<QString, std::shared_ptr<Group>> m_groups; // object rows by kind and range
    std::shared_ptr<Group> m_macros;
};

// The lost names of the project's pages (state's data folder and project name), read against
// offered. Reads, never writes. A page that cannot be read is skipped; its name is added to
// *unreadPages (may be nullptr).
QList<LostName> findLostNames(const AppState &state, const QStringList &pages, const OfferedEntries &offered,
                              QStringList *unreadPages = nullptr);

// "1 Zeile auf 1 Seite", "5 Zeilen auf 3 Seiten".
QString rowsOnPagesText(int rows, qsizetype pages);

// The human words for a proposal's basis, "keine Zuordnung" for none.
QString proposalBasisText(Proposal::Basis basis);

// A lost name and the offered entry that takes its rows (-1: left as it is).
struct Assignment
{
    RowKind kind = RowKind::Object;
    QString name;
    qsizetype offered = -1;
};

// The lost names of a project with their proposals and the entries chosen for them: what the
// dialog "Objekte zuordnen" and webdef-cli reassign show and change. Nothing starts chosen.
class ReassignChoices
{
public:
    struct Choice
    {
        LostName lost;
        Proposal proposal;
        qsizetype assigned = -1; // the offered entry chosen, -1: left as it is
    };

    // Reads the pages (see findLostNames) and proposes; the offered entries must not change while
    // the choices are used.
    ReassignChoices(const AppState &state, const QStringList &pages, const OfferedEntries &offered);

    const QList<Choice> &choices() const { return m_choices; }
    const QStringList &unreadPages() const { return m_unread; }
    const ReplacementFinder &finder() const { return m_finder; }

    // Chooses offered entry offered for choice index; false when the entry cannot take its rows.
    bool assign(qsizetype index, qsizetype offered);
    // Leaves choice index as it is.
    void unassign(qsizetype index);
    // Takes the proposal of every choice not chosen yet whose score reaches minScore.
    void takeProposals(int minScore);
    // How many names are left without an entry.
    qsizetype unassignedCount() const;
    QList<Assignment> assignments() const;

private:
    ReplacementFinder m_finder;
    QList<Choice> m_choices;
    QStringList m_unread;
};

// What reassigning changes: per page its file, the rows' lines before and after, and the new bytes.
struct ReassignPlan
{
    struct Row
    {
        RowKind kind = RowKind::Object;
        QString label;
        QString oldName;
        QString newName;
        QString before; // the line as the file holds it
        QString after;  // the line as it is written
    };
    struct Page
    {
        QString page;
        QString path;
        QList<Row> rows;
    };
    QList<Page> pages;
    QList<FileReplacement> files; // parallel to pages
    int rowsChanged() const;
};

// Prepares the new page files: in each page that has rows of an assigned name, those rows' lines
// take the name of the entry assigned and its data, exactly as a refresh writes a row of that entry,
// with the label and input setting the line held; every other byte of the file stays. Reads only.
// A page file that cannot be read or changed since the lost names were found ends the planning with
// its message through prompt and false.
bool planReassignment(const AppState &state, const QStringList &pages, const OfferedEntries &offered,
                      const QList<Assignment> &assignments, ReassignPlan &plan, Prompt &prompt,
                      const QLocale &locale = QLocale::system());

// For the question before writing: per page the rows before and after, at most maxRows of them
// (the rest counted).
QString reassignSummary(const ReassignPlan &plan, int maxRows = 20);

// Writes the plan's files, all or none; a file that fails is reported through prompt ("Fehler %d
// beim Schreiben der Datei %s") and every file keeps its old bytes. Returns whether all were written.
bool applyReassignment(const ReassignPlan &plan, Prompt &prompt);
