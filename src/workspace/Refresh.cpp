#include "workspace/Refresh.h"

#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "page/PageModel.h"
#include "text/FilePaths.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"

using namespace Qt::Literals::StringLiterals;

RefreshResult RefreshAllPages(AppState &state, const QStringList &pages, PageModel &model, Prompt &prompt,
                              const QLocale &locale)
{
    RefreshResult result;
    if (state.catalogue.ObjList.empty() || state.ProjectName.isEmpty() || !state.catalogue.isComplete())
        return result;

    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString &page = pages[i];
        const QString path = ProjectFiles::pageFile(state.DataFolder, state.ProjectName, page);
        model.SiteName = page;
        model.InitData();
        try {
            LoadHTMLSourcePage(model, path, prompt);
            if (!CreateHTMLSourcePage(model, path, prompt, locale))
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
