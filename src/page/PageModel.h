#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/OfferedEntries.h"
#include "text/Entities.h"

#include <QList>
#include <QMetaObject>
#include <QString>
#include <QStringList>

class Catalogue;
class Prompt;

// System window colour: the page background until the first page is opened. Written as "FFFFFF".
inline constexpr TColor clWindow = TColor(0x80000005);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// Font style bits as the page file stores them.
enum FontStyleBit : qint32 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Layout values of one page. Every number is held as a 32-bit integer; Limits gives the bounds
// that apply to the limited ones.
struct TSiteData
{
    QString Headline;
    QString BGPict;
    QString HeadFontName = QStringLiteral("MS Sans Serif");
    QString ObjFontName = QStringLiteral("Arial");
    QString ValFontName = QStringLiteral("Arial");
    QString NaviFontName = QStringLiteral("Arial");
    qint32 HeadFontStyle = fsBold;
    qint32 HeadFontSize = 8;
    qint32 ObjFontStyle = fsBold;
    qint32 ObjFontSize = 8;
    qint32 ValFontStyle = fsBold;
    qint32 ValFontSize = 8;
    qint32 NaviFontStyle = fsUnderline;
    qint32 NaviFontSize = 8;
    TColor HeadFontColor = clBlack;
    TColor HeadBGColor = clWhite;
    TColor ObjFontColor = clBlack;
    TColor ObjBGColor = clWhite;
    TColor ValFontColor = clBlack;
    TColor ValBGColor = clWhite;
    TColor NaviFontColor = clBlack;
    TColor NaviBGColor = clWhite;
    TColor BGCol = clWindow;
    qint32 ObjWidth = 180;
    qint32 ValueWidth = 50;
    qint32 PictWidth = 10;
    qint32 RowWidth = 0;
    qint32 RowHeight = 0;
    qint32 FrameWidth = 0;
    qint32 CellDist = 0;
    qint32 TextDist = 0;
    qint32 InputWidth = 40;
    qint32 AutoAktSec = 10;
    bool PictStretch = false;
    bool AutoAkt = false;
    qint32 LeftMarginHeadline = 0;
    qint32 LeftMarginObj = 0;
    qint32 LeftMarginMacro = 0;
    qint32 BrowserWidth = 0;
    bool AutoWidth = false;
    bool NoAutoScale = false;
};

// The four text styles of a page, each shown by one preview panel of the editor.
enum class TextStyle { Head, Obj, Val, Navi };

// The fields of one text style inside TSiteData.
struct TextStyleRef
{
    QString &face;
    qint32 &size;
    qint32 &style; // FontStyleBit values
    TColor &colour;
    TColor &background;
};

// Bounds of the limited number fields of TSiteData.
namespace Limits {
struct Range
{
    qint32 min;
    qint32 max;
    qint32 clamp(qint32 v) const { return v < min ? min : (v > max ? max : v); }
};
inline constexpr Range ObjWidth{20, 2000};
inline constexpr Range PictWidth{10, 500};
inline constexpr Range InputWidth{10, 1000};
inline constexpr Range RowHeight{0, 50};
inline constexpr Range FrameWidth{0, 20};
inline constexpr Range CellDist{0, 50};
inline constexpr Range TextDist{0, 200};
inline constexpr Range AutoAktSec{5, 300};
} // namespace Limits

// One entry of the build order or of the object column order.
struct CheckEntry
{
    QString text;
    bool checked = false;
    bool operator==(const CheckEntry &) const = default;
};

// One row of the object grid; entry points into the catalogue without owning it.
struct ObjRow
{
    QString name;
    QString label;
    QString input; // "ja", "nein", "###" or "Fehler"
    TPSObj *entry = nullptr;
};

// One row of the macro grid; entry points into the catalogue without owning it.
struct MacroRow
{
    QString name;
    QString label;
    TPSObj *entry = nullptr;
};

// The one page model of the page editor, reused for every page and by the refresh of all pages.
// Owns the page's values, rows, links and lists; its rows and offered entries point into the
// catalogue without owning, and are dropped when the catalogue is cleared.
//
// The grids keep the layout of the editor's string grids: row 0 is the header, rows 1..n the data
// rows, row n+1 the blank row. Row arguments are grid rows.
class PageModel
{
public:
    explicit PageModel(Catalogue &catalogue);
    ~PageModel();
    PageModel(const PageModel &) = delete;
    PageModel &operator=(const PageModel &) = delete;

    // Identity and editor state.
    QString SiteName;
    QString MainName;
    QString DirDat;
    bool NewPage = false;
    bool IsChanged = false;
    qint32 fileversion = 0;
    QString PageNameText; // PageNameEdt: the name the page is saved under
    bool ExtLink = false;
    bool NewLink = false;
    // Whether the automatic refresh box (AutoAktCB) can be used. Only HTMLCodeEnter changes it, so
    // it carries over from one page to the next.
    bool AutoAktCBEnabled = true;

    TSiteData SiteData;
    QList<CheckEntry> PagePosLB; // build order
    QList<CheckEntry> ObjSeqLB;  // object column order

    QList<ObjRow> SGRows;   // data rows of the object grid (grid rows 1..n)
    ObjRow SGBlank;         // the blank row after them; its label may hold typed text
    QList<MacroRow> MGRows; // data rows of the macro grid
    MacroRow MGBlank;

    QStringList NaviLB;      // "name : target"; an external target starts with ">"
    QStringList HTMLCode1MB; // HTML insert 1, lines as typed
    QStringList HTMLCode2MB; // HTML insert 2
    QStringList SeitenLB;    // the other pages of the project, sorted; not stored

    QString HeadPreview = QStringLiteral("Überschrift"); // text of the headline preview
    QString NaviPreview = QStringLiteral("home");        // text of the navigation preview

    // Offered entries (ObjBox), sorted by text without regard to letter case.
    const QList<OfferedEntry> &ObjBox() const { return m_offered.entries(); }
    // Index in ObjBox of the first entry whose text equals name without regard to letter case; -1.
    qsizetype findOffered(const QString &name) const;

    // Build order and column order to their start state.
    void FillPagePosLB();
    // Head preview "Überschrift", offered entries rebuilt from the catalogue, text colours black and
    // text backgrounds white.
    void InitAll();
    // Empties the per-page lists, rows, links, HTML inserts, headline and background picture. Keeps
    // the layout values, build and column order and automatic refresh.
    void InitData();
    // Rebuilds ObjBox: every catalogue object followed by the variable entries it brings along.
    void FillObjBox();
    // Drops the offered entries and every row's entry reference (the catalogue is being cleared).
    void dropCatalogueReferences();

    // Whether some object row has exactly "ja" as its input state.
    bool hasInputFields() const;
    // Switches AutoAkt off with the message when the page has an input field. Returns whether it did.
    bool enforceAutoRefreshRule(Prompt &prompt);
    // The automatic refresh box changed: AutoAkt := checked; ticked on a page with an input field, the
    // message is shown and AutoAkt goes off again.
    void AutoAktCBClick(bool checked, Prompt &prompt);
    // The tab "HTML-Einfügungen" entered: with an input field AutoAkt goes off without a message and
    // the box becomes unusable; without one the box becomes usable again.
    void HTMLCodeEnter();

    // A new page: the four text backgrounds and the page background become white.
    void whitenBackgrounds();
    TextStyleRef textStyle(TextStyle which);
    // The text a style's preview shows, and the width (pixels) its preview never exceeds.
    QString previewText(TextStyle which) const;
    static int previewWidthCap(TextStyle which);
    // The headline edit left: the headline preview shows the headline; IsChanged is set.
    void PageHeadEdtExit();
    // The font and colour dialogs of the layout tabs; a cancelled dialog changes nothing. Return
    // whether the value changed hands (the dialog was confirmed).
    bool chooseStyleFont(TextStyle which, Prompt &prompt);
    bool chooseStyleBackground(TextStyle which, Prompt &prompt);
    bool choosePageBackground(Prompt &prompt);

    // The page file name: DirDat + delimiter + MainName + "_" + SiteName + ".SHT".
    QString pageFilePath() const;
    // The other pages of allPages (exact comparison with SiteName), sorted without letter case.
    void fillOtherPages(const QStringList &allPages);

    // The page editor's life cycle. allPages is the project's page list (the main window's SiteBox).

    enum class NameCheck { Ok, Empty, Taken };
    enum class SaveResult { Saved, NameRefused, Declined, NotWritten };

    // Showing: PageNameText := SiteName; InitData; the other pages; the navigation preview "home"; a
    // new page gets white backgrounds and the headline preview "Überschrift", an existing page is
    // read from its file. A reading error is shown and the page keeps the lines read so far. Ends
    // unchanged (IsChanged false) whatever happened before.
    void prepareShow(const QStringList &allPages, Prompt &prompt);
    // Trims PageNameText (blanks at both ends) and checks it against allPages: empty, or taken when
    // found without regard to letter case while NewPage is on or the name differs from SiteName.
    NameCheck CheckPageName(const QStringList &allPages);
    // The message for a refused name ("Name muss angegeben werden", "Dieser Name ist schon vergeben").
    static QString nameCheckMessage(NameCheck check);
    // OK: the automatic refresh rule (message, saving goes on), the name check, SiteName :=
    // PageNameText, the page file written. NameRefused: nothing written, no message shown yet
    // (the caller shows nameCheckMessage once the name field is in front). Rows that name no offered
    // entry would be dropped by the writer: the user is asked first, and Declined (No) writes
    // nothing and changes nothing but the automatic refresh rule. NotWritten: the writer
    // has shown its message and the model is as it was, SiteName already the new name. Saved
    // clears IsChanged. A failure half-way through writing throws OperationError.
    SaveResult OKBtnClick(const QStringList &allPages, Prompt &prompt, NameCheck *check = nullptr);
    // Object and macro rows without an offered entry, which the page file writer drops.
    int unresolvedRowCount() const;
    // The question OK asks before dropping count such rows.
    static QString unresolvedRowsQuestion(int count);

    // Whether the editor may close: without unsaved edits, or when the user confirms losing them.
    bool FormCloseQuery(Prompt &prompt) const;

    // Which add buttons an offered entry enables (ObjBoxClick).
    struct AddButtons
    {
        bool object = true;
        bool macro = true;
        bool operator==(const AddButtons &) const = default;
    };
    static AddButtons ObjBoxClick(const TPSObj &entry);

    // A label as typed into a grid cell, without the characters that break its row in the page
    // file ("@" separates the row's fields, a double quote hides separators); refused is set when
    // any were removed.
    static QString acceptedLabel(const QString &typed, bool *refused = nullptr);

    // Object grid. All return the grid row to select afterwards.
    int sgRowCount() const { return int(SGRows.size()) + 2; }
    const ObjRow &sgRow(int row) const; // 1..sgRowCount()-1
    ObjRow &sgRow(int row);
    // Appends a row for offered entry index (into ObjBox) into the blank row; -1 with the message
    // "Kein Eintrag ausgewählt" when index is not a valid entry.
    int appendObjRow(qsizetype offeredIndex, Prompt &prompt);
    // Appends a row as the page reader does: the blank row takes the texts, a new blank row follows.
    void appendReadObjRow(const ObjRow &row);
    int deleteObjRow(int row);
    // Moves data row row to grid row target, the rows between closing up, and returns target; the
    // move buttons move by one. When either is no data row (the header, the blank row or beyond)
    // nothing moves and row is returned: the blank row stays last. IsChanged is left as it is.
    int moveObjRow(int row, int target);
    int moveObjRowUp(int row);
    int moveObjRowDown(int row);
    // Toggles the input state of row "nein" <-> "ja" (rows with an entry and not "###"); on "ja"
    // while AutoAkt is on shows the automatic refresh message and switches it off.
    void toggleInputState(int row, Prompt &prompt);

    // Macro grid, same scheme.
    int mgRowCount() const { return int(MGRows.size()) + 2; }
    const MacroRow &mgRow(int row) const;
    MacroRow &mgRow(int row);
    // "Kein Eintrag ausgewählt" without a valid entry, "Nur Objekte zulässig" for a text with ".".
    int appendMacroRow(qsizetype offeredIndex, Prompt &prompt);
    void appendReadMacroRow(const MacroRow &row);
    void clearMacroRows();
    int deleteMacroRow(int row);
    int moveMacroRow(int row, int target);
    int moveMacroRowUp(int row);
    int moveMacroRowDown(int row);

    // Navigation links. Indexes are list indexes, -1 for no selection.
    // Appends "page : page" for SeitenLB entry index; "Kein Eintrag ausgewählt" without one.
    bool appendPageLink(qsizetype pageIndex, Prompt &prompt);
    bool deleteLink(qsizetype index, Prompt &prompt);
    // Moves link index to position target as moveObjRow does; index is returned when either is no link.
    qsizetype moveLink(qsizetype index, qsizetype target);
    qsizetype moveLinkUp(qsizetype index);
    qsizetype moveLinkDown(qsizetype index);
    // Opens the link edit panel on link index: NewLink off, ExtLink as the link is external, name and
    // target as LinkText::forEditing gives them; IsChanged is set. "Kein Eintrag ausgewählt" without a link.
    bool beginEditLink(qsizetype index, Prompt &prompt, QString &name, QString &target);
    // Opens the panel for a new external link: ExtLink and NewLink on; IsChanged is set.
    void beginNewLink();
    // Stores the panel's link as typed: appended for a new link, else replacing link index. ExtLink
    // goes off. Returns the index of the stored link. A text that would break the page file (see
    // LinkText::refusal) is refused with its message: nothing is stored, the panel stays open, -1.
    qsizetype commitLink(qsizetype index, const QString &name, const QString &target, Prompt &prompt);
    // Whether the links as the page file writes them are longer than the page file reader takes
    // back (then links beyond are lost at the next reading); length is their length.
    bool naviLineTooLong(qsizetype *length = nullptr) const;

    // Link index clicked: the navigation preview shows its name, the text before its first ":".
    // Without a link nothing changes.
    void NaviLBClick(qsizetype index);

    // Build order and column order: move an entry with its check mark; returns the new selection
    // (index when either is no entry, and nothing moves).
    static qsizetype moveEntry(QList<CheckEntry> &list, qsizetype index, qsizetype target);
    static qsizetype moveEntryUp(QList<CheckEntry> &list, qsizetype index);
    static qsizetype moveEntryDown(QList<CheckEntry> &list, qsizetype index);

    Catalogue &catalogue() const { return m_catalogue; }

private:
    Catalogue &m_catalogue;
    OfferedEntries m_offered;
    QMetaObject::Connection m_clearConnection;
};
