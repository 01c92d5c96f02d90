#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class AppState;
class OfferedEntries;
class Prompt;
struct PageDocument;

// How a refresh of all pages ended.
struct RefreshResult
{
    enum class Status {
        NotRun,    // no object in the catalogue, no project, or the catalogue is incomplete
        Completed, // every page was read and written (a page that could not be written counts)
        Stopped,   // a page's reading or writing ended with an error; it and the pages after it
                   // were not rewritten
    };
    Status status = Status::NotRun;
    qsizetype stoppedAt = -1; // index in the page list of the page that stopped the refresh
    int pagesNotWritten = 0;  // pages whose file could not be created
    int pagesSkipped = 0;     // pages whose file holds no page (another format): told and left alone
};

// RefreshAllPages: rewrites every page file of the project, in list order, through the one page
// (name := page, its own content emptied, read with names resolved against offered, written), so
// that each page carries the data of the current catalogue; values a page file lacks carry over
// from the page before. The files are
// state.DataFolder + state.ProjectName + "_" + page + ".SHT". Reader and writer report their own
// messages through prompt; an error that ends the reading or writing of a page is shown there too
// and stops the refresh. state.DefData.RVXDate := state.ExecFileDate only when it completed.
// A page file that holds no page at all is told, left as it is and skipped. What interrupted saves
// left beside the project's files is removed first.
// Does nothing unless the catalogue holds at least one object, the project name is not empty and
// the catalogue's last read was complete (a partial catalogue would drop rows from every page).
RefreshResult RefreshAllPages(AppState &state, const QStringList &pages, PageDocument &page,
                              const OfferedEntries &offered, Prompt &prompt, const QLocale &locale = QLocale::system());
