#pragma once

#include "catalogue/OfferedEntries.h"
#include "page/PageDocument.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class Catalogue;
class Prompt;

// What the page list hands the page editor: the page to edit and what it needs to know about the
// project around it.
struct PageHandOver
{
    QString page;         // the page's name; empty for a new page
    QStringList allPages; // the project's page list, the page itself included
    QString dataFolder;
    QString projectName; // page files are named after it
    // A new page starts with the project's general options.
    qint32 browserWidth = 0;
    bool noAutoScale = false;
    bool autoWidth = false;
    QString browserPath; // the program that opens external link targets; empty when none is known
};

// The editing of one page at a time, without the window: the page (one PageDocument, reused for
// every page, so that values a page file lacks carry over from the page before, and run through by
// the refresh of all pages), the offered catalogue entries, the name field, whether the page is
// new or changed, what the editor's boxes allow, the previews' texts, showing, saving and the close
// question, and the undo history of the page's changes.
//
// Every change to the page goes through one of the verbs below, which records it as one step
// that can be undone and redone. Typing in one field is one step until typing ends (the field is
// left); a step that changes nothing is not recorded.
//
// Owns the page and the offered entries; points into the catalogue without owning it and lets go
// of every entry when the catalogue is cleared.
class PageEditSession : public QObject
{
    Q_OBJECT

public:
    // Steps kept for undoing; the oldest go first.
    static constexpr int HistoryLimit = 100;

    enum class NameCheck { Ok, Empty, Taken };
    enum class SaveResult { Saved, NameRefused, Declined, NotWritten };
    enum class Order { Build, Columns };

    // Which add buttons an offered entry enables (ObjBoxClick).
    struct AddButtons
    {
        bool object = true;
        bool macro = true;
        bool operator==(const AddButtons &) const = default;
    };

    explicit PageEditSession(Catalogue &catalogue, QObject *parent = nullptr);
    ~PageEditSession() override;

    Catalogue &catalogue() const { return m_catalogue; }
    const OfferedEntries &offered() const { return m_offered; }
    // The page. The refresh of all pages fills and writes it directly; the editor changes it only
    // through the verbs below.
    PageDocument &document() { return m_page; }
    const PageDocument &document() const { return m_page; }

    // Program start and every new catalogue: the offered entries rebuilt, text colours black and
    // text backgrounds white, the headline preview "Überschrift".
    void InitAll();
    // Build order and column order to their start state (program start, a new project).
    void FillPagePosLB();

    // Showing. The name field takes the page's name; the page's own content is emptied; the other
    // pages are listed; a new page takes the project's options and white backgrounds, an existing
    // one is read from its file (a reading error is shown and the page keeps what was read so far; a
    // file that holds no page is told and the page opens empty). Ends unchanged, with an empty
    // history.
    void begin(const PageHandOver &handOver, Prompt &prompt);
    // OK: the automatic refresh rule (message, saving goes on), the name check, the question
    // before rows without an offered entry are dropped (Declined: nothing written), the page's
    // name := the name field, the page file written. NameRefused: nothing written and no message
    // yet (the caller shows nameCheckMessage once the name field is in front). NotWritten: the
    // writer has shown its message. Saved clears IsChanged and ends the history. A failure
    // half-way through writing throws OperationError.
    SaveResult save(Prompt &prompt, NameCheck *check = nullptr);
    static QString nameCheckMessage(NameCheck check);
    static QString unresolvedRowsQuestion(int count);
    // Whether the editor may close: without unsaved edits, or when the user confirms losing them.
    bool closeQuery(Prompt &prompt) const;
    // The editor closes without saving: the history ends.
    void finish();

    bool isNewPage() const { return m_newPage; }
    // IsChanged: whether closing asks first.
    bool isChanged() const { return m_changed; }
    // A control was entered (or left) whose rule sets IsChanged whether or not anything changes.
    void markChanged();
    const QString &nameText() const { return m_nameText; }
    void setNameText(const QString &text);
    // The trimmed name field checked against the project's pages: empty, or taken when found
    // without regard to letter case while the page is new or the name differs from the page's.
    NameCheck checkName();
    QString pageFilePath() const;
    // The project's other pages, sorted, to link to (SeitenLB).
    const QStringList &otherPages() const { return m_otherPages; }
    const QString &browserPath() const { return m_handOver.browserPath; }

    // The texts the style previews show, and the width (pixels) a preview never exceeds.
    QString previewText(TextStyle which) const;
    static int previewWidthCap(TextStyle which);

    // What the editor's boxes allow.
    bool autoRefreshUsable() const { return m_autoRefreshUsable; }
    static AddButtons addButtons(const TPSObj &entry);
    bool fixedWidthUsable() const { return browserWidthEditable(m_page.layout.AutoWidth); }
    // Whether the link panel's target can be edited (an external link), and opened in the browser.
    bool linkTargetEditable() const { return m_extLink; }
    bool canBrowseLinkTarget() const { return m_extLink && !browserPath().isEmpty(); }

    // Rows. Row numbers count the rows of a list from 0; the row after the last is the grid's
    // blank row, which is no row of the page. All return the row to select afterwards.
    // Adds a row for offered entry offeredIndex; -1 with "Kein Eintrag ausgewählt" when there is no
    // such entry. A macro of a text with "." is refused ("Nur Objekte zulässig").
    int addObjectRow(qsizetype offeredIndex, Prompt &prompt);
    int addMacroRow(qsizetype offeredIndex, Prompt &prompt);
    // row unchanged when it is no row.
    int deleteRow(RowKind kind, int row);
    // Moves row to target, the rows between closing up; row unchanged when either is no row.
    int moveRow(RowKind kind, int row, int target);
    void setLabel(RowKind kind, int row, const QString &label);
    // "nein" <-> "ja" for a row with an entry that takes input; on "ja" the automatic refresh rule.
    void toggleInput(int row, Prompt &prompt);

    // Links; indexes are list indexes, -1 for none.
    // Appends "page : page" for otherPages() entry pageIndex; "Kein Eintrag ausgewählt" without one.
    bool addPageLink(qsizetype pageIndex, Prompt &prompt);
    bool deleteLink(qsizetype index, Prompt &prompt);
    qsizetype moveLink(qsizetype index, qsizetype target);
    // Opens the link panel on link index: name and target as LinkText::forEditing gives them.
    // "Kein Eintrag ausgewählt" without a link. Sets IsChanged.
    bool beginEditLink(qsizetype index, Prompt &prompt, QString &name, QString &target);
    // Opens the panel for a new external link. Sets IsChanged.
    void beginNewLink();
    // Stores the panel's link: appended for a new link, else replacing link index. Returns its
    // index; a text that would break the page file (LinkText::refusal) is refused with its message
    // and -1: nothing stored, the panel stays open.
    qsizetype commitLink(qsizetype index, const QString &name, const QString &target, Prompt &prompt);
    // Link index clicked (NaviLBClick): the navigation preview shows its name.
    void selectLink(qsizetype index);

    // Build order and column order.
    const QList<CheckEntry> &order(Order which) const;
    qsizetype moveOrderEntry(Order which, qsizetype index, qsizetype target);
    void tickOrderEntry(Order which, qsizetype index, bool checked);

    // Layout.
    void setLayoutNumber(qint32 TSiteData::*field, qint32 value);
    void setHeadline(const QString &text);
    // The headline field left (PageHeadEdtExit): the headline preview shows the headline; IsChanged.
    void headlineLeft();
    void setAutoWidth(bool on);
    void setNoAutoScale(bool on);
    // The automatic refresh box changed: ticked on a page with an input field, the message is
    // shown and it goes off again.
    void setAutoRefresh(bool checked, Prompt &prompt);
    // The tab "HTML-Einfügungen" entered (HTMLCodeEnter): with an input field automatic refresh goes
    // off without a message and its box becomes unusable; without one the box becomes usable.
    void enterHtmlInserts();
    // which is 1 or 2.
    void setHtmlInsert(int which, const QStringList &lines);
    // The font and colour dialogs; a cancelled dialog changes nothing. Return whether one was confirmed.
    bool chooseStyleFont(TextStyle which, Prompt &prompt);
    bool chooseStyleBackground(TextStyle which, Prompt &prompt);
    bool choosePageBackground(Prompt &prompt);

    // Undo and redo.
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    QString undoStepName() const;
    QString redoStepName() const;
    void undo();
    void redo();
    // The field being typed in was left: the next keystroke starts a new step.
    void endTyping();

signals:
    // A step was recorded, undone or redone, or the history ended.
    void historyChanged();

private:
    // What a step restores: the page and the name field.
    struct EditState
    {
        PageDocument page;
        QString nameText;
        bool operator==(const EditState &) const = default;
    };
    struct Step
    {
        QString name;
        EditState before;
        EditState after;
    };

    EditState state() const { return {m_page, m_nameText}; }
    // Runs change and records what it changed as the step name; typing (not empty) names the field
    // typed in, whose keystrokes make one step.
    template <typename Change> void record(const QString &name, Change &&change, const QString &typing = QString());
    void commit(const QString &name, EditState before, const QString &typing);
    void restore(const EditState &state);
    void clearHistory();
    // Switches automatic refresh off with the message when the page has an input field.
    void applyAutoRefreshRule(Prompt &prompt);
    void fillOtherPages(const QStringList &allPages);
    // The page's file read into the page; the previews show it. A reading error is shown.
    void readPage(Prompt &prompt);
    void dropCatalogueReferences();

    Catalogue &m_catalogue;
    OfferedEntries m_offered;
    QMetaObject::Connection m_clearConnection;
    PageDocument m_page;
    PageHandOver m_handOver;
    QString m_nameText;
    QStringList m_otherPages;
    bool m_newPage = false;
    bool m_changed = false;
    bool m_entered = false; // IsChanged set by a control's rule rather than by a change
    bool m_extLink = false;
    bool m_newLink = false;
    // Only entering the HTML inserts changes it, so it carries over from one page to the next.
    bool m_autoRefreshUsable = true;
    QString m_headPreview;
    QString m_naviPreview;

    EditState m_asRead; // the page as begin left it
    QList<Step> m_undo;
    QList<Step> m_redo;
    QString m_typing; // the field of the step still taking keystrokes
};
