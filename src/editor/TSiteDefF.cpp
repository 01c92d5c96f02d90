#include "editor/TSiteDefF.h"

#include "dialogs/WidgetHelpers.h"
#include "editor/FileViewTab.h"
#include "editor/HTMLCodeTab.h"
#include "editor/NavigationTab.h"
#include "editor/ObjekteTab.h"
#include "editor/PreviewTab.h"
#include "editor/SeitenLayoutTab.h"
#include "page/Messages.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"
#include "text/Prompt.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr QSize MinimumSize(885, 510);

const QString UndoCaption = u"Rückgängig"_s;
const QString RedoCaption = u"Wiederholen"_s;

// Whether a text field can undo (or redo) typing of its own.
bool fieldCanUndo(QObject *field, bool redo)
{
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
        field = spin->findChild<QLineEdit *>();
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return redo ? edit->isRedoAvailable() : edit->isUndoAvailable();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(field))
        return redo ? edit->document()->isRedoAvailable() : edit->document()->isUndoAvailable();
    return false;
}

// Where the desktop has no icon theme (Windows, a bare Linux): an arrow turning back to the left
// for undo, mirrored for redo, in the text colour, at the sizes tool buttons ask for.
QIcon turnBackIcon(bool mirrored)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        if (mirrored) {
            painter.translate(size, 0);
            painter.scale(-1, 1);
        }
        painter.scale(size / 24.0, size / 24.0);
        const QColor colour = QApplication::palette().color(QPalette::ButtonText);
        QPen pen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        // The bow: from the arrow's point on the left over to the right and down.
        QPainterPath bow;
        bow.moveTo(6, 9);
        bow.lineTo(14, 9);
        bow.cubicTo(18.5, 9, 20.5, 12, 20.5, 14.5);
        bow.cubicTo(20.5, 17, 18.5, 20, 14, 20);
        bow.lineTo(10, 20);
        painter.drawPath(bow);
        QPainterPath head;
        head.moveTo(10, 4);
        head.lineTo(4, 9);
        head.lineTo(10, 14);
        painter.drawPath(head);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool isRedoKey(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Redo) || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}
} // namespace

TSiteDefF::TSiteDefF(PageEditSession &session, Prompt &prompt, Launcher *launcher, QWidget *parent)
    : QDialog(parent), m_session(session), m_prompt(prompt)
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
    SeitenLayout = new SeitenLayoutTab(m_session, m_prompt);
    PageNameEdt = SeitenLayout->pageNameEdit();
    Objekte = new ObjekteTab(m_session, m_prompt);
    Navigation = new NavigationTab(m_session, m_prompt, launcher);
    HTMLCode = new HTMLCodeTab(m_session);
    PageControl->addTab(SeitenLayout, u"Seitenlayout"_s);
    PageControl->addTab(Objekte, u"Objekte"_s);
    PageControl->addTab(Navigation, u"Navigation"_s);
    PageControl->addTab(HTMLCode, u"HTML-Einfügungen"_s);
    // Beside the page's own tabs: how it will look, and the file OK will write.
    Preview = new PreviewTab(m_session, PageControl);
    FileView = new FileViewTab(m_session, PageControl);
    PageControl->addTab(Preview, u"Vorschau"_s);
    PageControl->addTab(FileView, u"Datei-Ansicht"_s);
    m_currentTab = SeitenLayout;

    buildUndoButtons();
    OKBtn = named<QPushButton>(u"OKBtn"_s, u"OK"_s);
    OKBtn->setDefault(true);
    CancelBtn = named<QPushButton>(u"CancelBtn"_s, u"Abbrechen"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(UndoBtn);
    buttons->addWidget(RedoBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SiteNamPnl);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);

    connectHandlers();
    watchTextFields();
    loadFromModel();
    showHistory();
    setMinimumSize(MinimumSize);
    resize(MinimumSize.expandedTo(minimumSizeHint()));
}

TSiteDefF::~TSiteDefF()
{
    QObject::disconnect(m_focusConnection);
}

void TSiteDefF::buildUndoButtons()
{
    m_undoAction = new QAction(UndoCaption, this);
    m_undoAction->setObjectName(u"UndoAction"_s);
    m_undoAction->setIcon(QIcon::fromTheme(u"edit-undo"_s, turnBackIcon(false)));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_redoAction = new QAction(RedoCaption, this);
    m_redoAction->setObjectName(u"RedoAction"_s);
    m_redoAction->setIcon(QIcon::fromTheme(u"edit-redo"_s, turnBackIcon(true)));
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction *action : {m_undoAction, m_redoAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    UndoBtn = named<QToolButton>(u"UndoBtn"_s);
    RedoBtn = named<QToolButton>(u"RedoBtn"_s);
    UndoBtn->setDefaultAction(m_undoAction);
    RedoBtn->setDefaultAction(m_redoAction);
    UndoBtn->setAccessibleName(UndoCaption);
    RedoBtn->setAccessibleName(RedoCaption);
}

void TSiteDefF::connectHandlers()
{
    connectGuarded(m_prompt, OKBtn, &QPushButton::clicked, this, &TSiteDefF::OKBtnClick);
    connectGuarded(m_prompt, CancelBtn, &QPushButton::clicked, this, &TSiteDefF::reject);
    connectGuarded(m_prompt, m_undoAction, &QAction::triggered, this, &TSiteDefF::UndoBtnClick);
    connectGuarded(m_prompt, m_redoAction, &QAction::triggered, this, &TSiteDefF::RedoBtnClick);
    QObject::connect(&m_session, &PageEditSession::historyChanged, this, &TSiteDefF::showHistory);
    // The typed name goes straight to the session, which OK checks and saves under.
    QObject::connect(PageNameEdt, &QLineEdit::textChanged, this,
                     [this](const QString &t) { m_session.setNameText(t); });
    m_focusConnection = connectGuarded(m_prompt, qApp, &QApplication::focusChanged, this, &TSiteDefF::focusMoved);
    connectGuarded(m_prompt, PageControl, &QTabWidget::currentChanged, this, &TSiteDefF::PageControlChange);
}

void TSiteDefF::watchTextFields()
{
    for (QWidget *field : findChildren<QWidget *>())
        watchTextField(field);
}

void TSiteDefF::watchTextField(QWidget *field)
{
    // Installing the filter again only moves it to the front of the field's filters.
    if (qobject_cast<QLineEdit *>(field) || qobject_cast<QPlainTextEdit *>(field) ||
        qobject_cast<QAbstractSpinBox *>(field))
        field->installEventFilter(this);
}

bool TSiteDefF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    // A field takes the keys while it has typing of its own to undo or redo; otherwise they
    // reach this window's actions and undo the page's last step.
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = !undo && isRedoKey(key);
    if ((undo || redo) && !fieldCanUndo(watched, redo)) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSiteDefF::loadFromModel()
{
    {
        const QSignalBlocker blocker(PageNameEdt);
        PageNameEdt->setText(m_session.nameText());
    }
    SeitenLayout->loadFromModel();
    Objekte->loadFromModel();
    Navigation->loadFromModel();
    HTMLCode->loadFromModel();
}

void TSiteDefF::reloadPage()
{
    if (PageNameEdt->text() != m_session.nameText()) {
        const QSignalBlocker blocker(PageNameEdt);
        PageNameEdt->setText(m_session.nameText());
        SiteNamPnl->setText(m_session.nameText());
    }
    SeitenLayout->reloadPage();
    Objekte->reloadPage();
    Navigation->reloadPage();
    HTMLCode->reloadPage();
    if (Preview->isVisible())
        Preview->refresh();
    if (FileView->isVisible())
        FileView->refresh();
}

void TSiteDefF::showHistory()
{
    const auto show = [](QAction *action, const QString &caption, bool can, const QString &step) {
        action->setEnabled(can);
        action->setToolTip(can ? caption + u": "_s + step : caption);
    };
    show(m_undoAction, UndoCaption, m_session.canUndo(), m_session.undoStepName());
    show(m_redoAction, RedoCaption, m_session.canRedo(), m_session.redoStepName());
}

void TSiteDefF::focusMoved(QWidget *from, QWidget *to)
{
    // A control is entered when the focus moves into it from another control of this window; the
    // focus placed when the window is shown, or coming back with the window, is no entry.
    if (!from || !to || from->window() != this || to->window() != this)
        return;
    // The field typed in is left: its typing is one step.
    m_session.endTyping();
    // A grid's cell editor is made only when editing starts.
    watchTextField(to);
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

std::optional<QString> TSiteDefF::editPage(const PageHandOver &page)
{
    FormShow(page);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_session.document().name;
}

void TSiteDefF::FormShow(const PageHandOver &page)
{
    // A page whose reading failed has had its message; it is shown with whatever was read.
    runGuarded(m_prompt, [&] { m_session.begin(page, m_prompt); });
    loadFromModel();
    showHistory();
    SiteNamPnl->setText(PageNameEdt->text());
    PageControl->setCurrentWidget(SeitenLayout);
    PageNameEdt->setFocus();
}

void TSiteDefF::OKBtnClick()
{
    auto check = PageEditSession::NameCheck::Empty; // stays so when saving ends before the name check
    auto result = PageEditSession::SaveResult::NotWritten;
    {
        // The field shows the trimmed name, and the panel an accepted one, also after an error.
        const auto showName = qScopeGuard([&] {
            const QSignalBlocker blocker(PageNameEdt);
            PageNameEdt->setText(m_session.nameText());
            if (check == PageEditSession::NameCheck::Ok)
                SiteNamPnl->setText(m_session.nameText());
        });
        result = m_session.save(m_prompt, &check);
    }
    SeitenLayout->showAutoRefresh(); // saving may have switched it off
    if (result == PageEditSession::SaveResult::Saved) {
        QDialog::accept();
    } else if (result == PageEditSession::SaveResult::NameRefused) {
        PageControl->setCurrentWidget(SeitenLayout);
        PageNameEdt->setFocus();
        m_prompt.error(PageEditSession::nameCheckMessage(check));
    }
}

void TSiteDefF::reject()
{
    bool close = false;
    runGuarded(m_prompt, [&] { close = FormClose(); });
    if (!close)
        return;
    m_session.finish();
    QDialog::reject();
}

bool TSiteDefF::FormClose()
{
    return m_session.closeQuery(m_prompt);
}

void TSiteDefF::PageNameEdtEnter()
{
    m_session.markChanged();
}

void TSiteDefF::PageNameEdtExit()
{
    SiteNamPnl->setText(PageNameEdt->text());
}

void TSiteDefF::UndoBtnClick()
{
    // A link being edited is ended by its own OK or Abbruch first; undo would drop it unseen.
    if (Navigation->isEditingLink()) {
        m_prompt.beep();
        return;
    }
    m_session.undo();
    reloadPage();
}

void TSiteDefF::RedoBtnClick()
{
    if (Navigation->isEditingLink()) {
        m_prompt.beep();
        return;
    }
    m_session.redo();
    reloadPage();
}
