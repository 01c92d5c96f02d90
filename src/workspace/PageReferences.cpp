#include "workspace/PageReferences.h"

#include "page/LinkText.h"
#include "page/PageFileReader.h"
#include "catalogue/OfferedEntries.h"
#include "page/PageDocument.h"
#include "text/CollectingPrompt.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/OperationError.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/ProjectModel.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

bool samePage(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool linksTo(const QStringList &links, const QString &page)
{
    return std::any_of(links.cbegin(), links.cend(), [&page](const QString &link) {
        // As the page file holds it: a page link's target is the page's name as it stands.
        const LinkText::Parts parts = LinkText::split(link, KeyValue::MaxValueLength);
        return !parts.target.startsWith(LinkText::ExternalMark) && samePage(parts.target, page);
    });
}

QString quotedList(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted << u"„"_s + name + u"“"_s;
    return quoted.join(u", "_s);
}

} // namespace

PageReferences findPageReferences(AppState &state, const ProjectModel &project, const QString &page)
{
    PageReferences references;
    references.startPage = samePage(project.StartPage, page);
    for (const UserRow &user : project.Users) {
        if (!user.User.isEmpty() && samePage(user.StartPage, page))
            references.users << user.User;
    }
    PageDocument scratch;
    const OfferedEntries noEntries(state.catalogue); // only the links count
    for (const QString &other : project.Sites) {
        if (samePage(other, page) || references.linkingPages.contains(other))
            continue;
        scratch.clearContent();
        CollectingPrompt quiet;
        try {
            LoadHTMLSourcePage(scratch, noEntries,
                               ProjectFiles::pageFile(state.DataFolder, state.ProjectName, other), quiet);
        } catch (const OperationError &) {
            // The links read before the error count all the same.
        }
        if (linksTo(scratch.links, page))
            references.linkingPages << other;
    }
    return references;
}

QString deletePageQuestion(const QString &page, const QString &file, const PageReferences &references)
{
    QString question = WorkspaceMessages::DeletePageQuestion.arg(page, file);
    if (references.isEmpty())
        return question;
    QStringList parts;
    if (references.startPage)
        parts << WorkspaceMessages::ReferenceStartPage;
    if (!references.users.isEmpty())
        parts << (references.users.size() == 1 ? WorkspaceMessages::ReferenceUser : WorkspaceMessages::ReferenceUsers)
                     .arg(quotedList(references.users));
    if (!references.linkingPages.isEmpty())
        parts << (references.linkingPages.size() == 1 ? WorkspaceMessages::ReferencePage
                                                      : WorkspaceMessages::ReferencePages)
                     .arg(quotedList(references.linkingPages));
    return question + u'\r' + WorkspaceMessages::ReferencesLeft.arg(parts.join(u"; "_s));
}
