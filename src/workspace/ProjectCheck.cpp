#include "workspace/ProjectCheck.h"

#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "page/LinkText.h"
#include "page/PageDocument.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "text/CollectingPrompt.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/Messages.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/UserFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = CheckFinding::Kind;

// The object row flags the page file writer writes: "1" ja, "0" nein, "3" any other input state.
// Anything else where the flag stands means the row's fields have slipped.
bool isWrittenFlag(const QString &flag)
{
    return flag == u"0" || flag == u"1" || flag == u"3";
}

class ProjectChecker
{
public:
    ProjectChecker(AppState &state, ProjectModel &project, CheckResult &result)
        : m_state(state), m_project(project), m_result(result)
    {
        for (const QString &page : std::as_const(project.Sites))
            m_pages.insert(page.toCaseFolded());
    }

    void checkExecFile(const QString &execFile)
    {
        CollectingPrompt prompt;
        m_result.execFileRead = ReadRVXFile(execFile, m_state.catalogue, prompt, nullptr);
        // A file without objects offers nothing: every row would be dropped at the next save.
        if (m_result.execFileRead && m_state.catalogue.ObjList.empty()) {
            m_result.execFileRead = false;
            add(Kind::ExecFile, CheckMessages::ExecFilePlace, {}, {}, CheckMessages::ExecFileEmpty.arg(execFile));
            return;
        }
        if (m_result.execFileRead)
            return;
        const QString message = prompt.messages.isEmpty() ? CheckMessages::NoExecFile
                                                          : CheckMessages::ExecFileUnreadable.arg(prompt.text());
        add(Kind::ExecFile, CheckMessages::ExecFilePlace, {}, {}, message);
    }

    void checkStartPage()
    {
        const QString &start = m_project.StartPage;
        if (start.isEmpty() && !m_project.Sites.isEmpty())
            add(Kind::StartPage, CheckMessages::ProjectPlace, {}, {}, CheckMessages::NoStartPage);
        else if (!start.isEmpty() && !isPage(start))
            add(Kind::StartPage, CheckMessages::ProjectPlace, {}, {}, CheckMessages::StartPageNotListed.arg(start));
    }

    void checkUsers()
    {
        CollectingPrompt prompt;
        if (!ReadUserFile(m_state.ProjectName, m_state, m_project, prompt)) {
            const QString path = ProjectFiles::userListFile(m_state.DataFolder, m_state.ProjectName);
            add(Kind::UserFile, CheckMessages::UserListPlace, {}, {}, CheckMessages::UserFileMissing.arg(path));
            return;
        }
        QHash<QString, QString> firstByFolded;
        for (const UserRow &user : std::as_const(m_project.Users)) {
            // The user list of a project without users holds one blank: no user.
            if (trimBlanks(user.User).isEmpty())
                continue;
            const QString place = CheckMessages::UserPlace.arg(user.User);
            const QString folded = user.User.toCaseFolded();
            if (const auto first = firstByFolded.constFind(folded); first != firstByFolded.cend())
                add(Kind::UserTwice, place, {}, place, CheckMessages::UserTwice.arg(*first));
            else
                firstByFolded.insert(folded, user.User);
            if (user.Password.isEmpty())
                add(Kind::UserWithoutPassword, place, {}, place, CheckMessages::UserWithoutPassword);
            if (!user.StartPage.isEmpty() && !isPage(user.StartPage))
                add(Kind::UserStartPage, place, {}, place, CheckMessages::UserStartPageNotListed.arg(user.StartPage));
        }
    }

    void checkPages()
    {
        // The page editor's state right after program start; every page then goes through it as
        // in the refresh of all pages.
        PageDocument document;
        OfferedEntries offered(m_state.catalogue);
        offered.rebuild();
        QSet<QString> seen;
        for (const QString &page : std::as_const(m_project.Sites)) {
            if (!seen.contains(page)) {
                seen.insert(page);
                checkPage(document, offered, page);
            }
        }
    }

    void checkUnlistedPageFiles()
    {
        const QString prefix = m_state.ProjectName + u'_';
        const QString &suffix = ProjectFiles::PageSuffix;
        const QDir folder(m_state.DataFolder);
        // Projects whose names begin with this one's and "_": their pages look like pages of this
        // project ("HAUS_ALT_Bad.SHT" of HAUS_ALT), but are not.
        QStringList longerProjects;
        for (const QString &name : folder.entryList({u"*"_s + ProjectFiles::ProjectSuffix}, QDir::Files)) {
            const QString project = name.chopped(ProjectFiles::ProjectSuffix.size());
            if (project.startsWith(prefix, Qt::CaseInsensitive))
                longerProjects.append(project + u'_');
        }
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
            if (!name.startsWith(prefix, Qt::CaseInsensitive) || !name.endsWith(suffix, Qt::CaseInsensitive) ||
                name.size() < prefix.size() + suffix.size())
                continue;
            if (std::any_of(longerProjects.cbegin(), longerProjects.cend(),
                            [&name](const QString &p) { return name.startsWith(p, Qt::CaseInsensitive); }))
                continue;
            const QString page = name.mid(prefix.size(), name.size() - prefix.size() - suffix.size());
            if (!isPage(page))
                add(Kind::PageFileNotListed, CheckMessages::PageFilePlace.arg(name), page, name,
                    CheckMessages::PageFileNotListed.arg(page));
        }
    }

private:
    // Page names are found as list boxes find them: without regard to letter case.
    bool isPage(const QString &name) const { return m_pages.contains(name.toCaseFolded()); }

    void add(Kind kind, const QString &place, const QString &page, const QString &detail, const QString &message)
    {
        m_result.findings.append({kind, page, detail, place + u": "_s + message});
    }

    void addForPage(Kind kind, const QString &page, const QString &detail, const QString &message)
    {
        QString place = CheckMessages::PagePlace.arg(page);
        if (!detail.isEmpty())
            place += u", "_s + detail;
        add(kind, place, page, detail, message);
    }

    void checkPage(PageDocument &document, const OfferedEntries &offered, const QString &page)
    {
        const QString path = ProjectFiles::pageFile(m_state.DataFolder, m_state.ProjectName, page);
        document.name = page;
        document.clearContent();
        PageReadNotes notes;
        CollectingPrompt prompt;
        try {
            if (LoadHTMLSourcePage(document, offered, path, prompt, &notes) == PageRead::NotAPage) {
                addForPage(Kind::PageNotAPage, page, {}, CheckMessages::PageNotAPage);
                return;
            }
        } catch (const OperationError &e) {
            // What was read before the error stays in the page and is checked all the same.
            if (notes.line > 0)
                addForPage(Kind::PageUnreadable, page, CheckMessages::LineDetail.arg(notes.line),
                           CheckMessages::PageReadingStops.arg(e.message()));
            else
                addForPage(Kind::PageUnreadable, page, {}, CheckMessages::PageUnreadable.arg(e.message()));
        }
        // The reader's only message: the file could not be opened. Missing, or there but unreadable?
        if (!prompt.messages.isEmpty()) {
            if (QFileInfo(path).isFile())
                addForPage(Kind::PageUnreadable, page, {}, CheckMessages::PageUnreadable.arg(prompt.text()));
            else
                addForPage(Kind::PageFileMissing, page, {}, CheckMessages::PageFileMissing.arg(path));
            return;
        }
        checkOrders(page, notes);
        checkNavigation(document, page, notes);
        checkObjectRows(document, page, notes);
        checkMacroRows(document, page);
    }

    void checkOrders(const QString &page, const PageReadNotes &notes)
    {
        for (const PageReadNotes::Repeat &repeat : notes.repeats) {
            const QString &message =
                repeat.key == u"PAGEPOS" ? CheckMessages::PagePartTwice : CheckMessages::ColumnTwice;
            addForPage(Kind::Order, page, {}, message.arg(repeat.name));
        }
    }

    void checkNavigation(const PageDocument &document, const QString &page, const PageReadNotes &notes)
    {
        if (notes.naviLength > KeyValue::MaxValueLength) {
            addForPage(Kind::NaviLength, page, {},
                       CheckMessages::NaviTooLongInFile.arg(notes.naviLength).arg(KeyValue::MaxValueLength));
        } else if (const qsizetype length = naviWrittenLength(document); length > KeyValue::MaxValueLength) {
            addForPage(Kind::NaviLength, page, {},
                       CheckMessages::NaviTooLongAtSave.arg(length).arg(KeyValue::MaxValueLength));
        }
        // A line cut to what the reader takes holds fewer links than it named: the length finding says so.
        if (notes.naviLength <= KeyValue::MaxValueLength && notes.naviRead && notes.naviCount != notes.naviHeld)
            addForPage(Kind::NaviCount, page, {},
                       CheckMessages::NaviCountMismatch.arg(notes.naviCount).arg(notes.naviHeld).arg(document.links.size()));
        // Of a line that was cut only the links read whole are judged: the rest is lost, which the
        // length finding says.
        const bool cut = notes.naviLength > KeyValue::MaxValueLength;
        qsizetype readLength = 0;
        for (qsizetype i = 0; i < notes.links.size(); ++i) {
            const PageReadNotes::Link &link = notes.links[i];
            const QString text = LinkText::join(link.name, link.target);
            if (cut) {
                readLength += naviValue({text}).size();
                if (readLength > KeyValue::MaxValueLength)
                    break;
            }
            const auto detail = [&] { return CheckMessages::LinkDetail.arg(i + 1).arg(text); };
            if (const QString refusal = LinkText::refusal(link.name, link.target); !refusal.isEmpty())
                addForPage(Kind::LinkText, page, detail(), refusal);
            if (!link.target.startsWith(LinkText::ExternalMark) && !isPage(link.target))
                addForPage(Kind::PageLink, page, detail(), CheckMessages::LinkTargetNotListed.arg(link.target));
        }
    }

    void checkObjectRows(const PageDocument &document, const QString &page, const PageReadNotes &notes)
    {
        for (qsizetype i = 0; i < document.objects.size(); ++i) {
            const PageRow &row = document.objects[i];
            const auto detail = [&] { return CheckMessages::ObjectRowDetail.arg(i + 1).arg(row.name); };
            if (!row.entry && m_result.execFileRead)
                addForPage(Kind::ObjectRow, page, detail(), CheckMessages::ObjectNotOffered);
            if (breaksRow(row.label))
                addForPage(Kind::Label, page, detail(), CheckMessages::LabelBreaksRow.arg(row.label));
            const QString flag = notes.objFlags.value(i);
            if (!flag.isNull() && !isWrittenFlag(flag))
                addForPage(Kind::Label, page, detail(), CheckMessages::RowCut.arg(flag));
        }
    }

    void checkMacroRows(const PageDocument &document, const QString &page)
    {
        for (qsizetype i = 0; i < document.macros.size(); ++i) {
            const PageRow &row = document.macros[i];
            const auto detail = [&] {
                return row.name.isEmpty() ? CheckMessages::MacroRowWithoutNameDetail.arg(i + 1)
                                          : CheckMessages::MacroRowDetail.arg(i + 1).arg(row.name);
            };
            if (trimBlanks(row.name).isEmpty())
                addForPage(Kind::MacroRow, page, detail(), CheckMessages::MacroWithoutName);
            else if (!row.entry && m_result.execFileRead)
                addForPage(Kind::MacroRow, page, detail(), CheckMessages::MacroNotOffered);
            if (breaksRow(row.label))
                addForPage(Kind::Label, page, detail(), CheckMessages::LabelBreaksRow.arg(row.label));
        }
    }

    // Whether the label editing rule would refuse label.
    static bool breaksRow(const QString &label)
    {
        bool refused = false;
        acceptedLabel(label, &refused);
        return refused;
    }

    AppState &m_state;
    ProjectModel &m_project;
    CheckResult &m_result;
    QSet<QString> m_pages; // case-folded page names of the list
};

} // namespace

QString checkKindName(CheckFinding::Kind kind)
{
    switch (kind) {
    case Kind::ExecFile:
        return u"exec-file"_s;
    case Kind::StartPage:
        return u"start-page"_s;
    case Kind::UserFile:
        return u"user-file"_s;
    case Kind::UserStartPage:
        return u"user-start-page"_s;
    case Kind::UserTwice:
        return u"user-twice"_s;
    case Kind::UserWithoutPassword:
        return u"user-without-password"_s;
    case Kind::PageFileMissing:
        return u"page-file-missing"_s;
    case Kind::PageFileNotListed:
        return u"page-file-not-listed"_s;
    case Kind::PageUnreadable:
        return u"page-unreadable"_s;
    case Kind::PageLink:
        return u"page-link"_s;
    case Kind::ObjectRow:
        return u"object-row"_s;
    case Kind::MacroRow:
        return u"macro-row"_s;
    case Kind::Label:
        return u"label"_s;
    case Kind::LinkText:
        return u"link-text"_s;
    case Kind::NaviLength:
        return u"navigation-length"_s;
    case Kind::Order:
        return u"order"_s;
    case Kind::PageNotAPage:
        return u"page-not-a-page"_s;
    case Kind::NaviCount:
        return u"navigation-count"_s;
    }
    return QString();
}

CheckResult CheckProject(const QString &projectFile, const QString &execFile, Prompt &prompt)
{
    CheckResult result;
    AppState state;
    takeProjectLocation(projectFile, state);
    ProjectModel project;
    if (!ReadProjectFile(projectFile, state, project, prompt))
        return result;
    result.projectRead = true;

    ProjectChecker checker(state, project, result);
    checker.checkExecFile(execFile.isEmpty() ? state.ExecFileName : nativePath(execFile));
    checker.checkStartPage();
    checker.checkUsers();
    checker.checkPages();
    checker.checkUnlistedPageFiles();
    return result;
}
