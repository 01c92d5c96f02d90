#include "editor/SeitenLayoutTab.h"

#include "dialogs/TSpinEdit.h"
#include "dialogs/WidgetHelpers.h"
#include "editor/CheckOrderList.h"
#include "editor/ColourPanel.h"
#include "editor/RowDragMove.h"
#include "editor/TextStylePanel.h"
#include "page/LayoutFields.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int PageNameWidth = 240;

// The bounds of a layout value: those of the page file's table of layout numbers, where it is
// one of them, so that the tab, the reader and the writer keep the same limits.
Limits::Range rangeOf(qint32 TSiteData::*field)
{
    if (field == &TSiteData::AutoAktSec)
        return Limits::AutoAktSec;
    const auto &numbers = LayoutFields::Numbers;
    const auto found =
        std::find_if(numbers.begin(), numbers.end(), [field](const auto &n) { return n.field == field; });
    return found == numbers.end() ? LayoutFields::Unlimited : found->range;
}

// The tab holds seven groups: narrow margins let it fit the window's smallest size.
constexpr QMargins GroupMargins(5, 5, 5, 5);
constexpr QMargins TabMargins(4, 4, 4, 4);

int spinWidth()
{
    static const int width = [] {
        TSpinEdit sample;
        sample.setRange(0, 9999);
        return sample.sizeHint().width();
    }();
    return width;
}

template <typename Layout> Layout *groupLayout(QGroupBox *group)
{
    auto *layout = new Layout(group);
    layout->setContentsMargins(GroupMargins);
    return layout;
}
} // namespace

SeitenLayoutTab::SeitenLayoutTab(PageEditSession &session, Prompt &prompt, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompt(prompt)
{
    setObjectName(u"SeitenLayout"_s);
    PageNameEdt = named<QLineEdit>(u"PageNameEdt"_s);
    PageNameEdt->setMinimumWidth(PageNameWidth);
    buildHeadline();
    buildObjekte();
    buildBackground();
    buildSizes();
    buildGeneral();
    buildPagePos();
    buildLayout();
    connectHandlers();
    loadFromModel();
}

SeitenLayoutTab::~SeitenLayoutTab() = default;

TSpinEdit *SeitenLayoutTab::numberControl(const QString &name, qint32 TSiteData::*field)
{
    auto *spin = named<TSpinEdit>(name);
    const Limits::Range range = rangeOf(field);
    spin->setRange(range.min, range.max);
    // One width for all, enough for four digits: the fields without limits would ask for eleven.
    spin->setFixedWidth(spinWidth());
    m_numbers.push_back({spin, field});
    return spin;
}

void SeitenLayoutTab::buildHeadline()
{
    HeadlineGB = named<QGroupBox>(u"HeadlineGB"_s, u"Überschrift"_s);
    PageHeadEdt = named<QLineEdit>(u"PageHeadEdt"_s);
    nameControl(PageHeadEdt, HeadlineGB->title());
    LeftMarginHeadlineSE = numberControl(u"LeftMarginHeadlineSE"_s, &TSiteData::LeftMarginHeadline);
    m_headStyle = new TextStylePanel(m_session, TextStyle::Head, m_prompt,
                                     {u"HeadFontPnl"_s, u"HeadFontBtn"_s, u"HeadBGColBtn"_s, u"Überschrift"_s},
                                     TextStylePanel::Buttons::Below);

    auto *grid = groupLayout<QGridLayout>(HeadlineGB);
    grid->addWidget(PageHeadEdt, 0, 0);
    grid->addWidget(labelFor(u"mm linker Rand 0=zentriert"_s, LeftMarginHeadlineSE), 0, 1);
    grid->addWidget(LeftMarginHeadlineSE, 0, 2);
    grid->addWidget(m_headStyle, 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
}

void SeitenLayoutTab::buildObjekte()
{
    ObjektGB = named<QGroupBox>(u"ObjektGB"_s, u"Objekte"_s);
    m_objektStyle = new TextStylePanel(m_session, TextStyle::Obj, m_prompt,
                                       {u"ObjektFontPnl"_s, u"ObjektFontBtn"_s, u"ObjektBGColBtn"_s, u"Objekte"_s});
    m_valueStyle = new TextStylePanel(m_session, TextStyle::Val, m_prompt,
                                      {u"ValueFontPnl"_s, u"ValueFontBtn"_s, u"ValueBGColBtn"_s, u"Werte"_s});
    ObjBreiteSE = numberControl(u"ObjBreiteSE"_s, &TSiteData::ObjWidth);
    WertBreiteSE = numberControl(u"WertBreiteSE"_s, &TSiteData::ValueWidth);
    InputWidthSE = numberControl(u"InputWidthSE"_s, &TSiteData::InputWidth);
    LeftMarginObjSE = numberControl(u"LeftMarginObjSE"_s, &TSiteData::LeftMarginObj);
    // Both styles' rows need the room of their previews' caps: the widths go in the rows below.
    auto *grid = groupLayout<QGridLayout>(ObjektGB);
    grid->addWidget(m_objektStyle, 0, 0, 1, 4);
    grid->addWidget(m_valueStyle, 1, 0, 1, 4);
    grid->addWidget(labelFor(u"Breite"_s, ObjBreiteSE), 2, 0);
    grid->addWidget(ObjBreiteSE, 2, 1);
    grid->addWidget(labelFor(u"Breite Textspalte"_s, WertBreiteSE), 2, 2, Qt::AlignRight);
    grid->addWidget(WertBreiteSE, 2, 3);
    grid->addWidget(labelFor(u"Eingabe"_s, InputWidthSE), 3, 0);
    grid->addWidget(InputWidthSE, 3, 1);
    grid->addWidget(labelFor(u"mm linker Rand 0=zentriert"_s, LeftMarginObjSE), 3, 2, Qt::AlignRight);
    grid->addWidget(LeftMarginObjSE, 3, 3);
    grid->setColumnStretch(4, 1); // a wider group keeps the widths beside their captions
}

void SeitenLayoutTab::buildBackground()
{
    Background = named<QGroupBox>(u"Background"_s, u"Hintergrund"_s);
    ColBGPnl = named<ColourPanel>(u"ColBGPnl"_s);
    ColBGPnl->setToolTip(u"Hintergrundfarbe der Seite wählen"_s);
    auto *row = groupLayout<QHBoxLayout>(Background);
    row->addWidget(labelFor(u"Hintergrundfarbe"_s, ColBGPnl));
    row->addWidget(ColBGPnl);
    row->addStretch();
}

void SeitenLayoutTab::buildSizes()
{
    SizesGB = named<QGroupBox>(u"SizesGB"_s, u"Objekttabelle"_s);
    const std::pair<QString, TSpinEdit *> rows[] = {
        {u"Seitenbreite 0=variabel"_s, numberControl(u"PageWidthSE"_s, &TSiteData::RowWidth)},
        {u"Rahmenbreite"_s, numberControl(u"RahmenbreiteSE"_s, &TSiteData::FrameWidth)},
        {u"Abstand Text/Rahmen"_s, numberControl(u"TextabstandSE"_s, &TSiteData::TextDist)},
        {u"Zellenabstand"_s, numberControl(u"ZellenabstandSE"_s, &TSiteData::CellDist)},
        {u"linker Rand bei Makros"_s, numberControl(u"LeftMarginMacroSE"_s, &TSiteData::LeftMarginMacro)},
        {u"Zeilenhöhe Makros"_s, numberControl(u"RowHeightMacroSE"_s, &TSiteData::RowHeight)},
    };
    auto *grid = groupLayout<QGridLayout>(SizesGB);
    int row = 0;
    for (const auto &[text, spin] : rows) {
        grid->addWidget(labelFor(text, spin), row, 0);
        grid->addWidget(spin, row++, 1);
    }
    grid->setColumnStretch(0, 1);
}

void SeitenLayoutTab::buildGeneral()
{
    GeneralBox = named<QGroupBox>(u"GeneralBox"_s, u"Allgemein"_s);
    AutoHandyDetectCB = named<QCheckBox>(u"AutoHandyDetectCB"_s, u"Automatische Seitenanpassung für mobile Geräte"_s);
    NoAutoScaleCB = named<QCheckBox>(u"NoAutoScaleCB"_s, u"Skalierung deaktivieren"_s);
    BrowserWidthSE = numberControl(u"BrowserWidthSE"_s, &TSiteData::BrowserWidth);
    FixWidthLb = labelFor(u"feste Darstellungsbreite des Browsers in Pixeln"_s, BrowserWidthSE);
    FixWidthLb->setObjectName(u"FixWidthLb"_s);
    FixWidthLb->setWordWrap(true);
    AutoAktCB = named<QCheckBox>(u"AutoAktCB"_s, u"Automatische Aktualisierung nach  "_s);
    AutoAktSecSE = numberControl(u"AutoAktSecSE"_s, &TSiteData::AutoAktSec);

    auto *grid = groupLayout<QGridLayout>(GeneralBox);
    grid->addWidget(AutoHandyDetectCB, 0, 0, 1, 3);
    grid->addWidget(NoAutoScaleCB, 1, 0, 1, 3);
    grid->addWidget(FixWidthLb, 2, 0);
    grid->addWidget(BrowserWidthSE, 2, 1);
    grid->addWidget(AutoAktCB, 3, 0);
    grid->addWidget(AutoAktSecSE, 3, 1);
    grid->addWidget(labelFor(u"Sekunden"_s, AutoAktSecSE), 3, 2);
    grid->setColumnStretch(0, 1);
}

void SeitenLayoutTab::buildPagePos()
{
    PagePosGB = named<QGroupBox>(u"PagePosGB"_s, u"Reihenfolge des Seitenaufbaus"_s);
    PagePosLB = new CheckOrderList(m_session, PageEditSession::Order::Build, u"PagePosLB"_s, PagePosGB->title());
    PagePosUpBtn = arrowButton(u"PagePosUpBtn"_s, Qt::UpArrow, u"Nach oben"_s);
    PagePosDownBtn = arrowButton(u"PagePosDownBtn"_s, Qt::DownArrow, u"Nach unten"_s);
    // The buttons below the list keep the group narrow.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(PagePosUpBtn);
    buttons->addWidget(PagePosDownBtn);
    buttons->addStretch();
    auto *column = groupLayout<QVBoxLayout>(PagePosGB);
    column->addWidget(PagePosLB);
    column->addLayout(buttons);
    column->addStretch();
}

void SeitenLayoutTab::buildLayout()
{
    // Left the name and the page's text styles and colours; right the table, the build order and
    // the options. A wider window widens the left groups (and with them the headline field); the
    // room a taller one gives stays below.
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(labelFor(u"Seitenname"_s, PageNameEdt));
    nameRow->addWidget(PageNameEdt);
    nameRow->addStretch();

    auto *left = new QVBoxLayout;
    left->addLayout(nameRow);
    left->addWidget(HeadlineGB);
    left->addWidget(ObjektGB);
    left->addWidget(Background);
    left->addStretch();

    auto *tableAndOrder = new QHBoxLayout;
    tableAndOrder->addWidget(SizesGB, 0, Qt::AlignTop);
    tableAndOrder->addWidget(PagePosGB, 0, Qt::AlignTop);
    auto *right = new QVBoxLayout;
    right->addLayout(tableAndOrder);
    right->addWidget(GeneralBox);
    right->addStretch();

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(TabMargins);
    columns->addLayout(left, 1);
    columns->addLayout(right);
}

void SeitenLayoutTab::connectHandlers()
{
    for (const NumberControl &n : m_numbers) {
        QObject::connect(n.control, &TSpinEdit::valueChanged, this,
                         [this, field = n.field](int value) { m_session.setLayoutNumber(field, value); });
    }
    QObject::connect(PageHeadEdt, &QLineEdit::textChanged, this,
                     [this](const QString &text) { m_session.setHeadline(text); });
    QObject::connect(NoAutoScaleCB, &QCheckBox::toggled, this, [this](bool on) { m_session.setNoAutoScale(on); });
    connectGuarded(m_prompt, AutoHandyDetectCB, &QCheckBox::toggled, this, &SeitenLayoutTab::AutoHandyDetectCBClick);
    connectGuarded(m_prompt, AutoAktCB, &QCheckBox::toggled, this, &SeitenLayoutTab::AutoAktCBClick);
    connectGuarded(m_prompt, ColBGPnl, &ColourPanel::clicked, this, &SeitenLayoutTab::ColBGPnlClick);
    connectGuarded(m_prompt, PagePosUpBtn, &QToolButton::clicked, this, &SeitenLayoutTab::PagePosUpBtnClick);
    connectGuarded(m_prompt, PagePosDownBtn, &QToolButton::clicked, this, &SeitenLayoutTab::PagePosDownBtnClick);
    new RowDragMove(PagePosLB, m_prompt, [this](int from, int to) { PagePosLBDragDrop(from, to); });
}

void SeitenLayoutTab::loadFromModel()
{
    {
        // Set even when the text is the same: nothing typed on the page before is left to undo.
        const QSignalBlocker headline(PageHeadEdt);
        PageHeadEdt->setText(m_session.document().layout.Headline);
    }
    reloadPage();
}

void SeitenLayoutTab::reloadPage()
{
    const TSiteData &d = m_session.document().layout;
    for (const NumberControl &n : m_numbers) {
        const QSignalBlocker blocker(n.control);
        n.control->setValue(d.*n.field);
    }
    {
        const QSignalBlocker headline(PageHeadEdt), scale(NoAutoScaleCB), mobile(AutoHandyDetectCB);
        // A headline that is the page's already keeps its cursor and its own undo.
        if (PageHeadEdt->text() != d.Headline)
            PageHeadEdt->setText(d.Headline);
        NoAutoScaleCB->setChecked(d.NoAutoScale);
        AutoHandyDetectCB->setChecked(d.AutoWidth);
    }
    // Set by the reader or, for a new page, by the project's options: the fixed width follows all the same.
    showFixedWidthRule();
    showAutoRefresh();
    for (TextStylePanel *style : {m_headStyle, m_objektStyle, m_valueStyle})
        style->refresh();
    ColBGPnl->setColour(screenColour(d.BGCol));
    PagePosLB->reload();
}

void SeitenLayoutTab::showAutoRefresh()
{
    const QSignalBlocker blocker(AutoAktCB);
    AutoAktCB->setChecked(m_session.document().layout.AutoAkt);
    AutoAktCB->setEnabled(m_session.autoRefreshUsable());
}

void SeitenLayoutTab::showFixedWidthRule()
{
    enableFixedWidth(m_session.fixedWidthUsable(), {BrowserWidthSE, FixWidthLb});
}

void SeitenLayoutTab::focusMoved(QWidget *from, QWidget *to)
{
    if (focusLeaves(from, to, PageHeadEdt))
        PageHeadEdtExit();
    if (focusEnters(from, to, HeadlineGB))
        HeadlineGBEnter();
    if (focusEnters(from, to, ObjektGB))
        ObjektGBEnter();
    if (focusEnters(from, to, Background))
        BackgroundEnter();
}

void SeitenLayoutTab::PageHeadEdtExit()
{
    m_session.headlineLeft();
    m_headStyle->refresh();
}

void SeitenLayoutTab::HeadlineGBEnter()
{
    m_session.markChanged();
}

void SeitenLayoutTab::ObjektGBEnter()
{
    m_session.markChanged();
}

void SeitenLayoutTab::BackgroundEnter()
{
    m_session.markChanged();
}

void SeitenLayoutTab::ColBGPnlClick()
{
    if (m_session.choosePageBackground(m_prompt))
        ColBGPnl->setColour(screenColour(m_session.document().layout.BGCol));
}

void SeitenLayoutTab::PagePosUpBtnClick()
{
    PagePosLB->moveSelected(-1);
}

void SeitenLayoutTab::PagePosDownBtnClick()
{
    PagePosLB->moveSelected(1);
}

void SeitenLayoutTab::PagePosLBDragDrop(int from, int to)
{
    PagePosLB->dropEntry(from, to);
}

void SeitenLayoutTab::AutoHandyDetectCBClick()
{
    // The value stays and is stored either way.
    m_session.setAutoWidth(AutoHandyDetectCB->isChecked());
    showFixedWidthRule();
}

void SeitenLayoutTab::AutoAktCBClick()
{
    m_session.setAutoRefresh(AutoAktCB->isChecked(), m_prompt);
    showAutoRefresh();
}
