#include "page/PageModel.h"

#include "catalogue/Catalogue.h"
#include "page/LinkText.h"
#include "page/Messages.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "page/PageParts.h"
#include "text/Collation.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"


#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
// The page file reader takes at most this many characters of a value.
constexpr qsizetype MaxValueLength = 1023;
} // namespace

namespace {

// Moves list[from] to position to, the entries between closing up. Both must be positions in the
// list; otherwise nothing moves and false is returned.
template <typename T> bool moveWithin(QList<T> &list, qsizetype from, qsizetype to)
{
    if (from < 0 || from >= list.size() || to < 0 || to >= list.size())
        return false;
    list.move(from, to);
    return true;
}

} // namespace

PageModel::PageModel(Catalogue &catalogue) : m_catalogue(catalogue), m_offered(catalogue)
{
    m_clearConnection = QObject::connect(&catalogue, &Catalogue::aboutToClear, [this] { dropCatalogueReferences(); });
    FillPagePosLB();
}

PageModel::~PageModel()
{
    QObject::disconnect(m_clearConnection);
}

qsizetype PageModel::findOffered(const QString &name) const
{
    return m_offered.indexOf(name);
}

void PageModel::FillPagePosLB()
{
    PagePosLB.clear();
    for (qsizetype i = 0; i < PageParts::PagePartNames.size(); ++i)
        PagePosLB.append({PageParts::PagePartNames[i], i <= PageParts::Navi2});
    ObjSeqLB.clear();
    for (const QString &name : PageParts::ObjColumnNames)
        ObjSeqLB.append({name, true});
}

void PageModel::InitAll()
{
    HeadPreview = PageMessages::HeadPreviewStart;
    FillObjBox();
    TSiteData &d = SiteData;
    for (TColor *c : {&d.HeadFontColor, &d.ObjFontColor, &d.ValFontColor, &d.NaviFontColor})
        *c = TextToColor(u"000000"_s);
    for (TColor *c : {&d.HeadBGColor, &d.ObjBGColor, &d.ValBGColor, &d.NaviBGColor})
        *c = TextToColor(u"FFFFFF"_s);
}

void PageModel::InitData()
{
    SeitenLB.clear();
    NaviLB.clear();
    HTMLCode1MB.clear();
    HTMLCode2MB.clear();
    SiteData.Headline.clear();
    SiteData.BGPict.clear();
    SGRows.clear();
    SGBlank = ObjRow();
    clearMacroRows();
}

void PageModel::FillObjBox()
{
    m_offered.rebuild();
}

void PageModel::dropCatalogueReferences()
{
    m_offered.clear();
    for (ObjRow &row : SGRows)
        row.entry = nullptr;
    SGBlank.entry = nullptr;
    for (MacroRow &row : MGRows)
        row.entry = nullptr;
    MGBlank.entry = nullptr;
}

bool PageModel::hasInputFields() const
{
    return std::any_of(SGRows.cbegin(), SGRows.cend(),
                       [](const ObjRow &row) { return row.input == PageMessages::InputYes; });
}

bool PageModel::enforceAutoRefreshRule(Prompt &prompt)
{
    if (!SiteData.AutoAkt || !hasInputFields())
        return false;
    prompt.error(PageMessages::AutoRefreshWithInput);
    SiteData.AutoAkt = false;
    return true;
}

void PageModel::AutoAktCBClick(bool checked, Prompt &prompt)
{
    SiteData.AutoAkt = checked;
    enforceAutoRefreshRule(prompt);
}

void PageModel::HTMLCodeEnter()
{
    AutoAktCBEnabled = !hasInputFields();
    if (!AutoAktCBEnabled)
        SiteData.AutoAkt = false;
}

void PageModel::whitenBackgrounds()
{
    TSiteData &d = SiteData;
    d.HeadBGColor = d.ObjBGColor = d.ValBGColor = d.NaviBGColor = d.BGCol = clWhite;
}

TextStyleRef PageModel::textStyle(TextStyle which)
{
    TSiteData &d = SiteData;
    switch (which) {
    case TextStyle::Head:
        return {d.HeadFontName, d.HeadFontSize, d.HeadFontStyle, d.HeadFontColor, d.HeadBGColor};
    case TextStyle::Obj:
        return {d.ObjFontName, d.ObjFontSize, d.ObjFontStyle, d.ObjFontColor, d.ObjBGColor};
    case TextStyle::Val:
        return {d.ValFontName, d.ValFontSize, d.ValFontStyle, d.ValFontColor, d.ValBGColor};
    case TextStyle::Navi:
        break;
    }
    return {d.NaviFontName, d.NaviFontSize, d.NaviFontStyle, d.NaviFontColor, d.NaviBGColor};
}

QString PageModel::previewText(TextStyle which) const
{
    switch (which) {
    case TextStyle::Head:
        return HeadPreview;
    case TextStyle::Obj:
        return PageMessages::ObjPreview;
    case TextStyle::Val:
        return PageMessages::ValPreview;
    case TextStyle::Navi:
        break;
    }
    return NaviPreview;
}

int PageModel::previewWidthCap(TextStyle which)
{
    switch (which) {
    case TextStyle::Head:
        return 240;
    case TextStyle::Obj:
    case TextStyle::Val:
        return 175;
    case TextStyle::Navi:
        break;
    }
    return 440;
}

void PageModel::PageHeadEdtExit()
{
    HeadPreview = SiteData.Headline;
    IsChanged = true;
}

bool PageModel::chooseStyleFont(TextStyle which, Prompt &prompt)
{
    const TextStyleRef style = textStyle(which);
    Prompt::FontChoice font{style.face, style.size, style.style, style.colour};
    if (!prompt.chooseFont(font))
        return false;
    style.face = font.face;
    style.size = font.size;
    style.style = font.style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    style.colour = font.colour;
    return true;
}

bool PageModel::chooseStyleBackground(TextStyle which, Prompt &prompt)
{
    return prompt.chooseColour(textStyle(which).background);
}

bool PageModel::choosePageBackground(Prompt &prompt)
{
    return prompt.chooseColour(SiteData.BGCol);
}

QString PageModel::pageFilePath() const
{
    return ProjectFiles::pageFile(DirDat, MainName, SiteName);
}

void PageModel::fillOtherPages(const QStringList &allPages)
{
    SeitenLB.clear();
    for (const QString &page : allPages) {
        if (page != SiteName)
            SeitenLB.append(page);
    }
    const QCollator collator = germanCollator();
    std::stable_sort(SeitenLB.begin(), SeitenLB.end(), collator);
}

void PageModel::prepareShow(const QStringList &allPages, Prompt &prompt)
{
    PageNameText = SiteName;
    InitData();
    fillOtherPages(allPages);
    // The previews show this page: its first link (read below) or the start text, and for a new
    // page the start headline rather than the headline of the page handled before.
    NaviPreview = PageMessages::NaviPreviewStart;
    if (NewPage) {
        HeadPreview = PageMessages::HeadPreviewStart;
        whitenBackgrounds();
    } else {
        // A page whose reading stops keeps what was read so far; the editor opens all the same.
        try {
            if (LoadHTMLSourcePage(*this, pageFilePath(), prompt) == PageRead::NotAPage)
                prompt.error(PageMessages::NotAPage.arg(pageFilePath()) + u'\r' + PageMessages::NotAPageOpenedEmpty);
        } catch (const OperationError &e) {
            prompt.error(e.message());
        }
    }
    IsChanged = false;
}

PageModel::NameCheck PageModel::CheckPageName(const QStringList &allPages)
{
    PageNameText = trimBlanks(PageNameText);
    if (PageNameText.isEmpty())
        return NameCheck::Empty;
    // An existing page keeps its own name; another letter case finds its own entry and is taken.
    const bool found = allPages.contains(PageNameText, Qt::CaseInsensitive);
    if (found && (NewPage || PageNameText != SiteName))
        return NameCheck::Taken;
    return NameCheck::Ok;
}

QString PageModel::nameCheckMessage(NameCheck check)
{
    switch (check) {
    case NameCheck::Empty:
        return PageMessages::NameMissing;
    case NameCheck::Taken:
        return PageMessages::NameTaken;
    case NameCheck::Ok:
        break;
    }
    return QString();
}

PageModel::SaveResult PageModel::OKBtnClick(const QStringList &allPages, Prompt &prompt, NameCheck *check)
{
    enforceAutoRefreshRule(prompt);
    const NameCheck result = CheckPageName(allPages);
    if (check)
        *check = result;
    if (result != NameCheck::Ok)
        return SaveResult::NameRefused;
    if (const int unresolved = unresolvedRowCount();
        unresolved > 0 && prompt.askYesNoDefaultNo(unresolvedRowsQuestion(unresolved)) != Prompt::Answer::Yes)
        return SaveResult::Declined;
    SiteName = PageNameText;
    if (qsizetype length = 0; naviLineTooLong(&length))
        prompt.warning(PageMessages::NaviTooLong.arg(length).arg(MaxValueLength));
    if (!CreateHTMLSourcePage(*this, pageFilePath(), prompt))
        return SaveResult::NotWritten;
    IsChanged = false;
    return SaveResult::Saved;
}

int PageModel::unresolvedRowCount() const
{
    const auto objects = std::count_if(SGRows.cbegin(), SGRows.cend(), [](const ObjRow &r) { return !r.entry; });
    const auto macros = std::count_if(MGRows.cbegin(), MGRows.cend(), [](const MacroRow &r) { return !r.entry; });
    return int(objects + macros);
}

QString PageModel::unresolvedRowsQuestion(int count)
{
    return count == 1 ? PageMessages::UnresolvedRowQuestion : PageMessages::UnresolvedRowsQuestion.arg(count);
}

bool PageModel::naviLineTooLong(qsizetype *length) const
{
    // Without either navigation line in the build order the links are not written at all.
    const bool written = std::any_of(PagePosLB.cbegin(), PagePosLB.cend(), [](const CheckEntry &e) {
        return e.checked && (e.text == PageParts::PagePartNames[PageParts::Navi1] ||
                             e.text == PageParts::PagePartNames[PageParts::Navi2]);
    });
    const qsizetype size = written ? naviValue(NaviLB).size() : 0;
    if (length)
        *length = size;
    return size > MaxValueLength;
}

bool PageModel::FormCloseQuery(Prompt &prompt) const
{
    return !IsChanged || prompt.askYesNo(PageMessages::DiscardChangesQuestion) == Prompt::Answer::Yes;
}

PageModel::AddButtons PageModel::ObjBoxClick(const TPSObj &e)
{
    AddButtons buttons;
    if (e.ObjKind == u'B' || e.ObjKind == u'M')
        buttons.object = false;
    if (e.ObjKind == u'N' || e.ObjKind == u'S' || e.Source == u'V' || (e.ObjKind == u'U' && e.HdwTyp != 2))
        buttons.macro = false;
    return buttons;
}

QString PageModel::acceptedLabel(const QString &typed, bool *refused)
{
    QString label = typed;
    label.remove(u'@');
    label.remove(u'"');
    if (refused)
        *refused = label.size() != typed.size();
    return label;
}

const ObjRow &PageModel::sgRow(int row) const
{
    Q_ASSERT(row >= 1 && row < sgRowCount());
    return row <= SGRows.size() ? SGRows[row - 1] : SGBlank;
}

ObjRow &PageModel::sgRow(int row)
{
    Q_ASSERT(row >= 1 && row < sgRowCount());
    return row <= SGRows.size() ? SGRows[row - 1] : SGBlank;
}

int PageModel::appendObjRow(qsizetype offeredIndex, Prompt &prompt)
{
    if (offeredIndex < 0 || offeredIndex >= ObjBox().size()) {
        prompt.error(Messages::NoEntrySelected);
        return -1;
    }
    TPSObj *e = ObjBox()[offeredIndex].entry;
    if (e->ObjDescr.isEmpty())
        e->ObjDescr = e->ObjName;
    const bool valueOnly = (e->Source == u'O' && (e->HdwTyp == 0 || e->HdwTyp == 1 || e->HdwTyp == 3)) ||
                           (e->Source == u'V' && e->VarKind == 3);
    SGRows.append({e->ObjName, e->ObjDescr, valueOnly ? PageMessages::InputNo : PageMessages::InputNone, e});
    SGBlank = ObjRow();
    IsChanged = true;
    return int(SGRows.size());
}

void PageModel::appendReadObjRow(const ObjRow &row)
{
    SGRows.append(row);
    SGBlank = ObjRow();
}

int PageModel::deleteObjRow(int row)
{
    if (row < 1 || row >= sgRowCount() - 1)
        return row;
    SGRows.removeAt(row - 1);
    IsChanged = true;
    return row;
}

int PageModel::moveObjRow(int row, int target)
{
    // Grid row 1 is the first data row; the blank row (SGRows.size() + 1) is no position in SGRows.
    return moveWithin(SGRows, row - 1, target - 1) ? target : row;
}

int PageModel::moveObjRowUp(int row)
{
    return moveObjRow(row, row - 1);
}

int PageModel::moveObjRowDown(int row)
{
    return moveObjRow(row, row + 1);
}

void PageModel::toggleInputState(int row, Prompt &prompt)
{
    if (row < 1 || row >= sgRowCount())
        return;
    ObjRow &r = sgRow(row);
    if (!r.entry || r.input == PageMessages::InputNone)
        return;
    if (r.input == PageMessages::InputNo) {
        r.input = PageMessages::InputYes;
        if (SiteData.AutoAkt) {
            prompt.error(PageMessages::AutoRefreshWithInput);
            SiteData.AutoAkt = false;
        }
    } else {
        r.input = PageMessages::InputNo;
    }
}

const MacroRow &PageModel::mgRow(int row) const
{
    Q_ASSERT(row >= 1 && row < mgRowCount());
    return row <= MGRows.size() ? MGRows[row - 1] : MGBlank;
}

MacroRow &PageModel::mgRow(int row)
{
    Q_ASSERT(row >= 1 && row < mgRowCount());
    return row <= MGRows.size() ? MGRows[row - 1] : MGBlank;
}

int PageModel::appendMacroRow(qsizetype offeredIndex, Prompt &prompt)
{
    if (offeredIndex < 0 || offeredIndex >= ObjBox().size()) {
        prompt.error(Messages::NoEntrySelected);
        return -1;
    }
    const OfferedEntry &item = ObjBox()[offeredIndex];
    if (item.text.contains(u'.')) {
        prompt.error(PageMessages::OnlyObjects);
        return -1;
    }
    MGRows.append({item.text, item.text, item.entry});
    MGBlank = MacroRow();
    return int(MGRows.size());
}

void PageModel::appendReadMacroRow(const MacroRow &row)
{
    MGRows.append(row);
    MGBlank = MacroRow();
}

void PageModel::clearMacroRows()
{
    MGRows.clear();
    MGBlank = MacroRow();
}

int PageModel::deleteMacroRow(int row)
{
    if (row < 1 || row >= mgRowCount() - 1)
        return row;
    MGRows.removeAt(row - 1);
    IsChanged = true;
    return row;
}

int PageModel::moveMacroRow(int row, int target)
{
    return moveWithin(MGRows, row - 1, target - 1) ? target : row;
}

int PageModel::moveMacroRowUp(int row)
{
    return moveMacroRow(row, row - 1);
}

int PageModel::moveMacroRowDown(int row)
{
    return moveMacroRow(row, row + 1);
}

bool PageModel::appendPageLink(qsizetype pageIndex, Prompt &prompt)
{
    if (pageIndex < 0 || pageIndex >= SeitenLB.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    const QString &page = SeitenLB[pageIndex];
    NaviLB.append(LinkText::join(page, page));
    IsChanged = true;
    return true;
}

bool PageModel::deleteLink(qsizetype index, Prompt &prompt)
{
    if (index < 0 || index >= NaviLB.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    NaviLB.removeAt(index);
    IsChanged = true;
    return true;
}

qsizetype PageModel::moveLink(qsizetype index, qsizetype target)
{
    return moveWithin(NaviLB, index, target) ? target : index;
}

qsizetype PageModel::moveLinkUp(qsizetype index)
{
    return moveLink(index, index - 1);
}

qsizetype PageModel::moveLinkDown(qsizetype index)
{
    return moveLink(index, index + 1);
}

bool PageModel::beginEditLink(qsizetype index, Prompt &prompt, QString &name, QString &target)
{
    if (index < 0 || index >= NaviLB.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    NewLink = false;
    const LinkText::Edited edited = LinkText::forEditing(NaviLB[index]);
    name = edited.name;
    target = edited.target;
    ExtLink = edited.external;
    IsChanged = true;
    return true;
}

void PageModel::beginNewLink()
{
    ExtLink = true;
    NewLink = true;
    IsChanged = true;
}

qsizetype PageModel::commitLink(qsizetype index, const QString &name, const QString &target, Prompt &prompt)
{
    if (const QString refusal = LinkText::refusal(name, target); !refusal.isEmpty()) {
        prompt.error(refusal);
        return -1;
    }
    const QString text = LinkText::joinEdited(name, target, ExtLink);
    ExtLink = false;
    if (NewLink || index < 0 || index >= NaviLB.size()) {
        NaviLB.append(text);
        return NaviLB.size() - 1;
    }
    NaviLB[index] = text;
    return index;
}

void PageModel::NaviLBClick(qsizetype index)
{
    if (index >= 0 && index < NaviLB.size())
        NaviPreview = LinkText::preview(NaviLB[index]);
}

qsizetype PageModel::moveEntry(QList<CheckEntry> &list, qsizetype index, qsizetype target)
{
    return moveWithin(list, index, target) ? target : index;
}

qsizetype PageModel::moveEntryUp(QList<CheckEntry> &list, qsizetype index)
{
    return moveEntry(list, index, index - 1);
}

qsizetype PageModel::moveEntryDown(QList<CheckEntry> &list, qsizetype index)
{
    return moveEntry(list, index, index + 1);
}
