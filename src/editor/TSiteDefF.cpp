#include "editor/TSiteDefF.h"

#include "dialogs/WidgetHelpers.h"
#include "editor/FileViewTab.h"
#include "editor/HTMLCodeTab.h"
#include "editor/PreviewTab.h"
#include "editor/NavigationTab.h"
#include "editor/ObjekteTab.h"
#include "editor/SeitenLayoutTab.h"
#include "page/Messages.h"
#include "page/PageModel.h"
#include "text/Guard.h"
#include "text/Prompt.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr QSize MinimumSize(885, 510);
} // namespace

TSiteDefF::TSiteDefF(Workspace &workspace, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_prompt(prompt)
{
    setObjectName(u"SiteDefF"_s);
    setWindowTitle(PageMessages::EditorCaption);
    setModal(true);

    SiteNamPnl = named<QLabel>(u"SiteNamPnl"_s);
    SiteNamPnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SiteNamPnl->setAlignment(Qt::AlignCenter);
    SiteNamPnl->setMinimumHeight(32);
    QFont bold = SiteNamPnl->font();
    bold.setBold(true);
    SiteNamPnl->setFont(bold);

    PageControl = named<QTabWidget>(u"PageControl"_s);
    SeitenLayout = new SeitenLayoutTab(page(), m_prompt);
    PageNameEdt = SeitenLayout->pageNameEdit();
    Objekte = new ObjekteTab(page(), m_prompt);
    Navigation = new NavigationTab(page(), m_prompt, m_workspace);
    HTMLCode = new HTMLCodeTab(page());
    PageControl->addTab(SeitenLayout, u"Seitenlayout"_s);
    PageControl->addTab(Objekte, u"Objekte"_s);
    PageControl->addTab(Navigation, u"Navigation"_s);
    PageControl->addTab(HTMLCode, u"HTML-Einfügungen"_s);
    // Beside the page's own tabs: how it will look, and the file OK will write.
    PageControl->addTab(new PreviewTab(page(), PageControl), u"Vorschau"_s);
    PageControl->addTab(new FileViewTab(page(), PageControl), u"Datei-Ansicht"_s);
    m_currentTab = SeitenLayout;

    OKBtn = named<QPushButton>(u"OKBtn"_s, u"OK"_s);
    OKBtn->setDefault(true);
    CancelBtn = named<QPushButton>(u"CancelBtn"_s, u"Abbrechen"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SiteNamPnl);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);

    connectHandlers();
    loadFromModel();
    setMinimumSize(MinimumSize);
    resize(MinimumSize.expandedTo(minimumSizeHint()));
}

TSiteDefF::~TSiteDefF()
{
    QObject::disconnect(m_focusConnection);
}

void TSiteDefF::connectHandlers()
{
    connectGuarded(m_prompt, OKBtn, &QPushButton::clicked, this, &TSiteDefF::OKBtnClick);
    connectGuarded(m_prompt, CancelBtn, &QPushButton::clicked, this, &TSiteDefF::reject);
    // The typed name goes straight into the model, which OK checks and saves under.
    QObject::connect(PageNameEdt, &QLineEdit::textChanged, this, [this](const QString &t) { page().PageNameText = t; });
    m_focusConnection = connectGuarded(m_prompt, qApp, &QApplication::focusChanged, this, &TSiteDefF::focusMoved);
    connectGuarded(m_prompt, PageControl, &QTabWidget::currentChanged, this, &TSiteDefF::PageControlChange);
}

PageModel &TSiteDefF::page() const
{
    return m_workspace.pageModel();
}

void TSiteDefF::loadFromModel()
{
    const QSignalBlocker blocker(PageNameEdt);
    PageNameEdt->setText(page().PageNameText);
    SeitenLayout->loadFromModel();
    Objekte->loadFromModel();
    Navigation->loadFromModel();
    HTMLCode->loadFromModel();
}

void TSiteDefF::focusMoved(QWidget *from, QWidget *to)
{
    // A control is entered when the focus moves into it from another control of this window; the
    // focus placed when the window is shown, or coming back with the window, is no entry.
    if (!from || !to || from->window() != this || to->window() != this)
        return;
    if (focusEnters(from, to, PageNameEdt))
        PageNameEdtEnter();
    // Every loss of the focus, whether or not the text changed since the last one.
    if (focusLeaves(from, to, PageNameEdt))
        PageNameEdtExit();
    SeitenLayout->focusMoved(from, to);
    Objekte->focusMoved(from, to);
    if (focusLeaves(from, to, Navigation))
        Navigation->NavigationExit();
    HTMLCode->focusMoved(from, to);
    // Entering the HTML inserts may have switched automatic refresh off.
    SeitenLayout->showAutoRefresh();
}

void TSiteDefF::PageControlChange(int index)
{
    QWidget *left = std::exchange(m_currentTab, PageControl->widget(index));
    if (left == Navigation)
        Navigation->NavigationExit();
    if (m_currentTab == HTMLCode)
        HTMLCode->HTMLCodeEnter();
    SeitenLayout->showAutoRefresh();
}

bool TSiteDefF::showPageEditor()
{
    FormShow();
    return exec() == QDialog::Accepted;
}

void TSiteDefF::FormShow()
{
    // A page whose reading failed has had its message; it is shown with whatever was read.
    runGuarded(m_prompt, [this] { page().prepareShow(m_workspace.model().Sites, m_prompt); });
    loadFromModel();
    SiteNamPnl->setText(PageNameEdt->text());
    PageControl->setCurrentWidget(SeitenLayout);
    PageNameEdt->setFocus();
}

void TSiteDefF::OKBtnClick()
{
    PageModel &model = page();
    auto check = PageModel::NameCheck::Empty; // stays so when saving ends before the name check
    auto result = PageModel::SaveResult::NotWritten;
    {
        // The field shows the trimmed name, and the panel an accepted one, also after an error.
        const auto showName = qScopeGuard([&] {
            const QSignalBlocker blocker(PageNameEdt);
            PageNameEdt->setText(model.PageNameText);
            if (check == PageModel::NameCheck::Ok)
                SiteNamPnl->setText(model.PageNameText);
        });
        result = model.OKBtnClick(m_workspace.model().Sites, m_prompt, &check);
    }
    SeitenLayout->showAutoRefresh(); // saving may have switched it off
    if (result == PageModel::SaveResult::Saved) {
        QDialog::accept();
    } else if (result == PageModel::SaveResult::NameRefused) {
        PageControl->setCurrentWidget(SeitenLayout);
        PageNameEdt->setFocus();
        m_prompt.error(PageModel::nameCheckMessage(check));
    }
}

void TSiteDefF::reject()
{
    bool close = false;
    runGuarded(m_prompt, [&] { close = FormClose(); });
    if (close)
        QDialog::reject();
}

bool TSiteDefF::FormClose()
{
    return page().FormCloseQuery(m_prompt);
}

void TSiteDefF::PageNameEdtEnter()
{
    page().IsChanged = true;
}

void TSiteDefF::PageNameEdtExit()
{
    SiteNamPnl->setText(PageNameEdt->text());
}
