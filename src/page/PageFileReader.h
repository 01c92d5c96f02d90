#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class OfferedEntries;
class Prompt;
struct PageDocument;
struct PageRow;

// What reading a page file saw that the page does not keep: texts as the file separates them,
// before the page joins, cuts or drops them. The lists run parallel to the page's.
struct PageReadNotes
{
    // One link of the navigation line, parallel to the page's links.
    struct Link
    {
        QString name;
        QString target;
    };
    // An entry that the build or column order names once more; only its first place is kept.
    struct Repeat
    {
        QString key;  // "PAGEPOS" or "OBJCOLS"
        QString name; // the part or column named again
    };

    qsizetype line = 0;       // number (from 1) of the line read last; after an error, the line that stopped it
    qsizetype naviLength = 0; // longest NAVI value of the file in characters, before it is cut to what is read
    // Whether a NAVI line was read; the number of links its section's tag names, and the links the
    // line holds. A number below 1 or above what the line holds is damaged: the links held are read.
    bool naviRead = false;
    qint64 naviCount = 0;
    qsizetype naviHeld = 0;
    QList<Link> links;
    // Parallel to the page's object rows: each row's input flag as the line holds it, null when
    // the line ends before one. Labels need no note: the page keeps them as the line holds them.
    QStringList objFlags;
    QList<Repeat> repeats;
    // An object or macro row whose name resolves to no offered entry: the line (from 1) that holds
    // it and its value as read.
    struct Unresolved
    {
        bool macro = false;
        qsizetype line = 0;
        QString value;
    };
    QList<Unresolved> unresolved;
};

enum class PageRead {
    Read,      // the file was read as a page
    NotOpened, // missing, unreadable, no regular file or a name too long: its message was shown
    NotAPage,  // a file without the page's header line and without any section tag (another
               // format, another encoding): nothing of it is in the page, nothing was shown (the
               // caller tells with PageMessages::NotAPage what it does instead)
};

// Fills page from the page definition file DatNam; the caller has emptied the page's own content
// with PageDocument::clearContent. Layout values, build and column order that the file lacks keep
// their values, except fileVersion, AutoWidth and NoAutoScale, which are reset first. Row names
// are resolved against offered.
// A file that cannot be opened: "Datei nicht gefunden: <DatNam>" (or why it was not read) is shown
// and the page is left as it was but for the three values reset first. A file that holds no page must not be written back: the page
// would lose everything. A text that does not convert where a number or truth value is
// required, or an input/output error, throws OperationError: the lines before it stay in the page.
// notes (may be nullptr) is emptied and then filled as the file is read.
PageRead LoadHTMLSourcePage(PageDocument &page, const OfferedEntries &offered, const QString &DatNam, Prompt &prompt,
                            PageReadNotes *notes = nullptr);

// The row of an OBJROW value as the reader takes it, before its name is resolved (no entry): none
// for a value without a name. flag (may be nullptr) receives the input flag as the line holds it,
// null when the line ends before one.
std::optional<PageRow> objectRowOf(const QString &value, QString *flag = nullptr);
// The row of a MACRO value, before its name is resolved.
PageRow macroRowOf(const QString &value);
