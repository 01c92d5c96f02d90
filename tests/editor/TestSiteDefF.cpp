#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "editor/ColourPanel.h"
#include "editor/TSiteDefF.h"
#include "page/InputCaption.h"
#include "page/Messages.h"
#include "page/PageEditSession.h"
#include "page/PageFileWriter.h"
#include "support/AccessibleNames.h"
#include "support/FileBytes.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/Messages.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString Project = u"HAUS"_s;
const QString Browser = u"/usr/bin/firefox"_s;

// A ScriptedPrompt that lets a test look at the window at the moment an error is shown.
class EditorPrompt : public ScriptedPrompt
{
public:
    std::function<void()> onError;

    void error(const QString &text) override
    {
        if (onError)
            onError();
        ScriptedPrompt::error(text);
    }
};

// The objects of the example page "Wohnzimmer" and one of each kind the add buttons tell apart.
// ObjBox lists them as Alles_Aus, Licht_Decke, Pumpe, Temperatur.
void fillCatalogue(Catalogue &c)
{
    auto add = [&c](const QString &name, qint32 index, QChar kind) {
        TPSObj *o = c.AddPSObj(name, index);
        o->Source = u'O';
        o->ObjKind = kind;
        return o;
    };
    TPSObj *light = add(u"Licht_Decke"_s, 1, u'U');
    light->VarIdx = 12;
    light->DevCode = 3;
    light->TypInfo = u"1;Aus;Ein;"_s;
    light->ObjDescr = u"Deckenlicht"_s;
    add(u"Alles_Aus"_s, 7, u'M');
    add(u"Temperatur"_s, 3, u'N')->HdwTyp = 2;
    add(u"Pumpe"_s, 4, u'B');
    c.setComplete(true);
}

// Types text key by key; unlike QTest::keyClicks also letters beyond ASCII.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

void clickItem(QAbstractItemView *view, const QModelIndex &index)
{
    QVERIFY(index.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QStringList gridColumn(const QTableView *view, int column)
{
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts.append(view->model()->index(row, column).data().toString());
    return texts;
}

// The rows of a list or grid with their ticks, one line each.
QStringList viewRows(const QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        shown << cells.join(u'|') + model->index(row, 0).data(Qt::CheckStateRole).toString();
    }
    return shown;
}

// What a reorderable list or grid shows (its rows with their ticks, the selected row) and what the
// page holds behind it (IsChanged, the page file as OK would write it), one line each.
QStringList shownRows(const QAbstractItemView *view, const PageEditSession &session)
{
    QStringList shown = viewRows(view);
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    shown << u"selected %1, IsChanged %2"_s.arg(selected.value(0).row()).arg(session.isChanged());
    return shown + pageFileLines(session.document(), session.catalogue());
}

// Takes a drag entering the view, as the view does with a drag it started itself. Offscreen no real
// drag runs: the drag enters without a source, which the view would turn away, and then no drop
// would reach it.
class DragEntryTaker : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter)
            event->accept();
        return false;
    }
};

// Ends a drag of the selected row of view by dropping it onto row onto, in its upper or lower half
// (onto -1: into the space below the rows), with the data the view's drag carries.
void dropSelectedRow(QAbstractItemView *view, int onto, bool lowerHalf)
{
    const QAbstractItemModel *model = view->model();
    const QRect rect = view->visualRect(model->index(onto < 0 ? model->rowCount() - 1 : onto, 0));
    const QPoint pos(rect.center().x(), onto < 0 ? rect.bottom() + 4 : lowerHalf ? rect.bottom() - 1 : rect.top() + 1);
    QVERIFY(view->viewport()->rect().contains(pos));
    const std::unique_ptr<QMimeData> data(model->mimeData(view->selectionModel()->selectedIndexes()));
    DragEntryTaker taker;
    view->viewport()->installEventFilter(&taker);
    QDragEnterEvent enter(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QDropEvent drop(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    view->viewport()->removeEventFilter(&taker);
}

// Where two pages differ, for a failure message: the first line in which their files differ.
QByteArray pageDifference(const PageDocument &actual, const PageDocument &expected, const Catalogue &catalogue)
{
    const QStringList a = pageFileLines(actual, catalogue), e = pageFileLines(expected, catalogue);
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        if (a.value(i) != e.value(i))
            return u"line %1 is \"%2\", not \"%3\""_s.arg(i + 1).arg(a.value(i), e.value(i)).toUtf8();
    }
    return "the pages differ in what their files leave out";
}

// One kind of change made through the editor's controls, for the undo tests.
struct Edit
{
    QString tab;
    QString step;                 // the step's name as the undo button tells it
    std::function<void()> setup;  // what comes before: the page undo goes back to
    std::function<void()> change; // the change itself
};
} // namespace

// The page editor offscreen on a workspace with a small catalogue and the pages Wohnzimmer (with
// its file) and Küche, driven through its controls while it runs modally.
class TestSiteDefF : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<EditorPrompt> m_prompt;
    RecordingLauncher m_launcher;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<TSiteDefF> m_editor;
    QByteArray m_fixture;

    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *found = m_editor->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    PageEditSession &session() const { return m_workspace->pageSession(); }
    // Where the session's page differs from page, for a failure message.
    QByteArray differsFrom(const PageDocument &page) const
    {
        return pageDifference(session().document(), page, m_state->catalogue);
    }
    QString pagePath(const QString &name) const { return ProjectFiles::pageFile(m_dir->path(), Project, name); }
    // The page file of Wohnzimmer as init() left it.
    QByteArray untouched() const { return QByteArray(m_fixture).replace("\r\n", "\n"); }
    void click(const QString &button) const { QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton); }
    void showTab(const QString &tab) const { child<QTabWidget>(u"PageControl"_s)->setCurrentWidget(child(tab)); }
    void clickRow(const QString &view, int row, int column = 0) const
    {
        auto *found = child<QAbstractItemView>(view);
        clickItem(found, found->model()->index(row, column));
    }
    // The focus to the OK button, which marks nothing: the field typed in is left.
    void leaveField() const { child(u"OKBtn"_s)->setFocus(); }
    // Strg+Z and Strg+Y where the focus is.
    static void pressUndo() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier); }
    static void pressRedo() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier); }
    // The undo and redo buttons' tooltips while they are enabled; empty while disabled.
    QStringList historyButtons() const
    {
        QStringList shown;
        for (const QString &name : {u"UndoBtn"_s, u"RedoBtn"_s}) {
            const auto *button = child<QToolButton>(name);
            shown << (button->isEnabled() ? button->toolTip() : QString());
        }
        return shown;
    }
    // The lines of a page file as written, without the end of the last one.
    QStringList writtenLines(const QString &name = u"Wohnzimmer"_s) const
    {
        return Cp1252::decode(fileBytes(pagePath(name))).chopped(2).split(u"\r\n"_s);
    }
    // The page file of Wohnzimmer as init() left it, with the texts of changes replaced.
    void writeWohnzimmer(std::initializer_list<std::pair<QByteArray, QByteArray>> changes) const
    {
        QByteArray bytes = untouched();
        for (const auto &[before, after] : changes)
            bytes.replace(before, after);
        writeBytes(pagePath(u"Wohnzimmer"_s), bytes);
    }
    // Types text over what spin holds and leaves the field for the OK button (which marks nothing).
    void typeInto(QAbstractSpinBox *spin, const QString &text) const
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, text);
        leaveField();
    }

    void clickOffered(const QString &text) const
    {
        auto *box = child<QListView>(u"ObjBox"_s);
        const QModelIndexList found = box->model()->match(box->model()->index(0, 0), Qt::DisplayRole, text);
        clickItem(box, found.value(0));
    }

    // Everything the tabs show of the page, one line per control: texts, values, ticks, the rows of
    // the grids and lists, the style previews. Selections and the focus are left out.
    QStringList shownPage() const
    {
        QStringList shown;
        const auto named = [](const QObject *o) {
            return !o->objectName().isEmpty() && !o->objectName().startsWith(u"qt_");
        };
        for (const QLabel *label : m_editor->findChildren<QLabel *>()) {
            if (!named(label))
                continue;
            const QPalette p = label->palette();
            shown << u"%1 %2 %3 %4 %5"_s.arg(label->objectName(), label->text(), label->font().toString(),
                                             p.color(QPalette::WindowText).name(), p.color(QPalette::Window).name());
        }
        // The link panel's fields keep what they showed last while it is closed.
        const bool linkPanel = child(u"LinkNamPnl"_s)->isVisibleTo(m_editor.get());
        shown << u"LinkNamPnl %1"_s.arg(linkPanel);
        for (const QLineEdit *edit : m_editor->findChildren<QLineEdit *>()) {
            if (named(edit) && (linkPanel || !edit->objectName().startsWith(u"Link"_s)))
                shown << edit->objectName() + u' ' + edit->text();
        }
        for (const QSpinBox *spin : m_editor->findChildren<QSpinBox *>())
            shown << u"%1 %2 %3"_s.arg(spin->objectName()).arg(spin->value()).arg(spin->isEnabled());
        for (const QCheckBox *box : m_editor->findChildren<QCheckBox *>())
            shown << u"%1 %2 %3"_s.arg(box->objectName()).arg(box->isChecked()).arg(box->isEnabled());
        // An insert shown anew has a break after its last line, one typed may lack it.
        for (const QPlainTextEdit *edit : m_editor->findChildren<QPlainTextEdit *>()) {
            const QString text = edit->toPlainText();
            shown << edit->objectName() + u' ' + (text.endsWith(u'\n') ? text.chopped(1) : text);
        }
        for (const QAbstractItemView *view : m_editor->findChildren<QAbstractItemView *>()) {
            if (named(view))
                shown << view->objectName() + u' ' + viewRows(view).join(u';');
        }
        shown << u"ColBGPnl "_s + child<ColourPanel>(u"ColBGPnl"_s)->colour().name();
        return shown;
    }

    // What the page list hands the editor for the page named name (empty: a new page).
    PageHandOver handOver(const QString &name) const
    {
        const ProjectModel &project = m_workspace->model();
        PageHandOver page;
        page.page = name;
        page.allPages = project.Sites;
        page.dataFolder = m_dir->path();
        page.projectName = Project;
        page.browserWidth = project.BrowserWidth;
        page.noAutoScale = project.NoAutoScale;
        page.autoWidth = project.AutoHandyDetect;
        page.browserPath = m_state->BrowserPath;
        return page;
    }

    // Shows the editor for page (empty: a new page) and runs script once it is open and active;
    // whatever the script leaves open is closed after it. Returns editPage()'s result.
    std::optional<QString> runEditor(const QString &name, const std::function<void()> &script)
    {
        QTimer::singleShot(0, m_editor.get(), [this, script] {
            if (QTest::qWaitForWindowActive(m_editor.get()))
                script();
            else
                QTest::qFail("the editor did not become active", __FILE__, __LINE__);
            if (m_editor->isVisible())
                m_editor->done(QDialog::Rejected);
        });
        return m_editor->editPage(handOver(name));
    }

    // Each kind of change the controls make, with what it needs first. Wohnzimmer has three links
    // for these (Küche, Garten, Keller).
    std::vector<std::pair<const char *, Edit>> edits()
    {
        std::vector<std::pair<const char *, Edit>> all;
        const auto add = [&all](const char *kind, const QString &tab, const QString &step, std::function<void()> setup,
                                std::function<void()> change) {
            all.push_back({kind, {tab, step, std::move(setup), std::move(change)}});
        };
        const QString layout = u"SeitenLayout"_s, objekte = u"Objekte"_s, navigation = u"Navigation"_s;
        const auto addTemperatur = [this] {
            clickOffered(u"Temperatur"_s);
            click(u"SelectObjBtn"_s);
            clickRow(u"SG"_s, 0);
        };
        const auto typeOver = [this](const QString &edit, const QString &text) {
            auto *field = child<QLineEdit>(edit);
            field->setFocus();
            field->selectAll();
            typeText(field, text);
        };
        add("object row added by the arrow button", objekte, UndoSteps::AddObject, {}, [this] {
            clickOffered(u"Licht_Decke"_s);
            click(u"SelectObjBtn"_s);
        });
        add(
            "object row deleted", objekte, UndoSteps::DeleteObject, [this] { clickRow(u"SG"_s, 0); },
            [this] { click(u"DelActRowBtn"_s); });
        add("object row moved by the arrow button", objekte, UndoSteps::MoveObject, addTemperatur,
            [this] { click(u"MoveDownBtn"_s); });
        add("object row moved by dragging", objekte, UndoSteps::MoveObject, addTemperatur,
            [this] { dropSelectedRow(child<QAbstractItemView>(u"SG"_s), 1, true); });
        add("input state toggled", objekte, UndoSteps::Input, {}, [this] { clickRow(u"SG"_s, 0, 2); });
        add(
            "label typed in the grid", objekte, UndoSteps::Label, [this] { clickRow(u"SG"_s, 0, 1); },
            [this] {
                QTest::keyClick(child(u"SG"_s), Qt::Key_F2);
                auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                QVERIFY(editor);
                editor->selectAll();
                typeText(editor, u"Decke"_s);
                clickRow(u"SG"_s, 0); // the cell editor closes
            });
        add("headline typed", layout, UndoSteps::Headline, {}, [=, this] {
            typeOver(u"PageHeadEdt"_s, u"Wohnen"_s);
            leaveField();
        });
        add("number typed", layout, UndoSteps::Number.arg(u"Breite der Objekte"_s), {},
            [this] { typeInto(child<QAbstractSpinBox>(u"ObjBreiteSE"_s), u"300"_s); });
        add("check box clicked", layout, UndoSteps::AutoWidth, {},
            [this] { QTest::mouseClick(child(u"AutoHandyDetectCB"_s), Qt::LeftButton); });
        add("font dialog", layout, UndoSteps::Font, {}, [this] {
            m_prompt->expectFont(true, {u"Verdana"_s, 14, fsItalic, 0x0000FF});
            click(u"HeadFontBtn"_s);
        });
        add("colour dialog", layout, UndoSteps::PageBackground, {}, [this] {
            m_prompt->expectColour(true, 0xFF0000);
            click(u"ColBGPnl"_s);
        });
        add(
            "page link added", navigation, UndoSteps::AddLink, [this] { clickRow(u"SeitenLB"_s, 0); },
            [this] { click(u"SelectNaviBtn"_s); });
        add(
            "link edited", navigation, UndoSteps::EditLink, [this] { clickRow(u"NaviLB"_s, 1); },
            [=, this] {
                click(u"LinkNamBtn"_s);
                typeOver(u"LinkNamEdt"_s, u"Hof"_s);
                click(u"OKLinkBtn"_s);
            });
        add(
            "link deleted", navigation, UndoSteps::DeleteLink, [this] { clickRow(u"NaviLB"_s, 1); },
            [this] { click(u"DelLinkBtn"_s); });
        add(
            "link moved", navigation, UndoSteps::MoveLink, [this] { clickRow(u"NaviLB"_s, 2); },
            [this] { click(u"NavMoveUpBt"_s); });
        add(
            "build part ticked", layout, UndoSteps::BuildOrder, [this] { clickRow(u"PagePosLB"_s, 4); },
            [this] { QTest::keyClick(child(u"PagePosLB"_s), Qt::Key_Space); });
        add(
            "build part moved", layout, UndoSteps::BuildOrder, [this] { clickRow(u"PagePosLB"_s, 4); },
            [this] { click(u"PagePosUpBtn"_s); });
        add("HTML insert typed", u"HTMLCode"_s, UndoSteps::Html1, {}, [this] {
            QTest::keyClicks(child(u"HTMLCode1MB"_s), u"<b>x</b>"_s);
            leaveField();
        });
        add("page name typed", layout, UndoSteps::PageName, {}, [=, this] {
            typeOver(u"PageNameEdt"_s, u"Wohnen"_s);
            leaveField();
        });
        return all;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = std::make_unique<AppState>();
        m_state->ProjectName = Project;
        m_state->DataFolder = m_dir->path();
        fillCatalogue(m_state->catalogue);
        m_prompt = std::make_unique<EditorPrompt>();
        m_state->BrowserPath = Browser;
        m_launcher = RecordingLauncher();
        m_workspace =
            std::make_unique<Workspace>(*m_state, *m_prompt, nullptr, Workspace::BrowserLookup(), &m_launcher);
        m_workspace->model().Sites = {u"Wohnzimmer"_s, u"Küche"_s};
        m_editor = std::make_unique<TSiteDefF>(session(), *m_prompt, &m_launcher);
        session().InitAll(); // as at program start: after the editor exists
        m_fixture = fileBytes(QFINDTESTDATA("../data/page/HAUS_Wohnzimmer.SHT"));
        QVERIFY(!m_fixture.isEmpty());
        // LF line ends, which the reader accepts: a file that OK rewrote differs from one left alone.
        writeBytes(pagePath(u"Wohnzimmer"_s), untouched());
    }

    void cleanup()
    {
        m_editor.reset();
        QVERIFY2(m_prompt->verifyDone(), qPrintable(m_prompt->problems().join(u'\n')));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void okSavesThePage_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::newRow("unchanged page") << true;
        QTest::newRow("page file missing") << false;
    }

    void okSavesThePage()
    {
        QFETCH(bool, fileThere);
        if (!fileThere) {
            QVERIFY(QFile::remove(pagePath(u"Wohnzimmer"_s)));
            m_prompt->expectError(u"Datei nicht gefunden: "_s + pagePath(u"Wohnzimmer"_s));
        }
        const std::optional<QString> saved = runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), u"Wohnzimmer"_s);
            QCOMPARE(child<QTabWidget>(u"PageControl"_s)->currentWidget(), child(u"SeitenLayout"_s));
            QCOMPARE(QApplication::focusWidget(), child(u"PageNameEdt"_s));
            QVERIFY(!session().isChanged());
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0).size(), fileThere ? 2 : 1);
            QCOMPARE(gridColumn(child<QTableView>(u"MG"_s), 1).first(), fileThere ? u"Alles aus"_s : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(saved, std::optional<QString>(u"Wohnzimmer"_s));
        const QByteArray written =
            Cp1252::encode(pageFileLines(session().document(), m_state->catalogue).join(u"\r\n"_s) + u"\r\n"_s);
        QCOMPARE(fileBytes(pagePath(u"Wohnzimmer"_s)), fileThere ? m_fixture : written);
    }

    // The name rules themselves are the session's; here a refused name and an accepted one.
    void okChecksTheName_data()
    {
        QTest::addColumn<QString>("opened"); // empty: a new page
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error"); // empty: saved under the trimmed name
        QTest::newRow("another page in other letter case") << u"Wohnzimmer"_s << u"küche"_s << PageMessages::NameTaken;
        QTest::newRow("new page with blanks around") << QString() << u"  Bad  "_s << QString();
    }

    void okChecksTheName()
    {
        QFETCH(QString, opened);
        QFETCH(QString, typed);
        QFETCH(QString, error);
        const QString trimmed = typed.trimmed();
        QString tabAtError, focusAtError, nameAtError;
        m_prompt->onError = [&] {
            tabAtError = child<QTabWidget>(u"PageControl"_s)->currentWidget()->objectName();
            focusAtError = QApplication::focusWidget()->objectName();
            nameAtError = child<QLineEdit>(u"PageNameEdt"_s)->text();
        };
        if (!error.isEmpty())
            m_prompt->expectError(error);

        const std::optional<QString> saved = runEditor(opened, [&] {
            auto *name = child<QLineEdit>(u"PageNameEdt"_s);
            name->selectAll();
            typeText(name, typed);
            showTab(u"Objekte"_s);
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), typed);
            click(u"OKBtn"_s);
            QCOMPARE(m_editor->isVisible(), !error.isEmpty());
        });

        QCOMPARE(saved.has_value(), error.isEmpty());
        QCOMPARE(child<QLineEdit>(u"PageNameEdt"_s)->text(), trimmed);
        if (saved) {
            QCOMPARE(*saved, trimmed);
            QCOMPARE(session().document().name, trimmed);
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), trimmed);
            QVERIFY(QFileInfo::exists(pagePath(trimmed)));
            return;
        }
        // The name field is in front with the trimmed name before the message appears.
        QCOMPARE(tabAtError, u"SeitenLayout"_s);
        QCOMPARE(focusAtError, u"PageNameEdt"_s);
        QCOMPARE(nameAtError, trimmed);
        QVERIFY(session().isChanged()); // the focus came back into the name field from the OK button
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({u"HAUS_Wohnzimmer.SHT"_s}));
        QCOMPARE(fileBytes(pagePath(u"Wohnzimmer"_s)), untouched());
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("edited");
        for (const QString &how : {u"Abbrechen"_s, u"Esc"_s, u"close box"_s}) {
            QTest::addRow("%s unchanged", qPrintable(how)) << how << false;
            QTest::addRow("%s after an edit", qPrintable(how)) << how << true;
        }
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, edited);
        const auto close = [&] {
            if (how == u"Abbrechen"_s)
                click(u"CancelBtn"_s);
            else if (how == u"Esc"_s)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                m_editor->close();
        };
        const QString question = PageMessages::DiscardChangesQuestion;
        const std::optional<QString> saved = runEditor(u"Wohnzimmer"_s, [&] {
            if (edited) {
                showTab(u"Objekte"_s);
                clickOffered(u"Licht_Decke"_s);
                click(u"SelectObjBtn"_s);
                m_prompt->expectYesNo(question, Prompt::Answer::No);
                close();
                QVERIFY(m_editor->isVisible());
                QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0).size(), 3);
                m_prompt->expectYesNo(question, Prompt::Answer::Yes);
            }
            close();
            QVERIFY(!m_editor->isVisible());
        });
        QVERIFY(!saved);
        QCOMPARE(fileBytes(pagePath(u"Wohnzimmer"_s)), untouched());
    }

    // Each button reaches its row; where rows may move and which row is no row is the session's.
    void gridRows_data()
    {
        QTest::addColumn<QStringList>("names"); // grid; add, delete, up, down button; two offered entries
        QTest::newRow("object rows")
            << u"SG SelectObjBtn DelActRowBtn MoveUpBtn MoveDownBtn Licht_Decke Temperatur"_s.split(u' ');
        QTest::newRow("macro rows")
            << u"MG SelectMakroBtn DelMakroBtn MakroMoveUpBtn MakroMoveDownBtn Alles_Aus Pumpe"_s.split(u' ');
    }

    void gridRows()
    {
        QFETCH(QStringList, names);
        runEditor(QString(), [&] {
            showTab(u"Objekte"_s);
            auto *view = child<QTableView>(names[0]);
            const auto rows = [&](const QString &code) { // "ba": second entry, first entry, blank row
                QStringList texts;
                for (const QChar c : code)
                    texts << names[c == u'a' ? 5 : 6];
                return texts << QString();
            };
            for (const QString &entry : names.mid(5)) {
                clickOffered(entry);
                click(names[1]);
            }
            QCOMPARE(gridColumn(view, 0), rows(u"ab"_s));
            QCOMPARE(view->currentIndex().row(), 1); // the row added last

            enum { Delete = 2, Up, Down };
            // The row selected first (-1: as it is), the button, the rows and the current row after it.
            const std::tuple<int, int, QString, int> steps[] = {
                {0, Down, u"ba"_s, 1}, {-1, Up, u"ab"_s, 0}, {1, Delete, u"a"_s, 1}, {0, Delete, QString(), 0}};
            for (const auto &[select, button, after, current] : steps) {
                if (select >= 0)
                    view->setCurrentIndex(view->model()->index(select, 0));
                click(names[button]);
                QCOMPARE(gridColumn(view, 0), rows(after));
                QCOMPARE(view->currentIndex().row(), current);
            }
        });
    }

    // Which rows toggle and which states they take is the session's; here the ways a cell is selected.
    void selectingAnInputCellToggles_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected"); // Licht_Decke was "nein"
        QTest::newRow("click") << u"click"_s << u"ja"_s;
        QTest::newRow("second click on the same cell") << u"click twice"_s << u"nein"_s;
        QTest::newRow("Tab from the label") << u"Tab"_s << u"ja"_s;
    }

    void selectingAnInputCellToggles()
    {
        QFETCH(QString, how);
        QFETCH(QString, expected);
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            auto *view = child<QTableView>(u"SG"_s);
            const QModelIndex input = view->model()->index(0, 2);
            if (how.startsWith(u"click"_s)) {
                clickItem(view, input);
                if (how == u"click twice"_s)
                    clickItem(view, input);
            } else {
                view->setCurrentIndex(view->model()->index(0, 1));
                view->setFocus();
                QTest::keyClick(view, Qt::Key_Tab);
            }
            QCOMPARE(view->currentIndex(), input);
            QCOMPARE(input.data().toString(), expected);
            QCOMPARE(inputCaption(session().document().objects.at(0)), expected);
            // Where a button puts the current cell after its work, nothing is selected by the user.
            click(u"MoveUpBtn"_s);
            QCOMPARE(view->currentIndex().column(), 2);
            QCOMPARE(view->currentIndex().data().toString(), expected);
        });
    }

    // Which characters a label refuses is the session's; here the cell editor's handling of them.
    void labelsRefuseSeparators_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("insert"); // typed before the label, else over it
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("beeps");
        QTest::newRow("typed into an object label") << u"SG"_s << 0 << false << u"A@B\"C"_s << u"ABC"_s << 2;
        QTest::newRow("typed into the blank row") << u"SG"_s << 1 << false << u"@Neu"_s << u"Neu"_s << 1;
        QTest::newRow("typed before a macro label")
            << u"MG"_s << 0 << true << u"Nicht @"_s << u"Nicht Alles aus"_s << 1;
    }

    void labelsRefuseSeparators()
    {
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(bool, insert);
        QFETCH(QString, input);
        QFETCH(QString, label);
        QFETCH(int, beeps);
        for (int i = 0; i < beeps; ++i)
            m_prompt->expectBeep();
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            auto *view = child<QTableView>(grid);
            view->setFocus();
            view->setCurrentIndex(view->model()->index(row, 1));
            QTest::keyClick(view, Qt::Key_F2);
            auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QVERIFY(editor);
            if (insert)
                editor->home(false);
            else
                editor->selectAll();
            typeText(editor, input);
            QCOMPARE(editor->text(), label);
            // The page has the label while the cell is still being edited; the blank row's stays in the grid.
            const QList<PageRow> &rows = session().document().rows(grid == u"SG"_s ? RowKind::Object : RowKind::Macro);
            QCOMPARE(row < rows.size() ? rows.at(row).label : view->model()->index(row, 1).data().toString(), label);
        });
    }

    // Which buttons an entry enables is the session's; here a click and a key reach them.
    void offeredEntries()
    {
        auto *object = child<QToolButton>(u"SelectObjBtn"_s);
        auto *macro = child<QToolButton>(u"SelectMakroBtn"_s);
        const auto expect = [&](bool objectOn, bool macroOn) {
            QCOMPARE(object->isEnabled(), objectOn);
            QCOMPARE(macro->isEnabled(), macroOn);
        };
        runEditor(QString(), [&] {
            showTab(u"Objekte"_s);
            expect(true, true);
            clickOffered(u"Alles_Aus"_s);
            expect(false, true);
            QTest::keyClick(child(u"ObjBox"_s), Qt::Key_Down);
            expect(true, false); // Licht_Decke
        });
        // The next page starts with nothing selected and the buttons as the last selection left them.
        m_prompt->expectError(Messages::NoEntrySelected);
        runEditor(QString(), [&] {
            auto *box = child<QListView>(u"ObjBox"_s);
            QVERIFY(!box->selectionModel()->hasSelection());
            expect(true, false);
            showTab(u"Objekte"_s);
            // A cleared catalogue leaves nothing offered that could point to a freed entry.
            clickOffered(u"Licht_Decke"_s);
            m_state->catalogue.ClearCatalogue();
            QCOMPARE(box->model()->rowCount(), 0);
            click(u"SelectObjBtn"_s);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({QString()}));
        });
    }

    // The search narrows the offered entries by name or description; Enter adds the one left and
    // leaves the window open, Escape brings the whole list back.
    void searchFindsAndAdds()
    {
        runEditor(QString(), [&] {
            showTab(u"Objekte"_s);
            auto *search = child<QLineEdit>(u"SearchEdt"_s);
            auto *box = child<QListView>(u"ObjBox"_s);
            search->setFocus();
            typeText(search, u"DECKEN"_s);
            QCOMPARE(box->model()->rowCount(), 1);
            QCOMPARE(box->model()->index(0, 0).data().toString(), u"Licht_Decke"_s);
            QVERIFY(!box->model()->index(0, 0).data(Qt::ToolTipRole).toString().isEmpty());
            QTest::keyClick(search, Qt::Key_Return);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({u"Licht_Decke"_s, QString()}));
            QVERIFY(m_editor->isVisible());
            QTest::keyClick(search, Qt::Key_Escape);
            QCOMPARE(search->text(), QString());
            QCOMPARE(box->model()->rowCount(), 4);
            QVERIFY(m_editor->isVisible());
            // A selection made in the narrowed list adds the entry it shows.
            typeText(search, u"pumpe"_s);
            clickOffered(u"Pumpe"_s);
            QVERIFY(!child(u"SelectObjBtn"_s)->isEnabled());
            // Enter adds an entry that only the macro button takes as a macro row.
            search->setFocus();
            QTest::keyClick(search, Qt::Key_Return);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({u"Licht_Decke"_s, QString()}));
            QCOMPARE(gridColumn(child<QTableView>(u"MG"_s), 0), QStringList({u"Pumpe"_s, QString()}));
            // Escape in the empty search is the window's: the question about the rows added.
            QTest::keyClick(search, Qt::Key_Escape);
            QCOMPARE(search->text(), QString());
            m_prompt->expectYesNo(PageMessages::DiscardChangesQuestion, Prompt::Answer::No);
            QTest::keyClick(search, Qt::Key_Escape);
            QVERIFY(m_editor->isVisible());
            typeText(search, u"temp"_s);
        });
        // The next page starts with every entry offered.
        runEditor(QString(), [&] {
            QCOMPARE(child<QLineEdit>(u"SearchEdt"_s)->text(), QString());
            QCOMPARE(child<QListView>(u"ObjBox"_s)->model()->rowCount(), 4);
        });
    }

    // Typing in the grid and the other mouse buttons never select a cell, so no input cell toggles.
    void onlyTheUserSelectsAnInputCell_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("type-ahead letter") << u"n"_s;
        QTest::newRow("right click") << u"right"_s;
        QTest::newRow("middle click") << u"middle"_s;
    }

    void onlyTheUserSelectsAnInputCell()
    {
        QFETCH(QString, how);
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            clickOffered(u"Licht_Decke"_s);
            click(u"SelectObjBtn"_s); // a second row in "nein"
            auto *view = child<QTableView>(u"SG"_s);
            clickItem(view, view->model()->index(0, 1));
            const QModelIndex second = view->model()->index(1, 2);
            if (how == u"n"_s) {
                QTest::keyClick(view, Qt::Key_Right); // onto the first input cell: a selection
                QTest::keyClick(view, Qt::Key_N);
            } else {
                QTest::mouseClick(view->viewport(), how == u"right"_s ? Qt::RightButton : Qt::MiddleButton, {},
                                  view->visualRect(second).center());
            }
            QCOMPARE(view->model()->index(0, 2).data().toString(), how == u"n"_s ? u"ja"_s : u"nein"_s);
            QCOMPARE(second.data().toString(), u"nein"_s);
            QCOMPARE(view->currentIndex().row(), 0);
        });
    }

    // With no object offered (the execution file was not read) both windows say so, and OK on a page
    // whose rows would all be dropped asks first.
    void missingCatalogueIsNoticedAndOkAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("No keeps the page") << int(Prompt::Answer::No);
        QTest::newRow("Yes drops the rows") << int(Prompt::Answer::Yes);
    }

    void missingCatalogueIsNoticedAndOkAsks()
    {
        QFETCH(int, answer);
        const QString missing = m_dir->filePath(u"HAUS.RVX"_s);
        m_state->catalogue.ClearCatalogue();
        m_prompt->expectError(u"Datei %1 nicht gefunden"_s.arg(missing));
        ReadRVXFile(missing, m_state->catalogue, *m_prompt, &m_state->ExecFileDate);
        session().InitAll();
        m_prompt->expectYesNoDefaultNo(PageEditSession::unresolvedRowsQuestion(2), Prompt::Answer(answer));
        const std::optional<QString> saved = runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            auto *notice = child<QLabel>(u"CatalogueNoticeLb"_s);
            QVERIFY(notice->isVisible());
            QCOMPARE(notice->text(), u"Keine Ausführungsdatei gelesen"_s);
            QCOMPARE(notice->toolTip(), u"Datei %1 nicht gefunden"_s.arg(missing));
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 2), QStringList({u"Fehler"_s, QString()}));
            click(u"OKBtn"_s);
            QCOMPARE(m_editor->isVisible(), answer == int(Prompt::Answer::No));
        });
        QCOMPARE(saved.has_value(), answer == int(Prompt::Answer::Yes));
        const QByteArray file = fileBytes(pagePath(u"Wohnzimmer"_s));
        if (!saved) {
            QCOMPARE(file, untouched());
            return;
        }
        QVERIFY(!file.contains("OBJROW=") && !file.contains("MACRO="));
        // With objects offered again the notice goes.
        fillCatalogue(m_state->catalogue);
        session().InitAll();
        runEditor(u"Wohnzimmer"_s, [&] { QVERIFY(!child(u"CatalogueNoticeLb"_s)->isVisibleTo(m_editor.get())); });
    }

    void orderListsKeepTicks_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QStringList>("names"); // list, up button, down button
        QTest::addColumn<int>("entry");         // the entry unticked and moved to the top
        QTest::newRow("object columns") << u"Objekte"_s << u"ObjSeqLB ObjColUpBtn ObjColDownBtn"_s.split(u' ') << 2;
        QTest::newRow("build order") << u"SeitenLayout"_s << u"PagePosLB PagePosUpBtn PagePosDownBtn"_s.split(u' ')
                                     << 3;
    }

    void orderListsKeepTicks()
    {
        QFETCH(QString, tab);
        QFETCH(QStringList, names);
        QFETCH(int, entry);
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(tab);
            auto *list = child<QListWidget>(names[0]);
            const QList<CheckEntry> &order = session().order(names[0] == u"ObjSeqLB"_s ? PageEditSession::Order::Columns
                                                                                       : PageEditSession::Order::Build);
            const QString moved = order[entry].text;
            clickItem(list, list->model()->index(entry, 0));
            QTest::keyClick(list, Qt::Key_Space);
            for (int i = 0; i <= entry; ++i) // once more than needed: the top entry stays
                click(names[1]);
            QCOMPARE(order.first(), (CheckEntry{moved, false}));
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
            click(names[2]);
            QCOMPARE(order[1], (CheckEntry{moved, false}));
            QCOMPARE(list->item(1)->text(), moved);
            QVERIFY(order[0].checked);
            QVERIFY(!session().isChanged());
        });
    }

    // Dragging a row with the mouse gives what the move buttons give. Rows: the list, the row
    // dragged, the row it is dropped onto (-1: the space below the rows) and in which half, the
    // presses of the down (positive) or up (negative) button that move it there (0: the drop is
    // refused), and the rows afterwards by their places before.
    void draggingMatchesTheButtons_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<bool>("lowerHalf");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("order");
        const QString sg = u"SG"_s, mg = u"MG"_s, links = u"NaviLB"_s, parts = u"PagePosLB"_s, cols = u"ObjSeqLB"_s;
        QTest::newRow("object row down two") << sg << 0 << 2 << true << 2 << u"1203"_s;
        QTest::newRow("object row to the top") << sg << 2 << 0 << false << -2 << u"2013"_s;
        QTest::newRow("object row just above the blank row") << sg << 0 << 3 << false << 2 << u"1203"_s;
        QTest::newRow("object row onto the blank row's lower half") << sg << 1 << 3 << true << 0 << u"0123"_s;
        QTest::newRow("object row below all rows") << sg << 0 << -1 << false << 0 << u"0123"_s;
        QTest::newRow("blank row dragged") << sg << 3 << 0 << false << 0 << u"0123"_s;
        QTest::newRow("macro row just above the blank row") << mg << 1 << 3 << false << 1 << u"0213"_s;
        QTest::newRow("link to the end, below all links") << links << 0 << -1 << false << 2 << u"120"_s;
        QTest::newRow("unticked build part to the top") << parts << 4 << 0 << false << -4 << u"401235"_s;
        QTest::newRow("column onto the lower half of the first") << cols << 2 << 0 << true << -1 << u"021"_s;
    }

    void draggingMatchesTheButtons()
    {
        QFETCH(QString, list);
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(bool, lowerHalf);
        QFETCH(int, presses);
        QFETCH(QString, order);
        // Three links, an unticked object column; object rows told apart by their labels.
        writeWohnzimmer({{"#009000=1\nNAVI=K&uuml;che\x03K&uuml;che\x0b",
                          "#009000=3\nNAVI=K&uuml;che\x03K&uuml;che\x0bGarten\x03Garten\x0bKeller\x03Keller\x0b"},
                         {"OBJCOLS=0x;1x;2x;", "OBJCOLS=0x;1;2x;"},
                         {"OBJROW=Licht_Decke@Deckenlicht@", "OBJROW=Licht_Decke@Decke@"}});
        const std::map<QString, QStringList> controls = {
            // tab, up button, down button, rows added
            {u"SG"_s, {u"Objekte"_s, u"MoveUpBtn"_s, u"MoveDownBtn"_s, u"Temperatur"_s, u"Licht_Decke"_s}},
            {u"MG"_s, {u"Objekte"_s, u"MakroMoveUpBtn"_s, u"MakroMoveDownBtn"_s, u"Pumpe"_s, u"Alles_Aus"_s}},
            {u"NaviLB"_s, {u"Navigation"_s, u"NavMoveUpBt"_s, u"NavMoveDownBt"_s}},
            {u"PagePosLB"_s, {u"SeitenLayout"_s, u"PagePosUpBtn"_s, u"PagePosDownBtn"_s}},
            {u"ObjSeqLB"_s, {u"Objekte"_s, u"ObjColUpBtn"_s, u"ObjColDownBtn"_s}}};
        const QStringList &names = controls.at(list);
        // Both runs start from the same page and select the row to move.
        const auto open = [&] {
            showTab(names[0]);
            for (const QString &entry : names.mid(3)) {
                clickOffered(entry);
                click(list == u"SG"_s ? u"SelectObjBtn"_s : u"SelectMakroBtn"_s);
            }
            auto *view = child<QAbstractItemView>(list);
            clickItem(view, view->model()->index(from, 0));
            return view;
        };
        QStringList before, byButtons, byDragging;
        runEditor(u"Wohnzimmer"_s, [&] {
            QAbstractItemView *view = open();
            before = shownRows(view, session());
            for (int i = 0; i < std::abs(presses); ++i)
                click(names[presses > 0 ? 2 : 1]);
            byButtons = shownRows(view, session());
        });
        runEditor(u"Wohnzimmer"_s, [&] {
            QAbstractItemView *view = open();
            dropSelectedRow(view, onto, lowerHalf);
            byDragging = shownRows(view, session());
        });
        QCOMPARE(byDragging, byButtons);
        QStringList expected;
        for (const QChar place : order)
            expected << before.value(place.digitValue());
        QCOMPARE(byDragging.mid(0, order.size()), expected);
        QCOMPARE(byDragging.value(order.size()).section(u',', 0, 0),
                 u"selected %1"_s.arg(order.indexOf(QChar(u'0' + from))));
    }

    // Each field reaches its value, within the limits of the page file's layout numbers.
    void numberFieldsKeepTheirLimits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line"); // in the page file written by OK
        QTest::newRow("900 seconds") << u"AutoAktSecSE"_s << u"900"_s << 300 << u"AutoAktSec=300"_s;
        QTest::newRow("label width below its limit") << u"ObjBreiteSE"_s << u"5"_s << 20 << u"OBWIDTH=20"_s;
        QTest::newRow("frame above its limit") << u"RahmenbreiteSE"_s << u"99"_s << 20 << u"FW=20"_s;
        QTest::newRow("page width not a number") << u"PageWidthSE"_s << u"x"_s << 0 << u"PW=0"_s;
        QTest::newRow("browser width negative") << u"BrowserWidthSE"_s << u"-7"_s << -7 << u"BW=-7"_s;
        QTest::newRow("headline margin") << u"LeftMarginHeadlineSE"_s << u"12"_s << 12 << u"LMHL=12"_s;
        QTest::newRow("value width beyond 16 bits") << u"WertBreiteSE"_s << u"70000"_s << 70000 << u"OWWIDTH=70000"_s;
    }

    void numberFieldsKeepTheirLimits()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, line);
        QVERIFY(runEditor(u"Wohnzimmer"_s, [&] {
            auto *spin = child<QSpinBox>(field);
            typeInto(spin, typed);
            QCOMPARE(spin->text(), QString::number(value));
            click(u"OKBtn"_s);
        }));
        QVERIFY2(writtenLines().contains(line), qPrintable(line));
    }

    void changedFlagFollowsTheGroups_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("control"); // the focus enters it from the OK button
        QTest::addColumn<bool>("marks");
        QTest::newRow("headline") << u"SeitenLayout"_s << u"PageHeadEdt"_s << true;
        QTest::newRow("headline font button") << u"SeitenLayout"_s << u"HeadFontBtn"_s << true;
        QTest::newRow("object table margin") << u"SeitenLayout"_s << u"LeftMarginObjSE"_s << true;
        QTest::newRow("page background") << u"SeitenLayout"_s << u"ColBGPnl"_s << true;
        QTest::newRow("table sizes") << u"SeitenLayout"_s << u"PageWidthSE"_s << false;
        QTest::newRow("general options") << u"SeitenLayout"_s << u"AutoAktSecSE"_s << false;
        QTest::newRow("build order") << u"SeitenLayout"_s << u"PagePosLB"_s << false;
        QTest::newRow("object grid") << u"Objekte"_s << u"SG"_s << true;
        QTest::newRow("macro grid") << u"Objekte"_s << u"MG"_s << false;
        QTest::newRow("link list") << u"Navigation"_s << u"NaviLB"_s << false;
        QTest::newRow("link font button") << u"Navigation"_s << u"NaviFontlBtn"_s << false;
        QTest::newRow("HTML insert 2") << u"HTMLCode"_s << u"HTMLCode2MB"_s << true;
    }

    void changedFlagFollowsTheGroups()
    {
        QFETCH(QString, tab);
        QFETCH(QString, control);
        QFETCH(bool, marks);
        runEditor(u"Wohnzimmer"_s, [&] {
            leaveField();
            {
                // Bringing the HTML inserts to the front puts the focus into the first one, which
                // marks too: the tab changes here without the window's handler.
                const QSignalBlocker blocker(child(u"PageControl"_s));
                showTab(tab);
            }
            QVERIFY(!session().isChanged());
            child(control)->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), child(control));
            QCOMPARE(session().isChanged(), marks);
        });
    }

    // The rule is the session's; here each place it is applied shows its outcome in the box.
    void autoRefreshRule_data()
    {
        QTest::addColumn<bool>("autoAktInFile");
        QTest::addColumn<bool>("inputInFile");
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("ticked"); // AutoAktCB afterwards
        QTest::addColumn<bool>("usable");
        QTest::newRow("ticked on a page with an input field") << false << true << u"tick"_s << true << false << true;
        QTest::newRow("input field made while ticked") << true << false << u"input"_s << true << false << true;
        QTest::newRow("OK with both") << true << true << u"OK"_s << true << false << true;
        QTest::newRow("HTML tab entered with an input field") << true << true << u"HTML"_s << false << false << false;
    }

    void autoRefreshRule()
    {
        QFETCH(bool, autoAktInFile);
        QFETCH(bool, inputInFile);
        QFETCH(QString, place);
        QFETCH(bool, message);
        QFETCH(bool, ticked);
        QFETCH(bool, usable);
        writeWohnzimmer({{"AutoAkt=0", autoAktInFile ? "AutoAkt=1" : "AutoAkt=0"},
                         {"@Deckenlicht@0@", inputInFile ? "@Deckenlicht@1@" : "@Deckenlicht@0@"}});
        if (message)
            m_prompt->expectError(PageMessages::AutoRefreshWithInput);
        auto *box = child<QCheckBox>(u"AutoAktCB"_s);
        const std::optional<QString> saved = runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(box->isChecked(), autoAktInFile);
            if (place == u"tick"_s) {
                QTest::mouseClick(box, Qt::LeftButton);
            } else if (place == u"input"_s) {
                showTab(u"Objekte"_s);
                auto *grid = child<QTableView>(u"SG"_s);
                clickItem(grid, grid->model()->index(0, 2));
                showTab(u"SeitenLayout"_s);
            } else if (place == u"OK"_s) {
                click(u"OKBtn"_s);
                return;
            } else {
                showTab(u"HTMLCode"_s);
                QCOMPARE(QApplication::focusWidget(), child(u"HTMLCode1MB"_s));
                showTab(u"SeitenLayout"_s);
            }
            QCOMPARE(box->isChecked(), ticked);
            QCOMPARE(box->isEnabled(), usable);
        });
        QCOMPARE(session().document().layout.AutoAkt, ticked);
        if (saved)
            QVERIFY(writtenLines().contains(u"AutoAkt=0"_s));
        // The box's usability carries over to the next page until the HTML tab is entered there.
        runEditor(QString(), [&] {
            QCOMPARE(box->isEnabled(), usable);
            showTab(u"HTMLCode"_s);
            QVERIFY(box->isEnabled());
        });
    }

    void mobileAdaptationGreysTheFixedWidth_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("greyed");
        QTest::addColumn<int>("width"); // kept and shown greyed or not
        QTest::newRow("ticked") << u"tick"_s << true << 0;
        QTest::newRow("read from the page file") << u"file"_s << true << 640;
        QTest::newRow("a new page with the project's option") << u"new page"_s << true << 800;
    }

    void mobileAdaptationGreysTheFixedWidth()
    {
        QFETCH(QString, how);
        QFETCH(bool, greyed);
        QFETCH(int, width);
        if (how == u"file"_s)
            writeWohnzimmer({{"BW=0", "AUTOWIDTH=1\nBW=640"}});
        // The project's options, which the page list hands to a new page.
        m_workspace->model().BrowserWidth = 800;
        m_workspace->model().AutoHandyDetect = how == u"new page"_s;
        runEditor(how == u"new page"_s ? QString() : u"Wohnzimmer"_s, [&] {
            auto *box = child<QCheckBox>(u"AutoHandyDetectCB"_s);
            if (how == u"tick"_s)
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), greyed);
            QCOMPARE(child(u"BrowserWidthSE"_s)->isEnabled(), !greyed);
            QCOMPARE(child(u"FixWidthLb"_s)->isEnabled(), !greyed);
            QCOMPARE(child<QSpinBox>(u"BrowserWidthSE"_s)->value(), width);
            QCOMPARE(session().document().layout.AutoWidth, greyed);
        });
    }

    void styleDialogsReachTheFile_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("lines"); // in the file written by OK
        QTest::addColumn<bool>("marks");
        // Verdana 14 bold, italic and strike-out in pure red; the colour dialog answers pure blue.
        const QString layout = u"SeitenLayout"_s;
        QTest::newRow("headline font") << layout << u"HeadFontBtn"_s
                                       << QStringList{u"FNHEAD=Verdana"_s, u"FSHEAD=14"_s, u"FSTHEAD=11"_s,
                                                      u"FCHEAD=FF0000"_s, u"FCBHEAD=FFFFFF"_s}
                                       << true;
        QTest::newRow("label font") << layout << u"ObjektFontBtn"_s
                                    << QStringList{u"FNOBJ=Verdana"_s, u"FSTOBJ=11"_s, u"FCOBJ=FF0000"_s} << true;
        QTest::newRow("value background")
            << layout << u"ValueBGColBtn"_s << QStringList{u"FNVAL=Arial"_s, u"FCBVAL=0000FF"_s} << true;
        QTest::newRow("page background") << layout << u"ColBGPnl"_s << QStringList{u"BG=0000FF"_s} << true;
        QTest::newRow("link font") << u"Navigation"_s << u"NaviFontlBtn"_s
                                   << QStringList{u"FNNAV=Verdana"_s, u"FSNAV=14"_s, u"FSTNAV=11"_s} << false;
        QTest::newRow("link background") << u"Navigation"_s << u"NaviBGColBtn"_s << QStringList{u"FCBNAV=0000FF"_s}
                                         << false;
    }

    void styleDialogsReachTheFile()
    {
        QFETCH(QString, tab);
        QFETCH(QString, button);
        QFETCH(QStringList, lines);
        QFETCH(bool, marks);
        if (button.contains(u"Font"_s))
            m_prompt->expectFont(true, {u"Verdana"_s, 14, fsBold | fsItalic | fsStrikeOut, 0x0000FF});
        else
            m_prompt->expectColour(true, 0xFF0000);
        QVERIFY(runEditor(u"Wohnzimmer"_s, [&] {
            showTab(tab);
            click(button);
            QCOMPARE(session().isChanged(), marks);
            click(u"OKBtn"_s);
        }));
        for (const QString &line : std::as_const(lines))
            QVERIFY2(writtenLines().contains(line), qPrintable(line));
    }

    // The caps are the session's; here a panel on each tab grows to its cap.
    void previewsGrowUpToTheirCaps_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("cap");
        QTest::newRow("headline") << u"SeitenLayout"_s << u"HeadFontPnl"_s << u"HeadFontBtn"_s << 240;
        QTest::newRow("links") << u"Navigation"_s << u"NaviFontPnl"_s << u"NaviFontlBtn"_s << 440;
    }

    void previewsGrowUpToTheirCaps()
    {
        QFETCH(QString, tab);
        QFETCH(QString, preview);
        QFETCH(QString, button);
        QFETCH(int, cap);
        m_prompt->expectFont(true, {u"Arial"_s, 200, fsBold, 0});
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(tab);
            auto *label = child<QLabel>(preview);
            const QSize before = label->size();
            QVERIFY2(before.width() > 0 && before.width() < cap, qPrintable(QString::number(before.width())));
            click(button);
            QCOMPARE(label->width(), cap);
            QVERIFY(label->height() > 2 * before.height());
            QCOMPARE(label->font().pointSize(), 200);
        });
    }

    void headlineAndLinkPreviewsFollowTheirTexts()
    {
        m_workspace->model().Sites << u"Bad"_s;
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *headline = child<QLineEdit>(u"PageHeadEdt"_s);
            headline->setFocus();
            headline->selectAll();
            typeText(headline, u"Wohnen"_s);
            QCOMPARE(child<QLabel>(u"HeadFontPnl"_s)->text(), u"Wohnzimmer"_s); // until the edit is left
            leaveField();
            QCOMPARE(child<QLabel>(u"HeadFontPnl"_s)->text(), u"Wohnen"_s);

            showTab(u"Navigation"_s);
            auto *pages = child<QListWidget>(u"SeitenLB"_s);
            QCOMPARE(pages->count(), 2);
            clickItem(pages, pages->model()->index(0, 0)); // Bad
            click(u"SelectNaviBtn"_s);
            auto *links = child<QListWidget>(u"NaviLB"_s);
            QCOMPARE(child<QLabel>(u"NaviFontPnl"_s)->text(), u"Küche "_s); // the first link, as read
            clickItem(links, links->model()->index(1, 0));
            QCOMPARE(child<QLabel>(u"NaviFontPnl"_s)->text(), u"Bad "_s);
            // A click on the link that is selected already shows it again, here after its renaming.
            click(u"LinkNamBtn"_s);
            auto *linkName = child<QLineEdit>(u"LinkNamEdt"_s);
            linkName->selectAll();
            typeText(linkName, u"Baden"_s);
            click(u"OKLinkBtn"_s);
            QVERIFY(links->item(1)->isSelected());
            QCOMPARE(child<QLabel>(u"NaviFontPnl"_s)->text(), u"Bad "_s);
            clickItem(links, links->model()->index(1, 0));
            QCOMPARE(child<QLabel>(u"NaviFontPnl"_s)->text(), u"Baden "_s);

            // Every loss of the focus shows the name field's text, changed by the user or not.
            showTab(u"SeitenLayout"_s);
            auto *name = child<QLineEdit>(u"PageNameEdt"_s);
            name->setText(u"Wohnen"_s);
            name->setFocus();
            headline->setFocus();
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), u"Wohnen"_s);
        });
        // A new page shows the start texts, not those of the page before.
        runEditor(QString(), [&] {
            QCOMPARE(child<QLabel>(u"HeadFontPnl"_s)->text(), u"Überschrift"_s);
            QCOMPARE(child<QLabel>(u"NaviFontPnl"_s)->text(), u"home"_s);
        });
    }

    // Which texts a link refuses is the session's; here each way the panel opens and closes.
    void linkPanel_data()
    {
        QTest::addColumn<QString>("open");   // "edit <row>", "double click <row>", "new"
        QTest::addColumn<bool>("browser");   // a browser is known
        QTest::addColumn<QString>("name");   // typed over the name; empty: left as it is
        QTest::addColumn<QString>("target"); // typed over the target
        QTest::addColumn<QString>("close");  // "OK", "Return", "Abbruch", "Esc", "tab"
        QTest::addColumn<QString>("error");  // OK refused with this message
        QTest::addColumn<QStringList>("links");

        const QString page = u"Küche : Küche"_s, help = u"Hilfe : >http://h/x"_s;
        QTest::newRow("page link renamed") << u"edit 0"_s << true << u"Kochen"_s << QString() << u"OK"_s << QString()
                                           << QStringList{u"Kochen : Küche"_s, help};
        QTest::newRow("external link, Return") << u"edit 1"_s << true << QString() << u"http://h/y"_s << u"Return"_s
                                               << QString() << QStringList{page, u"Hilfe : >http://h/y"_s};
        QTest::newRow("external link without browser, Esc") << u"double click 1"_s << false << u"Weg"_s << QString()
                                                            << u"Esc"_s << QString() << QStringList{page, help};
        QTest::newRow("new link") << u"new"_s << true << u"Wetter"_s << u"http://w"_s << u"OK"_s << QString()
                                  << QStringList{page, help, u"Wetter : >http://w"_s};
        QTest::newRow("new link, Abbruch") << u"new"_s << false << u"Wetter"_s << u"http://w"_s << u"Abbruch"_s
                                           << QString() << QStringList{page, help};
        QTest::newRow("new link, tab left")
            << u"new"_s << true << u"Wetter"_s << u"http://w"_s << u"tab"_s << QString() << QStringList{page, help};
        QTest::newRow("separator in the name") << u"new"_s << true << u"a : b"_s << u"x"_s << u"OK"_s
                                               << PageMessages::LinkNameSeparator << QStringList{page, help};
        QTest::newRow("nothing selected") << u"edit -1"_s << true << QString() << QString() << QString()
                                          << Messages::NoEntrySelected << QStringList{page, help};
    }

    void linkPanel()
    {
        QFETCH(QString, open);
        QFETCH(bool, browser);
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(QString, close);
        QFETCH(QString, error);
        QFETCH(QStringList, links);
        writeWohnzimmer({{"#009000=1\nNAVI=K&uuml;che\x03K&uuml;che\x0b",
                          "#009000=2\nNAVI=K&uuml;che\x03K&uuml;che\x0bHilfe\x03>http://h/x\x0b"}});
        if (!browser)
            m_state->BrowserPath.clear();
        m_launcher.starts = false; // a browser that does not start says nothing
        if (!error.isEmpty())
            m_prompt->expectError(error);
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Navigation"_s);
            auto *list = child<QListWidget>(u"NaviLB"_s);
            auto *panel = child(u"LinkNamPnl"_s);
            const int row = open.section(u' ', -1).toInt();
            if (open == u"new"_s) {
                click(u"NewLinkBtn"_s);
            } else if (open.startsWith(u"double"_s)) {
                const QModelIndex item = list->model()->index(row, 0);
                clickItem(list, item); // a double click starts with a click
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
            } else {
                if (row >= 0)
                    clickItem(list, list->model()->index(row, 0));
                click(u"LinkNamBtn"_s);
            }
            if (row < 0) {
                QVERIFY(!panel->isVisible());
                return;
            }
            // The panel lies over the list and its buttons: none of them can be used.
            QVERIFY(panel->isVisible());
            for (const QString &blocked :
                 u"NaviLB LinkNamBtn NewLinkBtn DelLinkBtn NavMoveUpBt SelectNaviBtn"_s.split(u' '))
                QVERIFY2(!child(blocked)->isEnabled(), qPrintable(blocked));
            QVERIFY(session().isChanged());
            const bool external = open != u"edit 0"_s;
            QCOMPARE(child(u"LinkTargetEdt"_s)->isEnabled(), external);
            QCOMPARE(child(u"SelectLinkBt"_s)->isEnabled(), external && browser);
            auto *nameEdit = child<QLineEdit>(u"LinkNamEdt"_s);
            auto *targetEdit = child<QLineEdit>(u"LinkTargetEdt"_s);
            if (!name.isEmpty()) {
                nameEdit->selectAll();
                typeText(nameEdit, name);
            }
            if (!target.isEmpty()) {
                targetEdit->setFocus();
                targetEdit->selectAll();
                QTest::keyClicks(targetEdit, target);
            }
            if (external && browser) {
                click(u"SelectLinkBt"_s);
                QCOMPARE(m_launcher.started.value(0), (RecordingLauncher::Start{Browser, {targetEdit->text()}, {}}));
            }
            if (close == u"OK"_s || close == u"Abbruch"_s)
                click(close == u"OK"_s ? u"OKLinkBtn"_s : u"CancelLinkBtn"_s);
            else if (close == u"tab"_s)
                showTab(u"Objekte"_s);
            else
                QTest::keyClick(QApplication::focusWidget(), close == u"Esc"_s ? Qt::Key_Escape : Qt::Key_Return);
            QVERIFY(m_editor->isVisible()); // neither key reached the window
            QCOMPARE(panel->isVisibleTo(m_editor.get()), !error.isEmpty());
            QCOMPARE(child(u"NaviLB"_s)->isEnabled(), error.isEmpty());
            QVERIFY(session().isChanged());
        });
        QCOMPARE(session().document().links, links);
    }

    void linksThroughWriteAndRead()
    {
        const QByteArray navi =
            "#009000=2\r\nNAVI=Hilfe & &Auml;rger\x03>http://h/?a=1;b=\x0bK&uuml;che\x03K&uuml;che\x0b\r\n";
        QStringList shown;
        QVERIFY(runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Navigation"_s);
            auto *pages = child<QListWidget>(u"SeitenLB"_s);
            auto *links = child<QListWidget>(u"NaviLB"_s);
            clickItem(pages, pages->model()->index(0, 0));
            click(u"SelectNaviBtn"_s); // Küche twice
            click(u"NewLinkBtn"_s);
            typeText(child(u"LinkNamEdt"_s), u"Hilfe & Ärger"_s);
            QTest::keyClicks(child(u"LinkTargetEdt"_s), u"http://h/?a=1;b="_s);
            click(u"OKLinkBtn"_s);
            click(u"NavMoveUpBt"_s); // the new link is selected after OK
            clickItem(links, links->model()->index(0, 0));
            click(u"DelLinkBtn"_s);
            click(u"NavMoveDownBt"_s); // nothing selected after deleting: nothing moves
            for (int i = 0; i < links->count(); ++i)
                shown << links->item(i)->text();
            click(u"OKBtn"_s);
        }));
        QVERIFY(fileBytes(pagePath(u"Wohnzimmer"_s)).contains(navi));
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *links = child<QListWidget>(u"NaviLB"_s);
            QStringList read;
            for (int i = 0; i < links->count(); ++i)
                read << links->item(i)->text();
            QCOMPARE(read, shown);
            QCOMPARE(read.value(0), u"Hilfe & Ärger : >http://h/?a=1;b="_s);
        });
    }

    void htmlInsertsKeepTheirLines_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one line") << u"<b>x</b>"_s << QStringList{u"<b>x</b>"_s};
        QTest::newRow("line break at the end") << u"a\n"_s << QStringList{u"a"_s};
        QTest::newRow("empty line between") << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("empty last line") << u"a\n\n"_s << QStringList{u"a"_s, QString()};
        QTest::newRow("leading blanks kept") << u"  a"_s << QStringList{u"  a"_s};
    }

    void htmlInsertsKeepTheirLines()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, lines);
        QVERIFY(runEditor(u"Wohnzimmer"_s, [&] {
            auto *order = child<QListWidget>(u"PagePosLB"_s);
            order->findItems(u"HTML-Einfügung 1"_s, Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
            showTab(u"HTMLCode"_s);
            auto *edit = child<QPlainTextEdit>(u"HTMLCode1MB"_s);
            QCOMPARE(QApplication::focusWidget(), edit);
            for (const QString &line : typed.split(u'\n')) {
                QTest::keyClicks(edit, line);
                QTest::keyClick(edit, Qt::Key_Return);
            }
            QTest::keyClick(edit, Qt::Key_Backspace); // the break after the last part typed
            QCOMPARE(session().document().html1, lines);
            QVERIFY(session().isChanged());
            click(u"OKBtn"_s);
        }));
        runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(session().document().html1, lines);
            QCOMPARE(child<QPlainTextEdit>(u"HTMLCode1MB"_s)->toPlainText(), lines.join(u'\n') + u'\n');
        });
    }

    void everyControlHasAName()
    {
        QCOMPARE(controlsWithoutAccessibleName(*m_editor), QStringList());
        const std::pair<QString, QString> names[] = {
            {u"PageHeadEdt"_s, u"Überschrift"_s},
            {u"ColBGPnl"_s, u"Hintergrundfarbe"_s},
            {u"LinkNamEdt"_s, u"Name"_s},
            {u"LinkTargetEdt"_s, u"Ziel"_s},
            {u"SelectLinkBt"_s, u"Ziel im Browser öffnen"_s},
            {u"ObjektBGColBtn"_s, u"Hintergrundfarbe Objekte"_s},
            {u"UndoBtn"_s, u"Rückgängig"_s},
            {u"RedoBtn"_s, u"Wiederholen"_s},
        };
        for (const auto &[control, name] : names)
            QCOMPARE(child(control)->accessibleName(), name);
    }

    // Undo and redo.

    void everyChangeIsUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const auto &[kind, edit] : edits())
            QTest::newRow(kind) << QString::fromUtf8(kind);
    }

    // Strg+Z takes the page and every tab back to where they were before the change, Strg+Y
    // brings the change back; typing in a field is one step once the field is left.
    void everyChangeIsUndoneAndRedone()
    {
        QFETCH(QString, kind);
        Edit edit;
        for (auto &[name, e] : edits()) {
            if (QString::fromUtf8(name) == kind)
                edit = e;
        }
        writeWohnzimmer({{"#009000=1\nNAVI=K&uuml;che\x03K&uuml;che\x0b",
                          "#009000=3\nNAVI=K&uuml;che\x03K&uuml;che\x0bGarten\x03Garten\x0bKeller\x03Keller\x0b"}});
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(edit.tab);
            if (edit.setup)
                edit.setup();
            const PageDocument before = session().document();
            const QString nameBefore = session().nameText();
            const QStringList shownBefore = shownPage();
            edit.change();
            const PageDocument changed = session().document();
            const QString nameChanged = session().nameText();
            const QStringList shownChanged = shownPage();
            QVERIFY(changed != before || nameChanged != nameBefore);
            QCOMPARE(historyButtons(), (QStringList{u"Rückgängig: "_s + edit.step, QString()}));

            pressUndo();
            // The cell editor hands the page every keystroke, and the session keeps each one as a
            // step of its own: one undo takes back one letter.
            QVERIFY2(session().document() == before, differsFrom(before).constData());
            QCOMPARE(session().nameText(), nameBefore);
            QCOMPARE(shownPage(), shownBefore);
            QCOMPARE(historyButtons().value(1), u"Wiederholen: "_s + edit.step);

            pressRedo();
            QVERIFY2(session().document() == changed, differsFrom(changed).constData());
            QCOMPARE(session().nameText(), nameChanged);
            QCOMPARE(shownPage(), shownChanged);
            QCOMPARE(historyButtons().value(0), u"Rückgängig: "_s + edit.step);
        });
    }

    // The buttons are usable only while there is something to undo or redo, and name the step.
    void undoButtonsFollowTheHistory()
    {
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *undo = child<QToolButton>(u"UndoBtn"_s);
            auto *redo = child<QToolButton>(u"RedoBtn"_s);
            QCOMPARE(historyButtons(), QStringList({QString(), QString()}));
            showTab(u"Objekte"_s);
            clickRow(u"SG"_s, 0);
            click(u"DelActRowBtn"_s);
            QCOMPARE(historyButtons(), QStringList({u"Rückgängig: Objekt löschen"_s, QString()}));
            showTab(u"Navigation"_s);
            clickRow(u"SeitenLB"_s, 0);
            click(u"SelectNaviBtn"_s);
            QCOMPARE(historyButtons(), QStringList({u"Rückgängig: Link hinzufügen"_s, QString()}));

            QTest::mouseClick(undo, Qt::LeftButton);
            QCOMPARE(child<QListWidget>(u"NaviLB"_s)->count(), 1);
            QCOMPARE(historyButtons(),
                     QStringList({u"Rückgängig: Objekt löschen"_s, u"Wiederholen: Link hinzufügen"_s}));
            QTest::mouseClick(undo, Qt::LeftButton);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({u"Licht_Decke"_s, QString()}));
            QCOMPARE(historyButtons(), QStringList({QString(), u"Wiederholen: Objekt löschen"_s}));
            QTest::mouseClick(redo, Qt::LeftButton);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({QString()}));
            // The second redo key.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(child<QListWidget>(u"NaviLB"_s)->count(), 2);
            QCOMPARE(historyButtons(), QStringList({u"Rückgängig: Link hinzufügen"_s, QString()}));

            // A new step after an undo leaves nothing to redo.
            QTest::mouseClick(undo, Qt::LeftButton);
            clickRow(u"SeitenLB"_s, 0);
            click(u"SelectNaviBtn"_s);
            QCOMPARE(historyButtons(), QStringList({u"Rückgängig: Link hinzufügen"_s, QString()}));
        });
    }

    // In a text field Strg+Z undoes the field's own typing first; the page's last step only when
    // the field has nothing of its own to undo.
    void fieldUndoComesFirst_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("field"); // empty: the object grid's cell editor
        QTest::addColumn<QString>("typed"); // empty: the field has nothing of its own to undo
        QTest::newRow("headline") << u"SeitenLayout"_s << u"PageHeadEdt"_s << u" Ost"_s;
        QTest::newRow("number field") << u"SeitenLayout"_s << u"ObjBreiteSE"_s << u"3"_s;
        QTest::newRow("HTML insert") << u"HTMLCode"_s << u"HTMLCode1MB"_s << u"<b>"_s;
        QTest::newRow("headline without typing") << u"SeitenLayout"_s << u"PageHeadEdt"_s << QString();
        QTest::newRow("grid cell editor without typing") << u"Objekte"_s << QString() << QString();
    }

    void fieldUndoComesFirst()
    {
        QFETCH(QString, tab);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        const auto fieldText = [](const QWidget *w) {
            if (const auto *edit = qobject_cast<const QPlainTextEdit *>(w))
                return edit->toPlainText();
            if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
                return spin->text();
            return qobject_cast<const QLineEdit *>(w)->text();
        };
        runEditor(u"Wohnzimmer"_s, [&] {
            const PageDocument opened = session().document();
            showTab(u"Objekte"_s);
            clickOffered(u"Temperatur"_s);
            click(u"SelectObjBtn"_s);
            const PageDocument added = session().document();
            showTab(tab);
            QWidget *edit = nullptr;
            if (field.isEmpty()) {
                clickRow(u"SG"_s, 0, 1);
                QTest::keyClick(child(u"SG"_s), Qt::Key_F2);
                edit = QApplication::focusWidget();
                QVERIFY(qobject_cast<QLineEdit *>(edit));
            } else {
                edit = child(field);
                edit->setFocus();
            }
            if (!typed.isEmpty()) {
                const QString untyped = fieldText(edit);
                QTest::keyClicks(edit, typed);
                const QString typedText = fieldText(edit);
                QVERIFY(typedText != untyped);
                pressUndo();
                QCOMPARE(fieldText(edit), untyped);
                QVERIFY2(session().document() == added, differsFrom(added).constData());
                QCOMPARE(historyButtons(), QStringList({u"Rückgängig: Objekt hinzufügen"_s, QString()}));
                // Strg+Y in the field takes its own typing back too.
                pressRedo();
                QCOMPARE(fieldText(edit), typedText);
                pressUndo();
                QCOMPARE(fieldText(edit), untyped);
            }
            pressUndo();
            QVERIFY2(session().document() == opened, differsFrom(opened).constData());
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0), QStringList({u"Licht_Decke"_s, QString()}));
        });
    }

    // While a link is edited on its panel, Strg+Z undoes the panel's typing, and then nothing: the
    // page's steps wait until the panel is closed with OK or Abbruch.
    void undoWaitsForTheLinkPanel()
    {
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            clickOffered(u"Temperatur"_s);
            click(u"SelectObjBtn"_s);
            const PageDocument added = session().document();
            showTab(u"Navigation"_s);
            click(u"NewLinkBtn"_s);
            auto *name = child<QLineEdit>(u"LinkNamEdt"_s);
            QVERIFY(name->hasFocus());
            QTest::keyClicks(name, u"Wetter"_s);
            pressUndo();
            QCOMPARE(name->text(), QString());
            m_prompt->expectBeep();
            pressUndo();
            QVERIFY(child(u"LinkNamPnl"_s)->isVisibleTo(m_editor.get()));
            QVERIFY2(session().document() == added, differsFrom(added).constData());
            click(u"CancelLinkBtn"_s);
            pressUndo();
            QCOMPARE(session().document().objects.size(), added.objects.size() - 1);
        });
    }

    // Typing goes on in the step of the field until the field is left.
    void typingIsOneStepUntilTheFieldIsLeft()
    {
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *headline = child<QLineEdit>(u"PageHeadEdt"_s);
            for (const QString &typed : {u" Ost"_s, u" Süd"_s}) {
                headline->setFocus();
                headline->end(false);
                typeText(headline, typed);
                leaveField();
            }
            QCOMPARE(session().document().layout.Headline, u"Wohnzimmer Ost Süd"_s);
            pressUndo();
            QCOMPARE(headline->text(), u"Wohnzimmer Ost"_s);
            pressUndo();
            QCOMPARE(headline->text(), u"Wohnzimmer"_s);
            QCOMPARE(historyButtons().value(0), QString());
        });
    }

    // The preview and the file view in front follow undo and redo.
    void viewTabsShowTheRestoredPage_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("view");
        QTest::newRow("Datei-Ansicht") << u"DateiAnsicht"_s << u"FileView"_s;
        QTest::newRow("Vorschau") << u"Vorschau"_s << u"PreviewBrowser"_s;
    }

    void viewTabsShowTheRestoredPage()
    {
        QFETCH(QString, tab);
        QFETCH(QString, view);
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *shown = child<QTextEdit>(view);
            showTab(tab);
            const QString asRead = shown->toPlainText();
            QVERIFY(asRead.contains(u"Deckenlicht"_s));
            showTab(u"Objekte"_s);
            clickRow(u"SG"_s, 0);
            click(u"DelActRowBtn"_s);
            showTab(tab);
            const QString deleted = shown->toPlainText();
            QVERIFY(!deleted.contains(u"Deckenlicht"_s));
            pressUndo();
            QCOMPARE(shown->toPlainText(), asRead);
            pressRedo();
            QCOMPARE(shown->toPlainText(), deleted);
        });
    }

    // OK and Abbrechen end the history; the next page starts without one.
    void historyEndsWithTheEditor_data()
    {
        QTest::addColumn<QString>("close");
        QTest::newRow("OK") << u"OKBtn"_s;
        QTest::newRow("Abbrechen") << u"CancelBtn"_s;
    }

    void historyEndsWithTheEditor()
    {
        QFETCH(QString, close);
        if (close == u"CancelBtn"_s)
            m_prompt->expectYesNo(PageMessages::DiscardChangesQuestion, Prompt::Answer::Yes);
        runEditor(u"Wohnzimmer"_s, [&] {
            // Typing that leaves the fields as they were, with typing of their own to undo.
            for (const QString &field : {u"PageHeadEdt"_s, u"HTMLCode1MB"_s}) {
                if (field == u"HTMLCode1MB"_s)
                    showTab(u"HTMLCode"_s);
                child(field)->setFocus();
                QTest::keyClicks(child(field), u"x"_s);
                QTest::keyClick(child(field), Qt::Key_Backspace);
            }
            showTab(u"Objekte"_s);
            clickRow(u"SG"_s, 0);
            click(u"DelActRowBtn"_s);
            clickRow(u"MG"_s, 0);
            click(u"DelMakroBtn"_s);
            pressUndo();
            QVERIFY(session().canUndo() && session().canRedo());
            click(close);
            QVERIFY(!m_editor->isVisible());
        });
        QVERIFY(!session().canUndo());
        QVERIFY(!session().canRedo());
        runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(historyButtons(), QStringList({QString(), QString()}));
            QVERIFY(!child<QLineEdit>(u"PageHeadEdt"_s)->isUndoAvailable());
            QVERIFY(!child<QPlainTextEdit>(u"HTMLCode1MB"_s)->document()->isUndoAvailable());
        });
    }

    // Undoing another control's step leaves the fields typed in as they are, with their cursor and
    // their own undo.
    void undoLeavesTheFieldsTypedIn()
    {
        runEditor(u"Wohnzimmer"_s, [&] {
            auto *headline = child<QLineEdit>(u"PageHeadEdt"_s);
            headline->setFocus();
            headline->end(false);
            QTest::keyClicks(headline, u" Ost"_s);
            headline->setCursorPosition(3);
            showTab(u"HTMLCode"_s);
            auto *insert = child<QPlainTextEdit>(u"HTMLCode1MB"_s);
            QTest::keyClicks(insert, u"<hr>"_s); // no break after the line
            showTab(u"SeitenLayout"_s);
            auto *mobile = child<QCheckBox>(u"AutoHandyDetectCB"_s);
            QTest::mouseClick(mobile, Qt::LeftButton);
            pressUndo();
            QVERIFY(!mobile->isChecked());
            QCOMPARE(insert->toPlainText(), u"<hr>"_s);
            QVERIFY(insert->document()->isUndoAvailable());
            QCOMPARE(headline->text(), u"Wohnzimmer Ost"_s);
            QCOMPARE(headline->cursorPosition(), 3);
            QVERIFY(headline->isUndoAvailable());
        });
    }

    // Undone back to the page as read, the page counts as unchanged unless a control's focus rule
    // marked it.
    void undoneToThePageAsRead_data()
    {
        QTest::addColumn<bool>("gridEntered");
        QTest::newRow("no control with a rule entered") << false;
        QTest::newRow("object grid entered") << true;
    }

    void undoneToThePageAsRead()
    {
        QFETCH(bool, gridEntered);
        if (gridEntered)
            m_prompt->expectYesNo(PageMessages::DiscardChangesQuestion, Prompt::Answer::Yes);
        runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            if (gridEntered)
                clickRow(u"SG"_s, 0);
            clickOffered(u"Temperatur"_s);
            click(u"SelectObjBtn"_s);
            QVERIFY(session().isChanged());
            pressUndo();
            QCOMPARE(session().isChanged(), gridEntered);
            click(u"CancelBtn"_s);
            QVERIFY(!m_editor->isVisible());
        });
    }
};

QTEST_MAIN(TestSiteDefF)
#include "TestSiteDefF.moc"
