#pragma once

#include <QList>
#include <QString>

class Prompt;

// One thing the project check found, about the project, a user, the execution file or one page.
struct CheckFinding
{
    enum class Kind {
        ExecFile,      // the execution file is missing, cannot be read or holds no object
        StartPage,     // the start page without login names no page of the list
        UserFile,      // the user list file is missing
        UserStartPage, // a user's start page names no page of the list
        UserTwice,     // a user name given twice, letter case ignored
        UserWithoutPassword,
        PageFileMissing,   // a page of the list has no page file
        PageFileNotListed, // a page file of the project whose page is not in the list
        PageUnreadable,    // the page file cannot be read, or its reading stops at a line
        PageLink,          // a page link whose target page is not in the list
        ObjectRow,         // an object row whose name is no longer offered
        MacroRow,          // a macro row whose name is no longer offered, or has none
        Label,             // a label that breaks its row in the page file
        LinkText,          // a link name or target that breaks the navigation line
        NaviLength,        // a navigation line longer than the reader takes
        Order,             // a build or column order that names an entry twice
        PageNotAPage,      // the page file holds no page (another format or encoding)
        NaviCount,         // the navigation section names another number of links than its line holds
    };

    Kind kind = Kind::ExecFile;
    QString page;   // the page it is about (also for a page file not in the list); empty otherwise
    QString detail; // the row, link, line or user it is about ("Objektzeile 3 („Licht“)"); may be empty
    QString text;   // the whole finding in German, naming page and detail

    // Whether the page can be opened in the page editor: a page of the list that the finding is about.
    bool isPageOfList() const { return !page.isEmpty() && kind != Kind::PageFileNotListed; }
    bool operator==(const CheckFinding &) const = default;
};

// The kind's name for scripts, e.g. "object-row".
QString checkKindName(CheckFinding::Kind kind);

struct CheckResult
{
    bool projectRead = false;     // false: the project file could not be read (shown through the prompt)
    bool execFileRead = false;    // false: there is an ExecFile finding and no row was resolved
    QList<CheckFinding> findings; // execution file, project, users, pages in list order, other page files
};

// The project check. Reads, and never writes, the project file projectFile, the project's user
// list and page files (project name and data folder are the project file's name and folder) and
// the execution file execFile (empty: the one the project file names). Page files are read as the
// editor reads them, against the offered entries of a catalogue of its own; layout values a page
// file lacks carry over from the page before, as in the refresh of all pages, so a row or link is
// judged as the next refresh would see it. Only a project file that cannot be read is shown, with
// "Datei %s nicht gefunden", through prompt; everything else is a finding.
CheckResult CheckProject(const QString &projectFile, const QString &execFile, Prompt &prompt);
