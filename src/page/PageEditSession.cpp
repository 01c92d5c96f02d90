#include "page/PageEditSession.h"

#include "catalogue/Catalogue.h"
#include "page/LinkText.h"
#include "page/Messages.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "text/Collation.h"
#include "text/FilePaths.h"
#include "text/KeyValue.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"

#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a layout number's step is called after.
struct NumberName
{
    qint32 TSiteData::*field;
    const char16_t *name;
};

constexpr NumberName NumberNames[] = {
    {&TSiteData::LeftMarginHeadline, u"Linker Rand der Überschrift"},
    {&TSiteData::ObjWidth, u"Breite der Objekte"},
    {&TSiteData::ValueWidth, u"Breite der Textspalte"},
    {&TSiteData::InputWidth, u"Breite der Eingabe"},
    {&TSiteData::LeftMarginObj, u"Linker Rand der Objekte"},
    {&TSiteData::RowWidth, u"Seitenbreite"},
    {&TSiteData::FrameWidth, u"Rahmenbreite"},
    {&TSiteData::TextDist, u"Abstand Text/Rahmen"},
    {&TSiteData::CellDist, u"Zellenabstand"},
    {&TSiteData::LeftMarginMacro, u"Linker Rand bei Makros"},
    {&TSiteData::RowHeight, u"Zeilenhöhe der Makros"},
    {&TSiteData::BrowserWidth, u"Browserbreite"},
    {&TSiteData::AutoAktSec, u"Zeit der automatischen Aktualisierung"},
    {&TSiteData::PictWidth, u"Bildbreite"},
};

QString numberStepName(qint32 TSiteData::*field)
{
    for (const NumberName &n : NumberNames) {
        if (n.field == field)
            return UndoSteps::Number.arg(QString::fromUtf16(n.name));
    }
    return UndoSteps::Number.arg(u"Wert"_s);
}

QString numberTyping(qint32 TSiteData::*field)
{
    for (qsizetype i = 0; i < qsizetype(std::size(NumberNames)); ++i) {
        if (NumberNames[i].field == field)
            return u"number"_s + QString::number(i);
    }
    return u"number"_s;
}

} // namespace

template <typename Change> void PageEditSession::record(const QString &name, Change &&change, const QString &typing)
{
    EditState before = state();
    change();
    commit(name, std::move(before), typing);
}

PageEditSession::PageEditSession(Catalogue &catalogue, QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_offered(catalogue), m_headPreview(PageMessages::HeadPreviewStart),
      m_naviPreview(PageMessages::NaviPreviewStart)
{
    m_clearConnection =
        QObject::connect(&catalogue, &Catalogue::aboutToClear, this, [this] { dropCatalogueReferences(); });
}

PageEditSession::~PageEditSession()
{
    QObject::disconnect(m_clearConnection);
}

void PageEditSession::dropCatalogueReferences()
{
    m_offered.clear();
    for (RowKind kind : {RowKind::Object, RowKind::Macro}) {
        for (PageRow &row : m_page.rows(kind))
            row.entry = nullptr;
    }
    // The history holds entries too; after a new catalogue none of its steps would fit.
    m_asRead = state();
    clearHistory();
}

void PageEditSession::InitAll()
{
    m_headPreview = PageMessages::HeadPreviewStart;
    m_offered.rebuild();
    TSiteData &d = m_page.layout;
    for (TColor *c : {&d.HeadFontColor, &d.ObjFontColor, &d.ValFontColor, &d.NaviFontColor})
        *c = TextToColor(u"000000"_s);
    for (TColor *c : {&d.HeadBGColor, &d.ObjBGColor, &d.ValBGColor, &d.NaviBGColor})
        *c = TextToColor(u"FFFFFF"_s);
}

void PageEditSession::FillPagePosLB()
{
    m_page.resetOrders();
}

void PageEditSession::fillOtherPages(const QStringList &allPages)
{
    m_otherPages.clear();
    for (const QString &page : allPages) {
        if (page != m_page.name)
            m_otherPages.append(page);
    }
    const QCollator collator = germanCollator();
    std::stable_sort(m_otherPages.begin(), m_otherPages.end(), collator);
}

void PageEditSession::begin(const PageHandOver &handOver, Prompt &prompt)
{
    m_handOver = handOver;
    m_page.name = handOver.page;
    m_newPage = handOver.page.isEmpty();
    m_extLink = m_newLink = false;
    TSiteData &d = m_page.layout;
    if (m_newPage) {
        d.BrowserWidth = handOver.browserWidth;
        d.NoAutoScale = handOver.noAutoScale;
        d.AutoWidth = handOver.autoWidth;
    }
    m_nameText = m_page.name;
    m_page.clearContent();
    fillOtherPages(handOver.allPages);
    // The previews show this page: its first link (read below) or the start text, and for a new
    // page the start headline rather than the headline of the page handled before.
    m_naviPreview = PageMessages::NaviPreviewStart;
    if (m_newPage) {
        m_headPreview = PageMessages::HeadPreviewStart;
        d.HeadBGColor = d.ObjBGColor = d.ValBGColor = d.NaviBGColor = d.BGCol = clWhite;
    } else {
        readPage(prompt);
    }
    m_changed = m_entered = false;
    m_asRead = state();
    clearHistory();
}

void PageEditSession::readPage(Prompt &prompt)
{
    // A page whose reading stops keeps what was read so far; the editor opens all the same.
    try {
        const QString path = pageFilePath();
        switch (LoadHTMLSourcePage(m_page, m_offered, path, prompt)) {
        case PageRead::Read:
            m_headPreview = m_page.layout.Headline;
            if (!m_page.links.isEmpty())
                m_naviPreview = LinkText::preview(m_page.links.first());
            break;
        case PageRead::NotAPage:
            prompt.error(PageMessages::NotAPage.arg(path) + u'\r' + PageMessages::NotAPageOpenedEmpty);
            break;
        case PageRead::NotOpened:
            break;
        }
    } catch (const OperationError &e) {
        prompt.error(e.message());
    }
}

void PageEditSession::markChanged()
{
    m_changed = m_entered = true;
}

void PageEditSession::setNameText(const QString &text)
{
    record(UndoSteps::PageName, [&] { m_nameText = text; }, u"name"_s);
}

PageEditSession::NameCheck PageEditSession::checkName()
{
    record(UndoSteps::PageName, [this] { m_nameText = trimBlanks(m_nameText); });
    if (m_nameText.isEmpty())
        return NameCheck::Empty;
    // An existing page keeps its own name; another letter case finds its own entry and is taken.
    const bool found = m_handOver.allPages.contains(m_nameText, Qt::CaseInsensitive);
    if (found && (m_newPage || m_nameText != m_page.name))
        return NameCheck::Taken;
    return NameCheck::Ok;
}

QString PageEditSession::nameCheckMessage(NameCheck check)
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

QString PageEditSession::unresolvedRowsQuestion(int count)
{
    return count == 1 ? PageMessages::UnresolvedRowQuestion : PageMessages::UnresolvedRowsQuestion.arg(count);
}

QString PageEditSession::pageFilePath() const
{
    return ProjectFiles::pageFile(m_handOver.dataFolder, m_handOver.projectName, m_page.name);
}

void PageEditSession::applyAutoRefreshRule(Prompt &prompt)
{
    if (!m_page.layout.AutoAkt || !m_page.hasInputFields())
        return;
    prompt.error(PageMessages::AutoRefreshWithInput);
    m_page.layout.AutoAkt = false;
}

PageEditSession::SaveResult PageEditSession::save(Prompt &prompt, NameCheck *check)
{
    endTyping();
    record(UndoSteps::AutoRefresh, [&] { applyAutoRefreshRule(prompt); });
    const NameCheck result = checkName();
    if (check)
        *check = result;
    if (result != NameCheck::Ok)
        return SaveResult::NameRefused;
    if (const int unresolved = m_page.unresolvedRowCount();
        unresolved > 0 && prompt.askYesNoDefaultNo(unresolvedRowsQuestion(unresolved)) != Prompt::Answer::Yes)
        return SaveResult::Declined;
    m_page.name = m_nameText;
    if (const qsizetype length = naviWrittenLength(m_page); length > KeyValue::MaxValueLength)
        prompt.warning(PageMessages::NaviTooLong.arg(length).arg(KeyValue::MaxValueLength));
    if (!CreateHTMLSourcePage(m_page, m_catalogue, pageFilePath(), prompt))
        return SaveResult::NotWritten;
    m_changed = m_entered = false;
    clearHistory();
    return SaveResult::Saved;
}

bool PageEditSession::closeQuery(Prompt &prompt) const
{
    return !m_changed || prompt.askYesNo(PageMessages::DiscardChangesQuestion) == Prompt::Answer::Yes;
}

void PageEditSession::finish()
{
    endTyping();
    clearHistory();
}

QString PageEditSession::previewText(TextStyle which) const
{
    switch (which) {
    case TextStyle::Head:
        return m_headPreview;
    case TextStyle::Obj:
        return PageMessages::ObjPreview;
    case TextStyle::Val:
        return PageMessages::ValPreview;
    case TextStyle::Navi:
        break;
    }
    return m_naviPreview;
}

int PageEditSession::previewWidthCap(TextStyle which)
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

PageEditSession::AddButtons PageEditSession::addButtons(const TPSObj &e)
{
    AddButtons buttons;
    if (e.ObjKind == u'B' || e.ObjKind == u'M')
        buttons.object = false;
    if (e.ObjKind == u'N' || e.ObjKind == u'S' || e.Source == u'V' || (e.ObjKind == u'U' && e.HdwTyp != 2))
        buttons.macro = false;
    return buttons;
}

int PageEditSession::addObjectRow(qsizetype offeredIndex, Prompt &prompt)
{
    if (offeredIndex < 0 || offeredIndex >= m_offered.count()) {
        prompt.error(Messages::NoEntrySelected);
        return -1;
    }
    TPSObj *e = m_offered.entries()[offeredIndex].entry;
    if (e->ObjDescr.isEmpty())
        e->ObjDescr = e->ObjName;
    const bool valueOnly = (e->Source == u'O' && (e->HdwTyp == 0 || e->HdwTyp == 1 || e->HdwTyp == 3)) ||
                           (e->Source == u'V' && e->VarKind == 3);
    record(UndoSteps::AddObject, [&] {
        m_page.objects.append({e->ObjName, e->ObjDescr, valueOnly ? InputState::No : InputState::None, {}, e});
    });
    m_changed = true;
    return int(m_page.objects.size()) - 1;
}

int PageEditSession::addMacroRow(qsizetype offeredIndex, Prompt &prompt)
{
    if (offeredIndex < 0 || offeredIndex >= m_offered.count()) {
        prompt.error(Messages::NoEntrySelected);
        return -1;
    }
    const OfferedEntry &item = m_offered.entries()[offeredIndex];
    if (item.text.contains(u'.')) {
        prompt.error(PageMessages::OnlyObjects);
        return -1;
    }
    record(UndoSteps::AddMacro, [&] { m_page.macros.append({item.text, item.text, InputState::None, {}, item.entry}); });
    return int(m_page.macros.size()) - 1;
}

int PageEditSession::deleteRow(RowKind kind, int row)
{
    QList<PageRow> &rows = m_page.rows(kind);
    if (row < 0 || row >= rows.size())
        return row;
    record(kind == RowKind::Object ? UndoSteps::DeleteObject : UndoSteps::DeleteMacro, [&] { rows.removeAt(row); });
    m_changed = true;
    return row;
}

int PageEditSession::moveRow(RowKind kind, int row, int target)
{
    qsizetype moved = row;
    record(kind == RowKind::Object ? UndoSteps::MoveObject : UndoSteps::MoveMacro,
           [&] { moved = moveEntry(m_page.rows(kind), row, target); });
    return int(moved);
}

void PageEditSession::setLabel(RowKind kind, int row, const QString &label)
{
    QList<PageRow> &rows = m_page.rows(kind);
    // The cell editor hands over every keystroke: the label typed is one step until it closes.
    if (row >= 0 && row < rows.size())
        record(UndoSteps::Label, [&] { rows[row].label = label; },
               u"label%1/%2"_s.arg(int(kind)).arg(row));
}

void PageEditSession::toggleInput(int row, Prompt &prompt)
{
    if (row < 0 || row >= m_page.objects.size())
        return;
    const PageRow &r = m_page.objects.at(row);
    if (!r.entry || r.input == InputState::None)
        return;
    record(UndoSteps::Input, [&] {
        PageRow &toggled = m_page.objects[row];
        toggled.input = toggled.input == InputState::No ? InputState::Yes : InputState::No;
        toggled.otherInput.clear();
        if (toggled.input == InputState::Yes)
            applyAutoRefreshRule(prompt);
    });
}

bool PageEditSession::addPageLink(qsizetype pageIndex, Prompt &prompt)
{
    if (pageIndex < 0 || pageIndex >= m_otherPages.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    const QString &page = m_otherPages[pageIndex];
    record(UndoSteps::AddLink, [&] { m_page.links.append(LinkText::join(page, page)); });
    m_changed = true;
    return true;
}

bool PageEditSession::deleteLink(qsizetype index, Prompt &prompt)
{
    if (index < 0 || index >= m_page.links.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    record(UndoSteps::DeleteLink, [&] { m_page.links.removeAt(index); });
    m_changed = true;
    return true;
}

qsizetype PageEditSession::moveLink(qsizetype index, qsizetype target)
{
    qsizetype moved = index;
    record(UndoSteps::MoveLink, [&] { moved = moveEntry(m_page.links, index, target); });
    return moved;
}

bool PageEditSession::beginEditLink(qsizetype index, Prompt &prompt, QString &name, QString &target)
{
    if (index < 0 || index >= m_page.links.size()) {
        prompt.error(Messages::NoEntrySelected);
        return false;
    }
    m_newLink = false;
    const LinkText::Edited edited = LinkText::forEditing(m_page.links[index]);
    name = edited.name;
    target = edited.target;
    m_extLink = edited.external;
    markChanged();
    return true;
}

void PageEditSession::beginNewLink()
{
    m_extLink = true;
    m_newLink = true;
    markChanged();
}

qsizetype PageEditSession::commitLink(qsizetype index, const QString &name, const QString &target, Prompt &prompt)
{
    if (const QString refusal = LinkText::refusal(name, target); !refusal.isEmpty()) {
        prompt.error(refusal);
        return -1;
    }
    const QString text = LinkText::joinEdited(name, target, m_extLink);
    m_extLink = false;
    if (m_newLink || index < 0 || index >= m_page.links.size()) {
        record(UndoSteps::AddExternalLink, [&] { m_page.links.append(text); });
        return m_page.links.size() - 1;
    }
    record(UndoSteps::EditLink, [&] { m_page.links[index] = text; });
    return index;
}

void PageEditSession::selectLink(qsizetype index)
{
    if (index >= 0 && index < m_page.links.size())
        m_naviPreview = LinkText::preview(m_page.links[index]);
}

const QList<CheckEntry> &PageEditSession::order(Order which) const
{
    return which == Order::Build ? m_page.buildOrder : m_page.columnOrder;
}

qsizetype PageEditSession::moveOrderEntry(Order which, qsizetype index, qsizetype target)
{
    qsizetype moved = index;
    record(which == Order::Build ? UndoSteps::BuildOrder : UndoSteps::ColumnOrder, [&] {
        moved = moveEntry(which == Order::Build ? m_page.buildOrder : m_page.columnOrder, index, target);
    });
    return moved;
}

void PageEditSession::tickOrderEntry(Order which, qsizetype index, bool checked)
{
    QList<CheckEntry> &entries = which == Order::Build ? m_page.buildOrder : m_page.columnOrder;
    if (index >= 0 && index < entries.size())
        record(which == Order::Build ? UndoSteps::BuildOrder : UndoSteps::ColumnOrder,
               [&] { entries[index].checked = checked; });
}

void PageEditSession::setLayoutNumber(qint32 TSiteData::*field, qint32 value)
{
    record(numberStepName(field), [&] { m_page.layout.*field = value; }, numberTyping(field));
}

void PageEditSession::setHeadline(const QString &text)
{
    record(UndoSteps::Headline, [&] { m_page.layout.Headline = text; }, u"headline"_s);
}

void PageEditSession::headlineLeft()
{
    m_headPreview = m_page.layout.Headline;
    markChanged();
}

void PageEditSession::setAutoWidth(bool on)
{
    record(UndoSteps::AutoWidth, [&] { m_page.layout.AutoWidth = on; });
}

void PageEditSession::setNoAutoScale(bool on)
{
    record(UndoSteps::NoAutoScale, [&] { m_page.layout.NoAutoScale = on; });
}

void PageEditSession::setAutoRefresh(bool checked, Prompt &prompt)
{
    record(UndoSteps::AutoRefresh, [&] {
        m_page.layout.AutoAkt = checked;
        applyAutoRefreshRule(prompt);
    });
}

void PageEditSession::enterHtmlInserts()
{
    m_autoRefreshUsable = !m_page.hasInputFields();
    if (!m_autoRefreshUsable)
        record(UndoSteps::AutoRefresh, [this] { m_page.layout.AutoAkt = false; });
}

void PageEditSession::setHtmlInsert(int which, const QStringList &lines)
{
    if (which == 1)
        record(UndoSteps::Html1, [&] { m_page.html1 = lines; }, u"html1"_s);
    else
        record(UndoSteps::Html2, [&] { m_page.html2 = lines; }, u"html2"_s);
}

bool PageEditSession::chooseStyleFont(TextStyle which, Prompt &prompt)
{
    const TextStyleValue current = textStyleValue(m_page.layout, which);
    Prompt::FontChoice font{current.face, current.size, current.style, current.colour};
    if (!prompt.chooseFont(font))
        return false;
    record(UndoSteps::Font, [&] {
        const TextStyleRef style = textStyle(m_page.layout, which);
        style.face = font.face;
        style.size = font.size;
        style.style = font.style & AllFontStyles;
        style.colour = font.colour;
    });
    return true;
}

bool PageEditSession::chooseStyleBackground(TextStyle which, Prompt &prompt)
{
    TColor colour = textStyleValue(m_page.layout, which).background;
    if (!prompt.chooseColour(colour))
        return false;
    record(UndoSteps::Background, [&] { textStyle(m_page.layout, which).background = colour; });
    return true;
}

bool PageEditSession::choosePageBackground(Prompt &prompt)
{
    TColor colour = m_page.layout.BGCol;
    if (!prompt.chooseColour(colour))
        return false;
    record(UndoSteps::PageBackground, [&] { m_page.layout.BGCol = colour; });
    return true;
}

QString PageEditSession::undoStepName() const
{
    return m_undo.isEmpty() ? QString() : m_undo.last().name;
}

QString PageEditSession::redoStepName() const
{
    return m_redo.isEmpty() ? QString() : m_redo.last().name;
}

void PageEditSession::commit(const QString &name, EditState before, const QString &typing)
{
    EditState after = state();
    if (!typing.isEmpty() && typing == m_typing && !m_undo.isEmpty()) {
        // Another keystroke in the field: the open step grows, and goes when the typing undid itself.
        Step &open = m_undo.last();
        open.after = std::move(after);
        if (open.after == open.before) {
            m_undo.removeLast();
            m_typing.clear();
        }
        m_redo.clear();
        emit historyChanged();
        return;
    }
    if (after == before)
        return;
    m_typing = typing;
    m_undo.append({name, std::move(before), std::move(after)});
    if (m_undo.size() > HistoryLimit)
        m_undo.removeFirst();
    m_redo.clear();
    emit historyChanged();
}

void PageEditSession::restore(const EditState &restored)
{
    // The headline preview follows the headline when a step changed it.
    if (restored.page.layout.Headline != m_page.layout.Headline)
        m_headPreview = restored.page.layout.Headline;
    m_page = restored.page;
    m_nameText = restored.nameText;
    // Back at the page as read, only what a control's rule flagged still counts as a change.
    m_changed = m_entered || state() != m_asRead;
}

void PageEditSession::undo()
{
    endTyping();
    if (m_undo.isEmpty())
        return;
    Step step = m_undo.takeLast();
    restore(step.before);
    m_redo.append(std::move(step));
    emit historyChanged();
}

void PageEditSession::redo()
{
    endTyping();
    if (m_redo.isEmpty())
        return;
    Step step = m_redo.takeLast();
    restore(step.after);
    m_undo.append(std::move(step));
    emit historyChanged();
}

void PageEditSession::endTyping()
{
    m_typing.clear();
}

void PageEditSession::clearHistory()
{
    m_typing.clear();
    if (m_undo.isEmpty() && m_redo.isEmpty())
        return;
    m_undo.clear();
    m_redo.clear();
    emit historyChanged();
}
