#include "editor/NavigationTab.h"

#include "dialogs/WidgetHelpers.h"
#include "editor/RowDragMove.h"
#include "editor/TextStylePanel.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"
#include "text/Launcher.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int ListMinWidth = 200;

void fillList(QListWidget *list, const QStringList &texts, int current)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(texts);
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
    else
        list->setCurrentRow(-1);
}
} // namespace

NavigationTab::NavigationTab(PageEditSession &session, Prompt &prompt, Launcher *launcher, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompt(prompt), m_launcher(launcher)
{
    setObjectName(u"Navigation"_s);
    buildControls();
    buildLinkPanel();
    buildLayout();
    connectHandlers();
    loadFromModel();
}

void NavigationTab::buildControls()
{
    NaviLB = named<QListWidget>(u"NaviLB"_s);
    NaviLB->setMinimumWidth(ListMinWidth);
    NavMoveUpBt = arrowButton(u"NavMoveUpBt"_s, Qt::UpArrow, u"Nach oben"_s);
    NavMoveDownBt = arrowButton(u"NavMoveDownBt"_s, Qt::DownArrow, u"Nach unten"_s);
    LinkNamBtn = named<QPushButton>(u"LinkNamBtn"_s, u"Link bearbeiten"_s);
    NewLinkBtn = named<QPushButton>(u"NewLinkBtn"_s, u"Neuer externer Link"_s);
    DelLinkBtn = named<QPushButton>(u"DelLinkBtn"_s, u"Link löschen"_s);
    for (QPushButton *button : {LinkNamBtn, NewLinkBtn, DelLinkBtn})
        button->setAutoDefault(false);
    SelectNaviBtn = arrowButton(u"SelectNaviBtn"_s, Qt::LeftArrow, u"Als Link übernehmen"_s);
    SeitenLB = named<QListWidget>(u"SeitenLB"_s);
    SeitenLB->setMinimumWidth(ListMinWidth);
    m_naviStyle = new TextStylePanel(m_session, TextStyle::Navi, m_prompt,
                                     {u"NaviFontPnl"_s, u"NaviFontlBtn"_s, u"NaviBGColBtn"_s, u"Links"_s});
}

void NavigationTab::buildLinkPanel()
{
    LinkNamPnl = named<QFrame>(u"LinkNamPnl"_s);
    LinkNamPnl->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    LinkNamPnl->setAutoFillBackground(true);
    LinkNamEdt = named<QLineEdit>(u"LinkNamEdt"_s);
    LinkTargetEdt = named<QLineEdit>(u"LinkTargetEdt"_s);
    SelectLinkBt = named<QToolButton>(u"SelectLinkBt"_s);
    SelectLinkBt->setIcon(QIcon::fromTheme(u"internet-web-browser"_s, style()->standardIcon(QStyle::SP_DriveNetIcon)));
    describeIconButton(SelectLinkBt, u"Ziel im Browser öffnen"_s);
    OKLinkBtn = named<QPushButton>(u"OKLinkBtn"_s, u"OK"_s);
    CancelLinkBtn = named<QPushButton>(u"CancelLinkBtn"_s, u"Abbruch"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKLinkBtn);
    buttons->addWidget(CancelLinkBtn);
    auto *grid = new QGridLayout(LinkNamPnl);
    grid->addWidget(labelFor(u"Name"_s, LinkNamEdt), 0, 0);
    grid->addWidget(LinkNamEdt, 0, 1, 1, 2);
    grid->addWidget(labelFor(u"Ziel"_s, LinkTargetEdt), 1, 0);
    grid->addWidget(LinkTargetEdt, 1, 1);
    grid->addWidget(SelectLinkBt, 1, 2);
    grid->addLayout(buttons, 2, 0, 1, 3);
    LinkNamPnl->hide();
    // Return in the panel stores the link and Esc drops it, instead of closing the window.
    LinkNamPnl->installEventFilter(this);
}

void NavigationTab::buildLayout()
{
    m_linkList = new QWidget;
    auto *moves = new QVBoxLayout;
    moves->addWidget(NavMoveUpBt);
    moves->addWidget(NavMoveDownBt);
    moves->addStretch();
    auto *linkButtons = new QHBoxLayout;
    linkButtons->addWidget(LinkNamBtn);
    linkButtons->addWidget(NewLinkBtn);
    linkButtons->addWidget(DelLinkBtn);
    linkButtons->addStretch();
    auto *listGrid = new QGridLayout(m_linkList);
    listGrid->setContentsMargins(0, 0, 0, 0);
    listGrid->addWidget(NaviLB, 0, 0);
    listGrid->addLayout(moves, 0, 1);
    listGrid->addLayout(linkButtons, 1, 0, 1, 2);

    // The panel lies over the list and its buttons, across their width.
    auto *linkArea = new QGridLayout;
    linkArea->addWidget(m_linkList, 0, 0);
    linkArea->addWidget(LinkNamPnl, 0, 0, Qt::AlignVCenter);
    LinkNamPnl->raise();

    auto *fontGroup = named<QGroupBox>(u"NaviFontGB"_s, u"Schriftdarstellung für alle Links"_s);
    auto *fontRow = new QHBoxLayout(fontGroup);
    fontRow->addWidget(m_naviStyle);

    auto *grid = new QGridLayout(this);
    grid->addWidget(labelFor(u"Links der Navigationsleiste"_s, NaviLB), 0, 0);
    grid->addLayout(linkArea, 1, 0);
    grid->addWidget(SelectNaviBtn, 1, 1, Qt::AlignVCenter);
    grid->addWidget(labelFor(u"Seitenauswahl"_s, SeitenLB), 0, 2);
    grid->addWidget(SeitenLB, 1, 2);
    grid->addWidget(fontGroup, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 2);
}

void NavigationTab::connectHandlers()
{
    const auto click = [this](QAbstractButton *button, void (NavigationTab::*handler)()) {
        connectGuarded(m_prompt, button, &QAbstractButton::clicked, this, handler);
    };
    click(SelectNaviBtn, &NavigationTab::SelectNaviBtnClick);
    click(LinkNamBtn, &NavigationTab::LinkNamBtnClick);
    click(NewLinkBtn, &NavigationTab::NewLinkBtnClick);
    click(OKLinkBtn, &NavigationTab::OKLinkBtnClick);
    click(CancelLinkBtn, &NavigationTab::CancelLinkBtnClick);
    click(DelLinkBtn, &NavigationTab::DelLinkBtnClick);
    click(NavMoveUpBt, &NavigationTab::NavMoveUpBtClick);
    click(NavMoveDownBt, &NavigationTab::NavMoveDownBtClick);
    click(SelectLinkBt, &NavigationTab::SelectLinkBtClick);
    new RowDragMove(NaviLB, m_prompt, [this](int from, int to) { NaviLBDragDrop(from, to); });
    connectGuarded(m_prompt, NaviLB, &QListWidget::itemDoubleClicked, this, &NavigationTab::LinkNamBtnClick);
    connectGuarded(m_prompt, NaviLB, &QListWidget::itemSelectionChanged, this, &NavigationTab::NaviLBClick);
    // A click on the link that is selected already changes no selection, and shows it all the same.
    connectGuarded(m_prompt, NaviLB, &QListWidget::itemClicked, this, &NavigationTab::NaviLBClick);
}

bool NavigationTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LinkNamPnl && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool inEdit = LinkNamEdt->hasFocus() || LinkTargetEdt->hasFocus();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && inEdit) {
            runGuarded(m_prompt, [this] { OKLinkBtnClick(); });
            return true;
        }
        if (key == Qt::Key_Escape) {
            runGuarded(m_prompt, [this] { CancelLinkBtnClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NavigationTab::loadFromModel()
{
    closeLinkPanel();
    loadLinks(-1);
    fillList(SeitenLB, m_session.otherPages(), -1);
    m_naviStyle->refresh();
}

void NavigationTab::reloadPage()
{
    NavigationExit();
    loadLinks(selectedLink());
    m_naviStyle->refresh();
}

void NavigationTab::loadLinks(int current)
{
    fillList(NaviLB, m_session.document().links, current);
}

int NavigationTab::selectedLink() const
{
    return selectedRow(NaviLB);
}

void NavigationTab::openLinkPanel(const QString &name, const QString &target)
{
    m_editedLink = selectedLink();
    LinkNamEdt->setText(name);
    LinkTargetEdt->setText(target);
    LinkTargetEdt->setEnabled(m_session.linkTargetEditable());
    SelectLinkBt->setEnabled(m_session.canBrowseLinkTarget());
    m_linkList->setEnabled(false);
    SelectNaviBtn->setEnabled(false);
    LinkNamPnl->show();
    LinkNamEdt->setFocus();
}

void NavigationTab::closeLinkPanel()
{
    const bool hadFocus = LinkNamPnl->isAncestorOf(focusWidget());
    LinkNamPnl->hide();
    LinkTargetEdt->setEnabled(true);
    m_linkList->setEnabled(true);
    SelectNaviBtn->setEnabled(true);
    if (hadFocus)
        NaviLB->setFocus();
}

bool NavigationTab::isEditingLink() const
{
    return LinkNamPnl->isVisibleTo(this);
}

void NavigationTab::NavigationExit()
{
    if (LinkNamPnl->isVisibleTo(this))
        CancelLinkBtnClick();
}

void NavigationTab::SelectNaviBtnClick()
{
    if (m_session.addPageLink(selectedRow(SeitenLB), m_prompt))
        loadLinks(selectedLink());
}

void NavigationTab::LinkNamBtnClick()
{
    SelectLinkBt->setEnabled(false);
    QString name, target;
    if (m_session.beginEditLink(selectedLink(), m_prompt, name, target))
        openLinkPanel(name, target);
}

void NavigationTab::NewLinkBtnClick()
{
    m_session.beginNewLink();
    openLinkPanel(QString(), QString());
}

void NavigationTab::OKLinkBtnClick()
{
    // A refused link has had its message; the panel stays open for a correction.
    const qsizetype stored = m_session.commitLink(m_editedLink, LinkNamEdt->text(), LinkTargetEdt->text(), m_prompt);
    if (stored < 0)
        return;
    closeLinkPanel();
    loadLinks(int(stored));
}

void NavigationTab::CancelLinkBtnClick()
{
    closeLinkPanel();
}

void NavigationTab::DelLinkBtnClick()
{
    if (m_session.deleteLink(selectedLink(), m_prompt))
        loadLinks(-1);
}

void NavigationTab::NavMoveUpBtClick()
{
    const int link = selectedLink();
    loadLinks(int(m_session.moveLink(link, link - 1)));
}

void NavigationTab::NavMoveDownBtClick()
{
    const int link = selectedLink();
    loadLinks(int(m_session.moveLink(link, link + 1)));
}

void NavigationTab::NaviLBDragDrop(int from, int to)
{
    loadLinks(int(m_session.moveLink(from, to)));
}

void NavigationTab::NaviLBClick()
{
    m_session.selectLink(selectedLink());
    m_naviStyle->refresh();
}

void NavigationTab::SelectLinkBtClick()
{
    // A browser that does not start says nothing.
    if (m_launcher)
        m_launcher->startProgram(m_session.browserPath(), {LinkTargetEdt->text()}, QString());
}
