#include "workspace/Refresh.h"

#include "page/Messages.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "page/PageDocument.h"
#include "text/FilePaths.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Leftovers.h"

using namespace Qt::Literals::StringLiterals;

RefreshResult RefreshAllPages(AppState &state, const QStringList &pages, PageDocument &page,
                              const OfferedEntries &offered, Prompt &prompt, const QLocale &locale)
{
    RefreshResult result;
    if (state.catalogue.ObjList.empty() || state.ProjectName.isEmpty() || !state.catalogue.isComplete())
        return result;

    removeProjectLeftovers(state.DataFolder, state.ProjectName);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString path = ProjectFiles::pageFile(state.DataFolder, state.ProjectName, pages[i]);
        page.name = pages[i];
        page.clearContent();
        try {
            if (LoadHTMLSourcePage(page, offered, path, prompt) == PageRead::NotAPage) {
                // Written back from an empty model, the page would lose everything it holds.
                prompt.error(PageMessages::NotAPage.arg(path) + u'\r' + PageMessages::NotAPageSkipped);
                ++result.pagesSkipped;
                continue;
            }
            if (!CreateHTMLSourcePage(page, state.catalogue, path, prompt, locale))
                ++result.pagesNotWritten;
        } catch (const OperationError &e) {
            prompt.error(e.message());
            result.status = RefreshResult::Status::Stopped;
            result.stoppedAt = i;
            return result;
        }
    }
    result.status = RefreshResult::Status::Completed;
    state.DefData.RVXDate = state.ExecFileDate;
    return result;
}
