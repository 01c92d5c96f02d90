#include "app/TWEBServerDefMainF.h"

#include "catalogue/Messages.h"
#include "dialogs/Notice.h"
#include "dialogs/TCheckF.h"
#include "dialogs/THelpF.h"
#include "dialogs/WidgetHelpers.h"
#include "dialogs/TInfoF.h"
#include "editor/TReassignF.h"
#include "page/SiteData.h"
#include "text/Guard.h"
#include "text/Prompt.h"
#include "workspace/AppState.h"
#include "workspace/IpList.h"
#include "workspace/ProjectModel.h"
#include "workspace/ShortPath.h"
#include "workspace/UserFile.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {
QAction *menuItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

// Whatever a handler leaves behind, even when it ends with an error, is shown afterwards.
class ReloadOnExit
{
public:
    explicit ReloadOnExit(TWEBServerDefMainF &window) : m_window(window) {}
    ~ReloadOnExit() { m_window.loadFromModel(); }
    ReloadOnExit(const ReloadOnExit &) = delete;
    ReloadOnExit &operator=(const ReloadOnExit &) = delete;

private:
    TWEBServerDefMainF &m_window;
};

const QString DescIPListText = u"Für die IPs, die in dieser Liste eingetragen werden, wird keine Kennwortprüfung "
                               u"durchgeführt. Hier können die IP-Adressen der Geräte eines lokalen Netzwerks "
                               u"eingetragen werden um für diese den Kennwortschutz zu deaktivieren."_s;
constexpr int RVXFileLabelWidth = 330;
} // namespace

TWEBServerDefMainF::TWEBServerDefMainF(Workspace &workspace, Prompt &prompt, PageEditorView &editor,
                                       const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_workspace(workspace), m_prompt(prompt), m_editor(editor)
{
    setObjectName(u"WEBServerDefMainF"_s);
    setWindowTitle(Caption);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    buildMenu();
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    HeadPnl = named<QLabel>(u"HeadPnl"_s);
    HeadPnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    HeadPnl->setAlignment(Qt::AlignCenter);
    HeadPnl->setMinimumHeight(32);
    QFont bold = HeadPnl->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    HeadPnl->setFont(bold);
    layout->addWidget(HeadPnl);

    qw = named<QTabWidget>(u"qw"_s);
    qw->setDocumentMode(true);
    qw->addTab(buildSiteDefPage(), u"Seitendefinitionen"_s);
    qw->addTab(buildUserPage(), u"Benutzer und Startseiten"_s);
    qw->addTab(buildIPFreePage(), u"IPs ohne Kennwortabfrage"_s);
    qw->addTab(buildGeneralPage(), u"Allgemein"_s);
    qw->setCurrentWidget(SiteDefPg);
    layout->addWidget(qw);
    setCentralWidget(central);

    connectMenuHandlers();
    connectHandlers();
    InfoF = new TInfoF(m_workspace.launcher(), this);
    HelpF = new THelpF(this);
    CheckF = new TCheckF(m_prompt, this);
    connectGuarded(m_prompt, CheckF, &TCheckF::pageChosen, this, &TWEBServerDefMainF::CheckPageChosen);

    runGuarded(m_prompt, [&] { m_workspace.FormCreate(programFolder); });
    loadFromModel();

    // Fixed size, centred on the screen.
    setFixedSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TWEBServerDefMainF::~TWEBServerDefMainF()
{
    QObject::disconnect(m_focusConnection);
    runGuarded(m_prompt, [this] { m_workspace.FormDestroy(); });
}

void TWEBServerDefMainF::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);
    QMenu *file = bar->addMenu(u"Datei"_s);
    Neu1 = menuItem(file, u"Neu1"_s, u"&Neu..."_s);
    ffnen1 = menuItem(file, u"ffnen1"_s, u"Ö&ffnen..."_s);
    Speichern1 = menuItem(file, u"Speichern1"_s, u"&Speichern"_s);
    Speichern1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ChangeName = menuItem(file, u"ChangeName"_s, u"N&amen ändern..."_s);
    Kopieren = menuItem(file, u"Kopieren"_s, u"&Kopieren.."_s);
    ReadRVXMn = menuItem(file, u"ReadRVXMn"_s, u"Ausführung&dsdatei lesen..."_s);
    CheckProjectMn = menuItem(file, u"CheckProjectMn"_s, u"Projekt &prüfen..."_s);
    ReassignMn = menuItem(file, u"ReassignMn"_s, u"Objekte &zuordnen..."_s);
    UpdateMp = menuItem(file, u"UpdateMp"_s, u"&Update..."_s);
    Beenden1 = menuItem(file, u"Beenden1"_s, u"B&eenden"_s);
    QMenu *help = bar->addMenu(u"Hilfe"_s);
    Hilfetexte1 = menuItem(help, u"Hilfetexte1"_s, u"Hilfetexte..."_s);
    Hilfetexte1->setShortcut(QKeySequence(Qt::Key_F1));
    InternetUpdate1 = menuItem(help, u"InternetUpdate1"_s, u"Internet..."_s);
    InternetUpdate1->setVisible(false);
    Info1 = menuItem(help, u"Info1"_s, u"Info"_s);
}

QWidget *TWEBServerDefMainF::buildSiteDefPage()
{
    SiteDefPg = named<QWidget>(u"SiteDefPg"_s);
    auto *grid = new QGridLayout(SiteDefPg);
    SiteBox = named<QListWidget>(u"SiteBox"_s);
    NewSiteBtn = named<QPushButton>(u"NewSiteBtn"_s, u"&Neue Seite"_s);
    WorkSiteBtn = named<QPushButton>(u"WorkSiteBtn"_s, u"Seite &bearbeiten"_s);
    DelSiteBtn = named<QPushButton>(u"DelSiteBtn"_s, u"Seite &löschen"_s);
    RefreshBt = named<QPushButton>(u"RefreshBt"_s, u"Alle Seiten &aktualisieren"_s);
    TakePage = named<QPushButton>(u"TakePage"_s, u"->"_s);
    StartPageEdt = named<QLineEdit>(u"StartPageEdt"_s);
    DirDatEdt = named<QLineEdit>(u"DirDatEdt"_s);
    SearchDirBtn = named<QPushButton>(u"SearchDirBtn"_s, u"..."_s);
    RVXFileLb = named<QLabel>(u"RVXFileLb"_s, u"..."_s);
    RVXFileLb->setFixedWidth(RVXFileLabelWidth);
    SearchDirBtn->setFixedWidth(32);
    TakePage->setFixedWidth(32);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {NewSiteBtn, WorkSiteBtn, DelSiteBtn, RefreshBt})
        buttons->addWidget(button);
    buttons->addStretch();

    // The arrow takes the selected page of the list into the start page field beside it.
    auto *startRow = new QHBoxLayout;
    startRow->addWidget(TakePage);
    startRow->addWidget(StartPageEdt);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(DirDatEdt);
    folderRow->addWidget(SearchDirBtn);

    describeIconButton(TakePage, u"Als Startseite übernehmen"_s);
    describeIconButton(SearchDirBtn, u"Ordner auswählen"_s);
    grid->addWidget(labelFor(u"Seitenliste"_s, SiteBox), 0, 0);
    grid->addWidget(SiteBox, 1, 0, 6, 1);
    grid->addLayout(buttons, 1, 1, 6, 1);
    grid->addWidget(labelFor(u"Startseite ohne Benutzeranmeldung"_s, StartPageEdt), 0, 2);
    grid->addLayout(startRow, 1, 2);
    grid->addWidget(labelFor(u"Ordner für Seitendefinitionen"_s, DirDatEdt), 2, 2);
    grid->addLayout(folderRow, 3, 2);
    nameControl(RVXFileLb, u"Aktuelle Runvault-Datei"_s);
    grid->addWidget(new QLabel(u"Aktuelle Runvault-Datei:"_s), 4, 2);
    grid->addWidget(RVXFileLb, 5, 2);
    grid->setRowStretch(6, 1);
    return SiteDefPg;
}

QWidget *TWEBServerDefMainF::buildUserPage()
{
    UserPg = named<QWidget>(u"UserPg"_s);
    auto *grid = new QGridLayout(UserPg);
    AuthMsgEdt = named<QLineEdit>(u"AuthMsgEdt"_s);
    UG = named<QTableWidget>(u"UG"_s, ProjectModel::StartGridRows - 1, 3);
    UG->setHorizontalHeaderLabels({u"Benutzer"_s, u"Kennwort"_s, u"Startseite"_s});
    UG->verticalHeader()->setVisible(false);
    UG->horizontalHeader()->setStretchLastSection(true);
    UG->setSelectionMode(QAbstractItemView::SingleSelection);
    UG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UG->setMinimumSize(480, 200);
    DeleteUserBt = named<QPushButton>(u"DeleteUserBt"_s, u"Zeile &löschen"_s);
    btAddUser = named<QPushButton>(u"btAddUser"_s, u"+"_s);
    btAddUser->setFixedWidth(32);
    describeIconButton(btAddUser, u"Benutzerzeile anfügen"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DeleteUserBt);
    buttons->addStretch();
    buttons->addWidget(btAddUser);

    grid->addWidget(labelFor(u"Text für Kennwortabfrage"_s, AuthMsgEdt), 0, 0);
    grid->addWidget(AuthMsgEdt, 1, 0);
    grid->addWidget(labelFor(u"Benutzerkennwörter und Startseiten"_s, UG), 2, 0);
    grid->addWidget(UG, 3, 0);
    grid->addLayout(buttons, 4, 0);
    return UserPg;
}

QWidget *TWEBServerDefMainF::buildIPFreePage()
{
    IPFreePg = named<QWidget>(u"IPFreePg"_s);
    auto *grid = new QGridLayout(IPFreePg);
    DescIPListLb = named<QLabel>(u"DescIPListLb"_s, DescIPListText);
    DescIPListLb->setWordWrap(true);
    NewIPEd = named<QLineEdit>(u"NewIPEd"_s);
    AddToListBt = named<QToolButton>(u"AddToListBt"_s);
    AddToListBt->setArrowType(Qt::DownArrow);
    describeIconButton(AddToListBt, u"IP zu Liste zufügen"_s);
    AddToListBt->setAutoRaise(true);
    DeleteIPBt = named<QToolButton>(u"DeleteIPBt"_s);
    DeleteIPBt->setText(u"X"_s);
    describeIconButton(DeleteIPBt, u"IP entfernen"_s);
    DeleteIPBt->setAutoRaise(true);
    FreeIPsLB = named<QListWidget>(u"FreeIPsLB"_s);

    grid->addWidget(DescIPListLb, 0, 0, 1, 3);
    grid->addWidget(labelFor(u"neue IP"_s, NewIPEd), 1, 0);
    grid->addWidget(NewIPEd, 2, 0);
    grid->addWidget(AddToListBt, 2, 1);
    grid->addWidget(DeleteIPBt, 2, 2);
    grid->addWidget(labelFor(u"Liste der IPs ohne Kennwortabfrage"_s, FreeIPsLB), 3, 0);
    grid->addWidget(FreeIPsLB, 4, 0);
    return IPFreePg;
}

QWidget *TWEBServerDefMainF::buildGeneralPage()
{
    General = named<QWidget>(u"General"_s);
    auto *grid = new QGridLayout(General);
    AutoHandyDetectCB = named<QCheckBox>(u"AutoHandyDetectCB"_s, u"Automatische Seitenanpassung für mobile Geräte"_s);
    NoAutoScaleCB = named<QCheckBox>(u"NoAutoScaleCB"_s, u"Skalierung deaktivieren"_s);
    FixWidthLb = named<QLabel>(u"FixWidthLb"_s, u"feste Darstellungsbreite des Browsers in Pixeln"_s);
    BrowserWidthSE = named<QSpinBox>(u"BrowserWidthSE"_s);
    BrowserWidthSE->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    BrowserWidthSE->setFixedWidth(120);
    FixWidthLb->setBuddy(BrowserWidthSE);
    nameControl(BrowserWidthSE, FixWidthLb->text());

    grid->addWidget(AutoHandyDetectCB, 0, 0, 1, 2);
    grid->addWidget(NoAutoScaleCB, 1, 0, 1, 2);
    grid->addWidget(FixWidthLb, 2, 0);
    grid->addWidget(BrowserWidthSE, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    return General;
}

void TWEBServerDefMainF::connectMenuHandlers()
{
    const auto on = [this](QAction *action, void (TWEBServerDefMainF::*handler)()) {
        connectGuarded(m_prompt, action, &QAction::triggered, this, handler);
    };
    on(Neu1, &TWEBServerDefMainF::Neu1Click);
    on(ffnen1, &TWEBServerDefMainF::ffnen1Click);
    on(Speichern1, &TWEBServerDefMainF::Speichern1Click);
    on(ChangeName, &TWEBServerDefMainF::ChangeNameClick);
    on(Kopieren, &TWEBServerDefMainF::KopierenClick);
    on(ReadRVXMn, &TWEBServerDefMainF::ReadRVXMnClick);
    on(CheckProjectMn, &TWEBServerDefMainF::CheckProjectMnClick);
    on(ReassignMn, &TWEBServerDefMainF::ReassignMnClick);
    on(UpdateMp, &TWEBServerDefMainF::UpdateMpClick);
    on(Beenden1, &TWEBServerDefMainF::Beenden1Click);
    on(Hilfetexte1, &TWEBServerDefMainF::Hilfetexte1Click);
    on(InternetUpdate1, &TWEBServerDefMainF::InternetUpdate1Click);
    on(Info1, &TWEBServerDefMainF::Info1Click);
}

void TWEBServerDefMainF::connectHandlers()
{
    ProjectModel &model = m_workspace.model();
    const auto click = [this](QAbstractButton *button, void (TWEBServerDefMainF::*handler)()) {
        connectGuarded(m_prompt, button, &QAbstractButton::clicked, this, handler);
    };
    click(NewSiteBtn, &TWEBServerDefMainF::NewSiteBtnClick);
    click(WorkSiteBtn, &TWEBServerDefMainF::WorkSiteBtnClick);
    click(DelSiteBtn, &TWEBServerDefMainF::DelSiteBtnClick);
    click(RefreshBt, &TWEBServerDefMainF::RefreshBtClick);
    click(TakePage, &TWEBServerDefMainF::TakePageClick);
    click(SearchDirBtn, &TWEBServerDefMainF::SearchDirBtnClick);
    click(btAddUser, &TWEBServerDefMainF::btAddUserClick);
    click(DeleteUserBt, &TWEBServerDefMainF::DeleteUserBtClick);
    click(AddToListBt, &TWEBServerDefMainF::AddToListBtClick);
    click(DeleteIPBt, &TWEBServerDefMainF::DeleteIPBtClick);
    click(AutoHandyDetectCB, &TWEBServerDefMainF::AutoHandyDetectCBClick);
    connectGuarded(m_prompt, SiteBox, &QListWidget::itemDoubleClicked, this, &TWEBServerDefMainF::WorkSiteBtnClick);
    connectGuarded(m_prompt, UG, &QTableWidget::currentCellChanged, this,
                   [this](int row, int column) { UGSelectCell(row, column); });
    connectGuarded(m_prompt, UG, &QTableWidget::cellChanged, this,
                   [this](int row, int column) { UGSetEditText(row, column); });

    // Typed text goes straight into the model, which every save reads.
    QObject::connect(StartPageEdt, &QLineEdit::textChanged, this, [&model](const QString &t) { model.StartPage = t; });
    QObject::connect(DirDatEdt, &QLineEdit::textChanged, this, [&model](const QString &t) { model.DirDatText = t; });
    QObject::connect(AuthMsgEdt, &QLineEdit::textChanged, this, [&model](const QString &t) { model.AuthMsg = t; });
    QObject::connect(NewIPEd, &QLineEdit::textChanged, this, [&model](const QString &t) { model.NewIP = t; });
    QObject::connect(NoAutoScaleCB, &QCheckBox::toggled, this, [&model](bool on) { model.NoAutoScale = on; });
    QObject::connect(BrowserWidthSE, &QSpinBox::valueChanged, this, [&model](int v) { model.BrowserWidth = v; });

    m_focusConnection =
        connectGuarded(m_prompt, qApp, &QApplication::focusChanged, this, &TWEBServerDefMainF::focusMoved);
    FixWidthLb->installEventFilter(this);
    SiteBox->installEventFilter(this);
    SiteBox->viewport()->installEventFilter(this);
}

void TWEBServerDefMainF::focusMoved(QWidget *from, QWidget *to)
{
    // A control is entered when the focus moves into it (or into a cell editor of the grid) from
    // another control of this window; focus coming back with the window or after a dialog is no entry.
    if (!from || !to || from->window() != this)
        return;
    const auto inside = [](QWidget *widget, QWidget *control) {
        return widget == control || control->isAncestorOf(widget);
    };
    // Leaving the data folder field counts even when its text is unchanged; opening a menu is no
    // focus change, so a typed folder is not taken by the menu item chosen next.
    if (inside(from, DirDatEdt) && !inside(to, DirDatEdt) && to->window() == this)
        DirDatEdtExit();
    if (inside(to, AuthMsgEdt) && !inside(from, AuthMsgEdt))
        AuthMsgEdtEnter();
    else if (inside(to, UG) && !inside(from, UG))
        UGEnter();
}

bool TWEBServerDefMainF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == FixWidthLb) {
        runGuarded(m_prompt, [this] { FixWidthLbDblClick(); });
        return true;
    }
    // A double click below the entries edits as the button does (the list's own signal needs an entry).
    if (event->type() == QEvent::MouseButtonDblClick && watched == SiteBox->viewport()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && !SiteBox->indexAt(mouse->position().toPoint()).isValid()) {
            runGuarded(m_prompt, [this] { WorkSiteBtnClick(); });
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched == SiteBox)
        return SiteBoxKeyPress(*static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

void TWEBServerDefMainF::loadFromModel()
{
    const ProjectModel &model = m_workspace.model();
    const QSignalBlocker b1(SiteBox), b2(StartPageEdt), b3(DirDatEdt), b4(AuthMsgEdt), b5(NewIPEd), b6(FreeIPsLB),
        b7(AutoHandyDetectCB), b8(NoAutoScaleCB), b9(BrowserWidthSE);

    HeadPnl->setText(model.HeadName);
    // The selection comes back; a current row that was not selected does not become one.
    const int siteRow = selectedRow(SiteBox);
    SiteBox->clear();
    SiteBox->addItems(model.Sites);
    if (siteRow >= 0 && siteRow < SiteBox->count())
        SiteBox->setCurrentRow(siteRow);
    if (StartPageEdt->text() != model.StartPage)
        StartPageEdt->setText(model.StartPage);
    if (DirDatEdt->text() != model.DirDatText)
        DirDatEdt->setText(model.DirDatText);
    showExecFile();

    if (AuthMsgEdt->text() != model.AuthMsg)
        AuthMsgEdt->setText(model.AuthMsg);
    loadUserGrid();

    if (NewIPEd->text() != model.NewIP)
        NewIPEd->setText(model.NewIP);
    FreeIPsLB->clear();
    FreeIPsLB->addItems(model.FreeIPs);

    AutoHandyDetectCB->setChecked(model.AutoHandyDetect);
    NoAutoScaleCB->setChecked(model.NoAutoScale);
    BrowserWidthSE->setValue(model.BrowserWidth);
    applyWidthRule();
    QPalette palette = FixWidthLb->palette();
    palette.setColor(QPalette::WindowText, model.testmode ? Qt::red : Qt::black);
    FixWidthLb->setPalette(palette);
}

void TWEBServerDefMainF::loadUserGrid()
{
    const ProjectModel &model = m_workspace.model();
    const QSignalBlocker blocker(UG);
    const int row = UG->currentRow();
    const int column = UG->currentColumn();
    UG->setRowCount(int(model.Users.size()));
    for (int r = 0; r < model.Users.size(); ++r) {
        const UserRow &user = model.Users.at(r);
        const QString cells[3] = {user.User, user.Password, user.StartPage};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem *item = UG->item(r, c);
            if (!item)
                UG->setItem(r, c, new QTableWidgetItem(cells[c]));
            else if (item->text() != cells[c])
                item->setText(cells[c]);
        }
    }
    // The grid always has a current cell, so "Zeile löschen" has a row to work on.
    UG->setCurrentCell(qBound(0, row, UG->rowCount() - 1), qMax(0, column));
    btAddUser->setVisible(model.AddUserVisible);
    btAddUser->setEnabled(model.AddUserEnabled);
}

void TWEBServerDefMainF::applyWidthRule()
{
    enableFixedWidth(browserWidthEditable(m_workspace.model().AutoHandyDetect), {BrowserWidthSE, FixWidthLb});
}

void TWEBServerDefMainF::showExecFile()
{
    // Without an object in the catalogue a path would look as if its objects were offered.
    const QString reason = m_workspace.state().catalogue.emptyReason();
    if (!reason.isEmpty()) {
        showNotice(RVXFileLb, CatalogueMessages::NoCatalogue, reason);
        return;
    }
    showPlain(RVXFileLb, RVXFileLb->text(), Qt::blue);
    ShowShortPath(m_workspace.model().RVXFileShown);
    RVXFileLb->setToolTip(m_workspace.model().RVXFileShown);
}

void TWEBServerDefMainF::ShowShortPath(const QString &path)
{
    if (path.isEmpty()) {
        RVXFileLb->setText(u"..."_s);
        return;
    }
    const QFontMetrics metrics = RVXFileLb->fontMetrics();
    RVXFileLb->setText(ShortPathText(path, RVXFileLb->width(),
                                     [&metrics](const QString &text) { return metrics.horizontalAdvance(text); }));
}

int TWEBServerDefMainF::currentUserGridRow() const
{
    return selectedRow(UG) + 1;
}

void TWEBServerDefMainF::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The first showing may ask for a project name, which needs the window on the screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const ReloadOnExit reload(*this);
            runGuarded(m_prompt, [this] { m_workspace.FormShow(); });
        },
        Qt::QueuedConnection);
}

void TWEBServerDefMainF::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    showExecFile();
}

void TWEBServerDefMainF::closeEvent(QCloseEvent *event)
{
    bool close = false;
    runGuarded(m_prompt, [&] {
        const ReloadOnExit reload(*this);
        close = m_workspace.FormClose();
    });
    if (close)
        event->accept();
    else
        event->ignore();
}

void TWEBServerDefMainF::Neu1Click()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().Neu1Click();
}

void TWEBServerDefMainF::ffnen1Click()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().ffnen1Click();
}

void TWEBServerDefMainF::Speichern1Click()
{
    const ReloadOnExit reload(*this);
    m_workspace.Speichern1Click();
}

void TWEBServerDefMainF::ChangeNameClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().ChangeNameClick();
}

void TWEBServerDefMainF::KopierenClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().KopierenClick();
}

void TWEBServerDefMainF::ReadRVXMnClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.ReadRVXMnClick();
}

void TWEBServerDefMainF::ReassignMnClick()
{
    const std::unique_ptr<ReassignChoices> choices = m_workspace.ReassignMnClick();
    if (!choices)
        return;
    TReassignF dialog(*choices, m_workspace.pageSession(), m_prompt, this);
    // What is left shows in the check once the pages are written.
    if (dialog.exec() == QDialog::Accepted && m_workspace.applyReassignment(*choices))
        CheckProjectMnClick();
}

void TWEBServerDefMainF::CheckProjectMnClick()
{
    CheckF->setFindings(m_workspace.CheckProjectClick().findings);
    CheckF->show();
    CheckF->raise();
}

void TWEBServerDefMainF::CheckPageChosen(const QString &page)
{
    const ReloadOnExit reload(*this);
    if (m_workspace.editPageNamed(page, m_editor))
        CheckF->setFindings(m_workspace.CheckProjectClick().findings);
}

void TWEBServerDefMainF::UpdateMpClick()
{
    m_workspace.StartUpdater(u"m"_s);
}

void TWEBServerDefMainF::Beenden1Click()
{
    close();
}

void TWEBServerDefMainF::Hilfetexte1Click()
{
    if (!m_workspace.openHelpFile())
        HelpF->showChapter(Workspace::HelpKeyword.toLower());
}

// The menu item stays hidden: there is no download page to open.
void TWEBServerDefMainF::InternetUpdate1Click() {}

void TWEBServerDefMainF::Info1Click()
{
    InfoF->exec();
}

void TWEBServerDefMainF::NewSiteBtnClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.NewSiteBtnClick(m_editor);
}

void TWEBServerDefMainF::WorkSiteBtnClick()
{
    const ReloadOnExit reload(*this);
    const int row = m_workspace.WorkSiteBtnClick(selectedRow(SiteBox), m_editor);
    if (row >= 0)
        SiteBox->setCurrentRow(row);
}

void TWEBServerDefMainF::DelSiteBtnClick()
{
    const ReloadOnExit reload(*this);
    const int row = selectedRow(SiteBox);
    const qsizetype pages = m_workspace.model().Sites.size();
    m_workspace.DelSiteBtnClick(row);
    // The deleted entry leaves no selection behind.
    if (m_workspace.model().Sites.size() < pages)
        SiteBox->setCurrentRow(-1);
}

bool TWEBServerDefMainF::SiteBoxKeyPress(const QKeyEvent &key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool edit = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!plain || (!edit && key.key() != Qt::Key_Delete))
        return false;
    // Only on a selected page: the buttons would take the first page or say that none is selected.
    // The key goes no further either way, so Enter starts nothing else.
    if (selectedRow(SiteBox) >= 0)
        runGuarded(m_prompt, [this, edit] { edit ? WorkSiteBtnClick() : DelSiteBtnClick(); });
    return true;
}

void TWEBServerDefMainF::RefreshBtClick()
{
    m_workspace.RefreshAllPages();
}

void TWEBServerDefMainF::TakePageClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.TakePageClick(selectedRow(SiteBox));
}

void TWEBServerDefMainF::SearchDirBtnClick()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().SearchDirBtnClick();
}

void TWEBServerDefMainF::DirDatEdtExit()
{
    const ReloadOnExit reload(*this);
    m_workspace.operations().DirDatEdtExit();
}

void TWEBServerDefMainF::AuthMsgEdtEnter()
{
    m_workspace.model().IsChanged = true;
}

void TWEBServerDefMainF::UGEnter()
{
    m_workspace.model().IsChanged = true;
}

void TWEBServerDefMainF::UGSelectCell(int row, int /*column*/)
{
    ::UGSelectCell(m_workspace.model(), row + 1);
    btAddUser->setVisible(m_workspace.model().AddUserVisible);
}

void TWEBServerDefMainF::UGSetEditText(int row, int column)
{
    ProjectModel &model = m_workspace.model();
    if (row < 0 || row >= model.Users.size())
        return;
    const QTableWidgetItem *item = UG->item(row, column);
    const QString text = item ? item->text() : QString();
    UserRow &user = model.Users[row];
    (column == 0 ? user.User : column == 1 ? user.Password : user.StartPage) = text;
}

void TWEBServerDefMainF::btAddUserClick()
{
    const ReloadOnExit reload(*this);
    AddUserRow(m_workspace.model());
}

void TWEBServerDefMainF::DeleteUserBtClick()
{
    const ReloadOnExit reload(*this);
    DeleteUserRow(m_workspace.model(), currentUserGridRow(), m_prompt);
}

void TWEBServerDefMainF::AddToListBtClick()
{
    const ReloadOnExit reload(*this);
    AddFreeIP(m_workspace.model(), m_prompt);
}

void TWEBServerDefMainF::DeleteIPBtClick()
{
    const ReloadOnExit reload(*this);
    DeleteFreeIP(m_workspace.model(), selectedRow(FreeIPsLB), m_prompt);
}

void TWEBServerDefMainF::AutoHandyDetectCBClick()
{
    m_workspace.model().AutoHandyDetect = AutoHandyDetectCB->isChecked();
    applyWidthRule();
}

void TWEBServerDefMainF::FixWidthLbDblClick()
{
    const ReloadOnExit reload(*this);
    ToggleTestMode(m_workspace.model());
}
