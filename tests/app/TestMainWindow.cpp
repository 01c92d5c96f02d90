#include "app/TWEBServerDefMainF.h"
#include "support/AccessibleNames.h"
#include "support/FileBytes.h"
#include "support/ExecFileFixture.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompt.h"
#include "catalogue/RvxReader.h"
#include "dialogs/THelpF.h"
#include "text/Launcher.h"
#include "workspace/AppState.h"
#include "workspace/PageEditorView.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {
// The page list's editor in these tests: counts its showings, keeps the page it was handed last
// and saves nothing.
class CountingEditor : public PageEditorView
{
public:
    int shown = 0;
    PageHandOver last;
    std::optional<QString> editPage(const PageHandOver &page) override
    {
        ++shown;
        last = page;
        return std::nullopt;
    }
};
} // namespace

// The main window built offscreen, driven through its controls, checked on the model and files.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionsAreExact_data();
    void captionsAreExact();
    void tabsAndStartState();
    void saveWritesTheFileAndClearsIsChanged();
    void closingWithChangesAsksAndCancelKeepsTheWindowOpen();
    void enteringPromptOrGridMarksChanged();
    void userGridRowsAndAddButton();
    void ipListThroughTheControls();
    void pageListActsOnTheSelection_data();
    void pageListActsOnTheSelection();
    void pageButtonsAndDoubleClickOpenTheEditor();
    void keysRunTheirHandlers_data();
    void keysRunTheirHandlers();
    void autoWidthDisablesTheWidthControls();
    void testModeSwitchTwiceLeavesItOff();
    void executionFileShownShortened();
    void executionFileNoticeOrPath_data();
    void executionFileNoticeOrPath();
    void infoHelpAndUpdater();
    void projectCheckOpensThePage();

private:
    template <typename T> T *child(const TWEBServerDefMainF &window, const QString &name)
    {
        T *found = window.findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<RecordingLauncher> m_launcher;
    std::unique_ptr<Workspace> m_workspace;
    CountingEditor m_editor;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_launcher = std::make_unique<RecordingLauncher>();
    m_editor.shown = 0;
    m_editor.last = PageHandOver();
    m_workspace = std::make_unique<Workspace>(*m_state, *m_prompt, nullptr, Workspace::BrowserLookup(), m_launcher.get());
}

void TestMainWindow::cleanup()
{
    QVERIFY2(m_prompt->verifyDone(), qPrintable(m_prompt->problems().join(u'\n')));
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
}

void TestMainWindow::captionsAreExact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const std::pair<const char16_t *, const char16_t *> items[] = {
        {u"Neu1", u"&Neu..."},
        {u"ffnen1", u"Ö&ffnen..."},
        {u"Speichern1", u"&Speichern"},
        {u"ChangeName", u"N&amen ändern..."},
        {u"Kopieren", u"&Kopieren.."},
        {u"ReadRVXMn", u"Ausführung&dsdatei lesen..."},
        {u"UpdateMp", u"&Update..."},
        {u"Beenden1", u"B&eenden"},
        {u"Hilfetexte1", u"Hilfetexte..."},
        {u"InternetUpdate1", u"Internet..."},
        {u"Info1", u"Info"},
        {u"NewSiteBtn", u"&Neue Seite"},
        {u"WorkSiteBtn", u"Seite &bearbeiten"},
        {u"DelSiteBtn", u"Seite &löschen"},
        {u"RefreshBt", u"Alle Seiten &aktualisieren"},
        {u"TakePage", u"->"},
        {u"SearchDirBtn", u"..."},
        {u"DeleteUserBt", u"Zeile &löschen"},
        {u"btAddUser", u"+"},
        {u"AutoHandyDetectCB", u"Automatische Seitenanpassung für mobile Geräte"},
        {u"NoAutoScaleCB", u"Skalierung deaktivieren"},
        {u"FixWidthLb", u"feste Darstellungsbreite des Browsers in Pixeln"},
        {u"RVXFileLb", u"Keine Ausführungsdatei gelesen"},
    };
    for (const auto &[name, caption] : items)
        QTest::newRow(qPrintable(QString::fromUtf16(name))) << QString::fromUtf16(name) << QString::fromUtf16(caption);
}

void TestMainWindow::captionsAreExact()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    QObject *object = window.findChild<QObject *>(name);
    QVERIFY2(object, qPrintable(name));
    if (auto *action = qobject_cast<QAction *>(object))
        QCOMPARE(action->text(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(object))
        QCOMPARE(button->text(), caption);
    else if (auto *label = qobject_cast<QLabel *>(object))
        QCOMPARE(label->text(), caption);
    else
        QFAIL("unexpected kind of control");
}

void TestMainWindow::tabsAndStartState()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *qw = child<QTabWidget>(window, u"qw"_s);
    QStringList tabs;
    for (int i = 0; i < qw->count(); ++i)
        tabs.append(qw->tabText(i));
    QCOMPARE(tabs, QStringList({u"Seitendefinitionen"_s, u"Benutzer und Startseiten"_s, u"IPs ohne Kennwortabfrage"_s,
                                u"Allgemein"_s}));
    QCOMPARE(qw->currentWidget()->objectName(), u"SiteDefPg"_s);

    QStringList menus;
    for (QAction *action : window.menuBar()->actions())
        menus.append(action->text());
    QCOMPARE(menus, QStringList({u"Datei"_s, u"Hilfe"_s}));
    QVERIFY(!child<QAction>(window, u"InternetUpdate1"_s)->isVisible());
    QVERIFY(child<QLabel>(window, u"DescIPListLb"_s)->text().startsWith(u"Für die IPs, die in dieser Liste"_s));
    QVERIFY(child<QLabel>(window, u"DescIPListLb"_s)->text().endsWith(u"den Kennwortschutz zu deaktivieren."_s));
    QCOMPARE(child<QToolButton>(window, u"AddToListBt"_s)->toolTip(), u"IP zu Liste zufügen"_s);
    QCOMPARE(controlsWithoutAccessibleName(window), QStringList());
    QCOMPARE(child<QToolButton>(window, u"DeleteIPBt"_s)->toolTip(), u"IP entfernen"_s);

    auto *grid = child<QTableWidget>(window, u"UG"_s);
    QCOMPARE(grid->rowCount(), 6);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), u"Benutzer"_s);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), u"Kennwort"_s);
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), u"Startseite"_s);
    QCOMPARE(grid->currentRow(), 0);
    QVERIFY(child<QPushButton>(window, u"btAddUser"_s)->isHidden());
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

void TestMainWindow::saveWritesTheFileAndClearsIsChanged()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"Haus"_s;
    m_state->DataFolder = m_dir->path();
    m_workspace->model().Sites = {u"Haus"_s, u"Garten"_s};
    window.loadFromModel();

    QTest::keyClicks(child<QLineEdit>(window, u"AuthMsgEdt"_s), u"  Bitte anmelden "_s);
    QTest::keyClicks(child<QLineEdit>(window, u"StartPageEdt"_s), u"Haus"_s);
    auto *grid = child<QTableWidget>(window, u"UG"_s);
    grid->item(0, 0)->setText(u"anna"_s);
    grid->item(0, 1)->setText(u"geheim"_s);
    child<QSpinBox>(window, u"BrowserWidthSE"_s)->setValue(800);
    m_workspace->model().IsChanged = true;

    child<QAction>(window, u"Speichern1"_s)->trigger();

    QFile project(m_dir->filePath(u"Haus.FNP"_s));
    QVERIFY(project.open(QIODevice::ReadOnly));
    // Without settings the data folder proposed is one in the documents folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(project.readAll(), "FILEVERS=140\r\nAUTHMSG=Bitte anmelden\r\nSTARTPAGE=Haus\r\nFREEIPS=\r\n"
                                "*Site=Haus\r\n*Site=Garten\r\nDIRDAT=" +
                                    shown(documents + u"/Fennaro WebDef"_s).toUtf8() + "\r\nBW=800\r\nRVXFile=\r\n");
    QFile users(m_dir->filePath(u"Haus_WEBUSERS.USR"_s));
    QVERIFY(users.open(QIODevice::ReadOnly));
    QCOMPARE(users.readAll(), QByteArray("anna;geheim;\r\n"));
    QVERIFY(!m_workspace->model().IsChanged);
    QCOMPARE(child<QLabel>(window, u"HeadPnl"_s)->text(), u"Haus"_s);
    QCOMPARE(child<QLineEdit>(window, u"AuthMsgEdt"_s)->text(), u"Bitte anmelden"_s);
}

void TestMainWindow::closingWithChangesAsksAndCancelKeepsTheWindowOpen()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"Haus"_s; // no new-project question at the first showing
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    m_workspace->model().IsChanged = true;
    const QString question = u"Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?"_s;
    m_prompt->expectYesNoCancel(question, Prompt::Answer::Cancel);
    child<QAction>(window, u"Beenden1"_s)->trigger();
    QVERIFY(window.isVisible());

    m_prompt->expectYesNoCancel(question, Prompt::Answer::No);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QVERIFY(!QFile::exists(m_dir->filePath(u"Haus.FNP"_s)));
}

void TestMainWindow::enteringPromptOrGridMarksChanged()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"P"_s;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    child<QTabWidget>(window, u"qw"_s)->setCurrentIndex(1);
    auto *grid = child<QTableWidget>(window, u"UG"_s);
    child<QLineEdit>(window, u"StartPageEdt"_s)->setFocus();
    m_workspace->model().IsChanged = false;

    child<QLineEdit>(window, u"AuthMsgEdt"_s)->setFocus();
    QVERIFY(m_workspace->model().IsChanged);

    m_workspace->model().IsChanged = false;
    grid->setFocus();
    QVERIFY(m_workspace->model().IsChanged);

    // Moving into a cell editor of the grid stays inside it.
    m_workspace->model().IsChanged = false;
    grid->editItem(grid->item(0, 0));
    QVERIFY(QApplication::focusWidget() != grid);
    QVERIFY(grid->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(!m_workspace->model().IsChanged);

    // Leaving the data folder field takes the folder (one trailing delimiter dropped), also unchanged.
    child<QTabWidget>(window, u"qw"_s)->setCurrentIndex(0);
    auto *folder = child<QLineEdit>(window, u"DirDatEdt"_s);
    folder->setFocus();
    folder->setText(u"/daten/"_s);
    m_workspace->model().IsChanged = false;
    child<QLineEdit>(window, u"StartPageEdt"_s)->setFocus();
    QCOMPARE(m_state->DataFolder, shown(u"/daten"_s));
    QVERIFY(m_workspace->model().IsChanged);
    m_workspace->model().IsChanged = false;
    folder->setFocus();
    child<QLineEdit>(window, u"StartPageEdt"_s)->setFocus();
    QVERIFY(m_workspace->model().IsChanged);
    window.hide();
}

void TestMainWindow::userGridRowsAndAddButton()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *grid = child<QTableWidget>(window, u"UG"_s);
    auto *add = child<QPushButton>(window, u"btAddUser"_s);
    for (int r = 0; r < 6; ++r)
        grid->item(r, 0)->setText(u"u%1"_s.arg(r + 1));

    grid->setCurrentCell(4, 0); // fifth user row
    QVERIFY(add->isHidden());
    grid->setCurrentCell(5, 1); // sixth user row
    QVERIFY(!add->isHidden());
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(grid->rowCount(), 7);

    grid->setCurrentCell(1, 0);
    QTest::mouseClick(child<QPushButton>(window, u"DeleteUserBt"_s), Qt::LeftButton);
    QCOMPARE(grid->rowCount(), 6);
    QStringList names;
    for (const UserRow &row : m_workspace->model().Users)
        names.append(row.User);
    QCOMPARE(names, QStringList({u"u1"_s, u"u3"_s, u"u4"_s, u"u5"_s, u"u6"_s, QString()}));
    QCOMPARE(grid->item(1, 0)->text(), u"u3"_s);
    QVERIFY(!add->isHidden());
}

void TestMainWindow::ipListThroughTheControls()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *edit = child<QLineEdit>(window, u"NewIPEd"_s);
    auto *list = child<QListWidget>(window, u"FreeIPsLB"_s);
    QTest::keyClicks(edit, u"192.168.0.10"_s);
    QTest::mouseClick(child<QToolButton>(window, u"AddToListBt"_s), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), u"192.168.0.10"_s);
    QVERIFY(edit->text().isEmpty());
    QVERIFY(m_workspace->model().IsChanged);

    QTest::keyClicks(edit, u"192.168.0.10"_s);
    m_prompt->expectBeep();
    QTest::mouseClick(child<QToolButton>(window, u"AddToListBt"_s), Qt::LeftButton);
    QCOMPARE(edit->text(), u"192.168.0.10"_s);

    list->setCurrentRow(-1);
    m_prompt->expectWarning(u"Kein Eintrag ausgewählt"_s);
    QTest::mouseClick(child<QToolButton>(window, u"DeleteIPBt"_s), Qt::LeftButton);
    list->setCurrentRow(0);
    QTest::mouseClick(child<QToolButton>(window, u"DeleteIPBt"_s), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
}

void TestMainWindow::pageListActsOnTheSelection_data()
{
    QTest::addColumn<QString>("select"); // "tab": Tab into the list, nothing selected; "click": click "Garten"
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer"); // to the delete question; -1: none asked
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<QString>("edited");

    const QStringList both{u"Haus"_s, u"Garten"_s};
    const QString none = u"Kein Eintrag ausgewählt"_s;
    QTest::newRow("tab in, delete") << u"tab"_s << u"DelSiteBtn"_s << -1 << none << both << QString() << QString();
    QTest::newRow("tab in, take") << u"tab"_s << u"TakePage"_s << -1 << none << both << QString() << QString();
    QTest::newRow("tab in, edit takes the first")
        << u"tab"_s << u"WorkSiteBtn"_s << -1 << QString() << both << QString() << u"Haus"_s;
    QTest::newRow("clicked, delete answered No")
        << u"click"_s << u"DelSiteBtn"_s << int(Prompt::Answer::No) << QString() << both << QString() << QString();
    QTest::newRow("clicked, delete answered Yes") << u"click"_s << u"DelSiteBtn"_s << int(Prompt::Answer::Yes)
                                                  << QString() << QStringList{u"Haus"_s} << QString() << QString();
    QTest::newRow("clicked, take") << u"click"_s << u"TakePage"_s << -1 << QString() << both << u"Garten"_s
                                   << QString();
    QTest::newRow("clicked, edit") << u"click"_s << u"WorkSiteBtn"_s << -1 << QString() << both << QString()
                                   << u"Garten"_s;
}

void TestMainWindow::pageListActsOnTheSelection()
{
    QFETCH(QString, select);
    QFETCH(QString, button);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, sites);
    QFETCH(QString, startPage);
    QFETCH(QString, edited);
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"Haus"_s;
    m_state->DataFolder = m_dir->path();
    m_workspace->model().Sites = {u"Haus"_s, u"Garten"_s};
    window.loadFromModel();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *list = child<QListWidget>(window, u"SiteBox"_s);
    if (select == u"tab") {
        QTabBar *tabs = child<QTabWidget>(window, u"qw"_s)->tabBar();
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);
        QVERIFY(list->selectedItems().isEmpty());
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    }
    if (!message.isEmpty())
        m_prompt->expectError(message);
    if (answer >= 0)
        m_prompt->expectYesNoDefaultNo(u"Seite „Garten“ löschen? Die Datei %1 wird sofort gelöscht."_s.arg(
                                           shown(m_dir->filePath(u"Haus_Garten.SHT"_s))),
                                       Prompt::Answer(answer));
    const int shownBefore = m_editor.shown;

    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);

    QCOMPARE(m_workspace->model().Sites, sites);
    QCOMPARE(m_workspace->model().StartPage, startPage);
    QCOMPARE(m_editor.shown - shownBefore, edited.isEmpty() ? 0 : 1);
    if (!edited.isEmpty())
        QCOMPARE(m_editor.last.page, edited);
    window.hide();
}

void TestMainWindow::pageButtonsAndDoubleClickOpenTheEditor()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_workspace->model().Sites = {u"Haus"_s, u"Garten"_s};
    window.loadFromModel();
    auto *list = child<QListWidget>(window, u"SiteBox"_s);
    m_state->ProjectName = u"Haus"_s; // no name to ask for at the first showing
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Nothing selected: the first page is edited, and selected.
    QTest::mouseClick(child<QPushButton>(window, u"WorkSiteBtn"_s), Qt::LeftButton);
    QCOMPARE(m_editor.shown, 1);
    QCOMPARE(m_editor.last.page, u"Haus"_s);
    QCOMPARE(list->currentRow(), 0);

    const QRect second = list->visualItemRect(list->item(1));
    // A double click reaches a view as press, release, double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(m_editor.shown, 2);
    QCOMPARE(m_editor.last.page, u"Garten"_s);

    // Below the entries, with the selection cleared: the first page, as the button does.
    list->clearSelection();
    const QPoint below(second.center().x(), second.bottom() + 3 * second.height());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(m_editor.shown, 3);
    QCOMPARE(m_editor.last.page, u"Haus"_s);

    QTest::mouseClick(child<QPushButton>(window, u"NewSiteBtn"_s), Qt::LeftButton);
    QCOMPARE(m_editor.shown, 4);
    QVERIFY(m_editor.last.page.isEmpty());
    // Cancelled every time: nothing changed.
    QCOMPARE(list->count(), 2);
    QVERIFY(!m_workspace->model().IsChanged);
    window.hide();
}

void TestMainWindow::keysRunTheirHandlers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("action"); // the menu item that shows the key; empty: a key of the page list
    QTest::addColumn<bool>("selected");  // "Garten" selected, else only the current row
    QTest::addColumn<QString>("focus");  // the control that has the focus
    QTest::addColumn<int>("answer");     // to the delete question; -1: none asked
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("edited"); // the page the editor is asked for; empty: not asked
    QTest::addColumn<bool>("saved");     // the project file written
    QTest::addColumn<bool>("help");      // the manual shown

    const QStringList both{u"Haus"_s, u"Garten"_s};
    const int none = Qt::NoModifier;
    const int yes = int(Prompt::Answer::Yes);
    const int no = int(Prompt::Answer::No);
    const QString list = u"SiteBox"_s;
    QTest::newRow("Strg+S saves") << int(Qt::Key_S) << int(Qt::ControlModifier) << u"Speichern1"_s << true << list << -1
                                  << both << QString() << true << false;
    QTest::newRow("F1 shows the help") << int(Qt::Key_F1) << none << u"Hilfetexte1"_s << true << list << -1 << both
                                       << QString() << false << true;
    QTest::newRow("Enter edits the selected page")
        << int(Qt::Key_Return) << none << QString() << true << list << -1 << both << u"Garten"_s << false << false;
    QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QString() << true << list
                                         << -1 << both << u"Garten"_s << false << false;
    QTest::newRow("Enter without a selection")
        << int(Qt::Key_Return) << none << QString() << false << list << -1 << both << QString() << false << false;
    QTest::newRow("Entf answered Ja") << int(Qt::Key_Delete) << none << QString() << true << list << yes
                                      << QStringList{u"Haus"_s} << QString() << false << false;
    QTest::newRow("Entf answered Nein") << int(Qt::Key_Delete) << none << QString() << true << list << no << both
                                        << QString() << false << false;
    QTest::newRow("Entf without a selection")
        << int(Qt::Key_Delete) << none << QString() << false << list << -1 << both << QString() << false << false;
    QTest::newRow("Entf in another control") << int(Qt::Key_Delete) << none << QString() << true << u"StartPageEdt"_s
                                             << -1 << both << QString() << false << false;
}

void TestMainWindow::keysRunTheirHandlers()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, action);
    QFETCH(bool, selected);
    QFETCH(QString, focus);
    QFETCH(int, answer);
    QFETCH(QStringList, sites);
    QFETCH(QString, edited);
    QFETCH(bool, saved);
    QFETCH(bool, help);
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"Haus"_s;
    m_state->DataFolder = m_dir->path();
    m_workspace->model().Sites = {u"Haus"_s, u"Garten"_s};
    window.loadFromModel();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *list = child<QListWidget>(window, u"SiteBox"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    // A current row that is not selected is no selection.
    if (!selected)
        list->clearSelection();
    QCOMPARE(list->currentRow(), 1);
    auto *target = child<QWidget>(window, focus);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    if (!action.isEmpty())
        QCOMPARE(child<QAction>(window, action)->shortcut(),
                 QKeySequence(QKeyCombination(Qt::KeyboardModifiers(modifiers), Qt::Key(key))));
    if (answer >= 0)
        m_prompt->expectYesNoDefaultNo(u"Seite „Garten“ löschen? Die Datei %1 wird sofort gelöscht."_s.arg(
                                           shown(m_dir->filePath(u"Haus_Garten.SHT"_s))),
                                       Prompt::Answer(answer));

    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(m_workspace->model().Sites, sites);
    QCOMPARE(m_editor.shown, edited.isEmpty() ? 0 : 1);
    QCOMPARE(m_editor.last.page, edited);
    QCOMPARE(QFile::exists(m_dir->filePath(u"Haus.FNP"_s)), saved);
    auto *manual = window.findChild<THelpF *>();
    QCOMPARE(manual->isVisible(), help);
    manual->close();
    window.hide();
}

void TestMainWindow::autoWidthDisablesTheWidthControls()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *box = child<QCheckBox>(window, u"AutoHandyDetectCB"_s);
    auto *spin = child<QSpinBox>(window, u"BrowserWidthSE"_s);
    auto *label = child<QLabel>(window, u"FixWidthLb"_s);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(m_workspace->model().AutoHandyDetect);
    QVERIFY(!spin->isEnabled());
    QVERIFY(!label->isEnabled());

    // Set by reading a project: the same rule.
    m_workspace->model().AutoHandyDetect = false;
    window.loadFromModel();
    QVERIFY(spin->isEnabled());
    QVERIFY(label->isEnabled());
    QVERIFY(!m_workspace->model().IsChanged);
}

void TestMainWindow::testModeSwitchTwiceLeavesItOff()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *label = child<QLabel>(window, u"FixWidthLb"_s);
    QTest::mouseDClick(label, Qt::LeftButton);
    QVERIFY(m_workspace->model().testmode);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::mouseDClick(label, Qt::LeftButton);
    QVERIFY(!m_workspace->model().testmode);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(!m_workspace->model().IsChanged);
}

void TestMainWindow::executionFileShownShortened()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    auto *label = child<QLabel>(window, u"RVXFileLb"_s);
    // Paths come in the platform's form, and are shortened after its delimiter.
    const QString longPath = shown(u"/daten/"_s + QString(200, u'x') + u"/Steuerung.RVX"_s);
    window.ShowShortPath(longPath);
    QVERIFY(label->text().startsWith(shown(u"/..."_s)));
    QVERIFY(label->text().endsWith(u"Steuerung.RVX"_s));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    window.ShowShortPath(shown(u"/d/a.RVX"_s));
    QCOMPARE(label->text(), shown(u"/d/a.RVX"_s));
}

void TestMainWindow::executionFileNoticeOrPath_data()
{
    QTest::addColumn<QStringList>("lines"); // of the execution file read; empty: none is read
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("reason"); // {F}: the file; empty: the path is shown

    QTest::newRow("nothing read") << QStringList() << false
                                  << u"Es wurde keine Ausführungsdatei gelesen. Sie wird mit „Datei / "
                                     u"Ausführungsdatei lesen...“ gewählt; bis dahin werden keine Objekte angeboten."_s;
    QTest::newRow("missing file") << QStringList{testHeader(7)} << false << u"Datei {F} nicht gefunden"_s;
    QTest::newRow("file without objects")
        << QStringList{testHeader(7)} << true << u"Die Ausführungsdatei {F} enthält keine Objekte."_s;
    QTest::newRow("objects read") << QStringList{testHeader(7), u"@OBJECT"_s, u"NA=Licht"_s} << true << QString();
}

void TestMainWindow::executionFileNoticeOrPath()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, exists);
    QFETCH(QString, reason);
    const QString file = shown(m_dir->filePath(u"Haus.RVX"_s));
    if (exists)
        QVERIFY(!writeExecFile(m_dir->path(), u"Haus.RVX"_s, lines).isEmpty());
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    if (!lines.isEmpty()) {
        if (!exists)
            m_prompt->expectError(u"Datei %1 nicht gefunden"_s.arg(file));
        ReadRVXFile(file, m_state->catalogue, *m_prompt, &m_state->ExecFileDate);
    }
    // The project names the file, whether or not its objects were read.
    m_workspace->model().RVXFileShown = file;
    window.loadFromModel();

    auto *label = child<QLabel>(window, u"RVXFileLb"_s);
    reason.replace(u"{F}"_s, file);
    // The path shortened to the label, whole in its tooltip.
    if (reason.isEmpty())
        QVERIFY2(label->text().endsWith(u"Haus.RVX"_s), qPrintable(label->text()));
    else
        QCOMPARE(label->text(), u"Keine Ausführungsdatei gelesen"_s);
    QCOMPARE(label->toolTip(), reason.isEmpty() ? file : reason);
    QCOMPARE(label->palette().color(QPalette::WindowText),
             reason.isEmpty() ? QColor(Qt::blue) : QColor(0xB0, 0x00, 0x20));
}

void TestMainWindow::infoHelpAndUpdater()
{
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    // Info: version and release; the web address opens in the browser.
    QTimer::singleShot(0, this, [&] {
        auto *info = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(info);
        QCOMPARE(info->windowTitle(), u"Info"_s);
        QCOMPARE(child<QLabel>(window, u"VersionLb"_s)->text(), u"2.2"_s);
        QCOMPARE(child<QLabel>(window, u"ReleaseLb"_s)->text(), u"200910"_s);
        QTest::mouseClick(child<QLabel>(window, u"WebLinkLb"_s), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, u"OKBtn"_s), Qt::LeftButton);
    });
    child<QAction>(window, u"Info1"_s)->trigger();
    QCOMPARE(m_launcher->opened, QStringList{u"https://www.fennaro.example/webdef"_s});

    // Without a compiled help file the manual opens at the chapter WEB-Server.
    child<QAction>(window, u"Hilfetexte1"_s)->trigger();
    auto *help = window.findChild<THelpF *>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser()->source().fragment(), u"web-server"_s);
    help->close();

    m_prompt->expectError(u"Datei TarvikUpdate.exe nicht gefunden"_s);
    child<QAction>(window, u"UpdateMp"_s)->trigger();
}

void TestMainWindow::projectCheckOpensThePage()
{
    // A saved project whose only page has no file.
    QFile project(m_dir->filePath(u"Haus.FNP"_s));
    QVERIFY(project.open(QIODevice::WriteOnly));
    project.write("*Site=Garten\r\nSTARTPAGE=Garten\r\n");
    project.close();
    TWEBServerDefMainF window(*m_workspace, *m_prompt, m_editor, m_dir->path());
    m_state->ProjectName = u"Haus"_s;
    m_state->DataFolder = m_dir->path();
    m_workspace->model().Sites = {u"Garten"_s};
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const int shownBefore = m_editor.shown;
    child<QAction>(window, u"CheckProjectMn"_s)->trigger();
    auto *findings = child<QListView>(window, u"FindingsLB"_s);
    QVERIFY(findings->isVisible());
    int gardenRow = -1;
    for (int row = 0; row < findings->model()->rowCount(); ++row) {
        if (findings->model()->index(row, 0).data().toString().contains(u"Garten"_s))
            gardenRow = row;
    }
    QVERIFY(gardenRow >= 0);
    const QRect rect = findings->visualRect(findings->model()->index(gardenRow, 0));
    QTest::mouseClick(findings->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(findings->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(m_editor.shown, shownBefore + 1);
    QCOMPARE(m_editor.last.page, u"Garten"_s);
    findings->window()->close();
    window.hide();
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
