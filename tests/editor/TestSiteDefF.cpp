#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "editor/TSiteDefF.h"
#include "page/Messages.h"
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
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

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

// What a reorderable list or grid shows (its rows with their ticks, the selected row) and what the
// page holds behind it (IsChanged, the page file as OK would write it), one line each.
QStringList shownRows(const QAbstractItemView *view, const PageModel &page)
{
    const QAbstractItemModel *model = view->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        shown << cells.join(u'|') + model->index(row, 0).data(Qt::CheckStateRole).toString();
    }
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    shown << u"selected %1, IsChanged %2"_s.arg(selected.value(0).row()).arg(page.IsChanged);
    return shown + pageFileLines(page);
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
    PageModel &page() const { return m_workspace->pageModel(); }
    QString pagePath(const QString &name) const { return ProjectFiles::pageFile(m_dir->path(), Project, name); }
    // The page file of Wohnzimmer as init() left it.
    QByteArray untouched() const { return QByteArray(m_fixture).replace("\r\n", "\n"); }
    void click(const QString &button) const { QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton); }
    void showTab(const QString &tab) const { child<QTabWidget>(u"PageControl"_s)->setCurrentWidget(child(tab)); }
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
        child(u"OKBtn"_s)->setFocus();
    }

    void clickOffered(const QString &text) const
    {
        auto *box = child<QListView>(u"ObjBox"_s);
        const QModelIndexList found = box->model()->match(box->model()->index(0, 0), Qt::DisplayRole, text);
        clickItem(box, found.value(0));
    }

    // Shows the editor for page (empty: a new page) and runs script once it is open and active;
    // whatever the script leaves open is closed after it. Returns showPageEditor()'s result.
    bool runEditor(const QString &name, const std::function<void()> &script)
    {
        page().SiteName = name;
        page().DirDat = m_dir->path();
        page().MainName = Project;
        page().NewPage = name.isEmpty();
        QTimer::singleShot(0, m_editor.get(), [this, script] {
            if (QTest::qWaitForWindowActive(m_editor.get()))
                script();
            else
                QTest::qFail("the editor did not become active", __FILE__, __LINE__);
            if (m_editor->isVisible())
                m_editor->done(QDialog::Rejected);
        });
        return m_editor->showPageEditor();
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
        m_editor = std::make_unique<TSiteDefF>(*m_workspace, *m_prompt);
        page().InitAll(); // as at program start: after the editor exists
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
        const bool saved = runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), u"Wohnzimmer"_s);
            QCOMPARE(child<QTabWidget>(u"PageControl"_s)->currentWidget(), child(u"SeitenLayout"_s));
            QCOMPARE(QApplication::focusWidget(), child(u"PageNameEdt"_s));
            QVERIFY(!page().IsChanged);
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 0).size(), fileThere ? 2 : 1);
            QCOMPARE(gridColumn(child<QTableView>(u"MG"_s), 1).first(), fileThere ? u"Alles aus"_s : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QVERIFY(saved);
        const QByteArray written = Cp1252::encode(pageFileLines(page()).join(u"\r\n"_s) + u"\r\n"_s);
        QCOMPARE(fileBytes(pagePath(u"Wohnzimmer"_s)), fileThere ? m_fixture : written);
    }

    void okChecksTheName_data()
    {
        QTest::addColumn<QString>("opened"); // empty: a new page
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error"); // empty: saved under the trimmed name
        const QString taken = PageMessages::NameTaken;
        QTest::newRow("another page in other letter case") << u"Wohnzimmer"_s << u"küche"_s << taken;
        QTest::newRow("its own name in other letter case") << u"Wohnzimmer"_s << u"wohnzimmer"_s << taken;
        QTest::newRow("new page named like one in other case") << QString() << u"KÜCHE"_s << taken;
        QTest::newRow("blanks only") << u"Wohnzimmer"_s << u"   "_s << PageMessages::NameMissing;
        QTest::newRow("new page with blanks around") << QString() << u"  Bad  "_s << QString();
        QTest::newRow("renamed to a free name") << u"Wohnzimmer"_s << u"Bad"_s << QString();
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

        const bool saved = runEditor(opened, [&] {
            auto *name = child<QLineEdit>(u"PageNameEdt"_s);
            name->selectAll();
            typeText(name, typed);
            showTab(u"Objekte"_s);
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), typed);
            click(u"OKBtn"_s);
            QCOMPARE(m_editor->isVisible(), !error.isEmpty());
        });

        QCOMPARE(saved, error.isEmpty());
        QCOMPARE(child<QLineEdit>(u"PageNameEdt"_s)->text(), trimmed);
        if (saved) {
            QCOMPARE(page().SiteName, trimmed);
            QCOMPARE(child<QLabel>(u"SiteNamPnl"_s)->text(), trimmed);
            QVERIFY(QFileInfo::exists(pagePath(trimmed)));
            return;
        }
        // The name field is in front with the trimmed name before the message appears.
        QCOMPARE(tabAtError, u"SeitenLayout"_s);
        QCOMPARE(focusAtError, u"PageNameEdt"_s);
        QCOMPARE(nameAtError, trimmed);
        QVERIFY(page().IsChanged); // the focus came back into the name field from the OK button
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
        const bool saved = runEditor(u"Wohnzimmer"_s, [&] {
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

    void gridRows_data()
    {
        QTest::addColumn<QStringList>("names"); // grid; add, delete, up, down button; two offered entries
        QTest::addColumn<bool>("marksChanged"); // by adding a row and by entering the grid
        QTest::newRow("object rows")
            << u"SG SelectObjBtn DelActRowBtn MoveUpBtn MoveDownBtn Licht_Decke Temperatur"_s.split(u' ') << true;
        QTest::newRow("macro rows")
            << u"MG SelectMakroBtn DelMakroBtn MakroMoveUpBtn MakroMoveDownBtn Alles_Aus Pumpe"_s.split(u' ') << false;
    }

    void gridRows()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, marksChanged);
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
            QCOMPARE(page().IsChanged, marksChanged);

            enum { Delete = 2, Up, Down };
            // The row selected first (-1: as it is), the button, the rows and the current row after it.
            const std::tuple<int, int, QString, int> steps[] = {
                {2, Up, u"ab"_s, 2},   {2, Down, u"ab"_s, 2}, {2, Delete, u"ab"_s, 2}, // the blank row stays
                {1, Down, u"ab"_s, 1}, // the last data row never moves into the blank row
                {-1, Up, u"ba"_s, 0},  {-1, Up, u"ba"_s, 0},  {-1, Delete, u"a"_s, 0}, {-1, Delete, QString(), 0}};
            for (const auto &[select, button, after, current] : steps) {
                if (select >= 0)
                    view->setCurrentIndex(view->model()->index(select, 0));
                click(names[button]);
                QCOMPARE(gridColumn(view, 0), rows(after));
                QCOMPARE(view->currentIndex().row(), current);
                QCOMPARE(page().IsChanged, marksChanged || after.size() < 2); // moving marks nothing
            }
            page().IsChanged = false;
            view->setFocus(Qt::TabFocusReason);
            QCOMPARE(page().IsChanged, marksChanged);
        });
    }

    void selectingAnInputCellToggles_data()
    {
        QTest::addColumn<int>("row"); // 0: Licht_Decke "nein", 1: Temperatur "###", 2: the blank row
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("autoAkt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("click") << 0 << u"click"_s << false << u"ja"_s;
        QTest::newRow("second click on the same cell") << 0 << u"click twice"_s << false << u"nein"_s;
        QTest::newRow("Tab from the label") << 0 << u"Tab"_s << false << u"ja"_s;
        QTest::newRow("arrow from the label") << 0 << u"Right"_s << false << u"ja"_s;
        QTest::newRow("click on ###") << 1 << u"click"_s << false << u"###"_s;
        QTest::newRow("arrow onto ###") << 1 << u"Right"_s << false << u"###"_s;
        QTest::newRow("click in the blank row") << 2 << u"click"_s << false << QString();
        QTest::newRow("ja with automatic refresh") << 0 << u"click"_s << true << u"ja"_s;
    }

    void selectingAnInputCellToggles()
    {
        QFETCH(int, row);
        QFETCH(QString, how);
        QFETCH(bool, autoAkt);
        QFETCH(QString, expected);
        if (autoAkt)
            m_prompt->expectError(PageMessages::AutoRefreshWithInput);
        runEditor(u"Wohnzimmer"_s, [&] {
            page().SiteData.AutoAkt = autoAkt;
            showTab(u"Objekte"_s);
            clickOffered(u"Temperatur"_s);
            click(u"SelectObjBtn"_s);
            auto *view = child<QTableView>(u"SG"_s);
            const QModelIndex input = view->model()->index(row, 2);
            if (how.startsWith(u"click"_s)) {
                clickItem(view, input);
                if (how == u"click twice"_s)
                    clickItem(view, input);
            } else {
                view->setCurrentIndex(view->model()->index(row, 1));
                view->setFocus();
                QTest::keyClick(view, how == u"Tab"_s ? Qt::Key_Tab : Qt::Key_Right);
            }
            QCOMPARE(view->currentIndex(), input);
            QCOMPARE(input.data().toString(), expected);
            QCOMPARE(page().sgRow(row + 1).input, expected);
            QVERIFY(!page().SiteData.AutoAkt);
            // Where a button puts the current cell after its work, nothing is selected by the user.
            click(u"MoveUpBtn"_s);
            QCOMPARE(view->currentIndex().column(), 2);
            QCOMPARE(view->currentIndex().data().toString(), expected);
        });
    }

    void labelsRefuseSeparators_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("how"); // "type" over the label, "paste" over it, "insert" before it
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("beeps");
        QTest::newRow("typed into an object label") << u"SG"_s << 0 << u"type"_s << u"A@B\"C"_s << u"ABC"_s << 2;
        QTest::newRow("typed into the blank row") << u"SG"_s << 1 << u"type"_s << u"@Neu"_s << u"Neu"_s << 1;
        QTest::newRow("pasted into a macro label") << u"MG"_s << 0 << u"paste"_s << u"x@y\"z"_s << u"xyz"_s << 1;
        QTest::newRow("typed before a macro label")
            << u"MG"_s << 0 << u"insert"_s << u"Nicht @"_s << u"Nicht Alles aus"_s << 1;
    }

    void labelsRefuseSeparators()
    {
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(QString, how);
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
            if (how == u"insert"_s)
                editor->home(false);
            else
                editor->selectAll();
            if (how == u"paste"_s) {
                QApplication::clipboard()->setText(input);
                QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
            } else {
                typeText(editor, input);
            }
            QCOMPARE(editor->text(), label);
            // The model has the label while the cell is still being edited.
            QCOMPARE(grid == u"SG"_s ? page().sgRow(row + 1).label : page().mgRow(row + 1).label, label);
        });
    }

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
            clickOffered(u"Temperatur"_s);
            expect(true, false);
            clickOffered(u"Pumpe"_s);
            expect(false, true);
            QTest::keyClick(child(u"ObjBox"_s), Qt::Key_Up);
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
        page().InitAll();
        m_prompt->expectYesNoDefaultNo(PageModel::unresolvedRowsQuestion(2), Prompt::Answer(answer));
        const bool saved = runEditor(u"Wohnzimmer"_s, [&] {
            showTab(u"Objekte"_s);
            auto *notice = child<QLabel>(u"CatalogueNoticeLb"_s);
            QVERIFY(notice->isVisible());
            QCOMPARE(notice->text(), u"Keine Ausführungsdatei gelesen"_s);
            QCOMPARE(notice->toolTip(), u"Datei %1 nicht gefunden"_s.arg(missing));
            QCOMPARE(gridColumn(child<QTableView>(u"SG"_s), 2), QStringList({u"Fehler"_s, QString()}));
            click(u"OKBtn"_s);
            QCOMPARE(m_editor->isVisible(), answer == int(Prompt::Answer::No));
        });
        QCOMPARE(saved, answer == int(Prompt::Answer::Yes));
        const QByteArray file = fileBytes(pagePath(u"Wohnzimmer"_s));
        if (!saved) {
            QCOMPARE(file, untouched());
            return;
        }
        QVERIFY(!file.contains("OBJROW=") && !file.contains("MACRO="));
        // With objects offered again the notice goes.
        fillCatalogue(m_state->catalogue);
        page().InitAll();
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
            const QList<CheckEntry> &order = names[0] == u"ObjSeqLB"_s ? page().ObjSeqLB : page().PagePosLB;
            const QString moved = order[entry].text;
            clickItem(list, list->model()->index(entry, 0));
            list->item(entry)->setCheckState(Qt::Unchecked);
            for (int i = 0; i <= entry; ++i) // once more than needed: the top entry stays
                click(names[1]);
            QCOMPARE(order.first(), (CheckEntry{moved, false}));
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
            click(names[2]);
            QCOMPARE(order[1], (CheckEntry{moved, false}));
            QCOMPARE(list->item(1)->text(), moved);
            QVERIFY(order[0].checked);
            QVERIFY(!page().IsChanged);
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
        QTest::newRow("object row dropped onto itself") << sg << 1 << 1 << true << 0 << u"0123"_s;
        QTest::newRow("macro row up one") << mg << 1 << 0 << false << -1 << u"1023"_s;
        QTest::newRow("macro row just above the blank row") << mg << 1 << 3 << false << 1 << u"0213"_s;
        QTest::newRow("macro row below all rows") << mg << 2 << -1 << false << 0 << u"0123"_s;
        QTest::newRow("link down one") << links << 0 << 1 << true << 1 << u"102"_s;
        QTest::newRow("link to the end, below all links") << links << 0 << -1 << false << 2 << u"120"_s;
        QTest::newRow("link to the top") << links << 2 << 0 << false << -2 << u"201"_s;
        QTest::newRow("unticked build part to the top") << parts << 4 << 0 << false << -4 << u"401235"_s;
        QTest::newRow("build part to the end") << parts << 1 << 5 << true << 4 << u"023451"_s;
        QTest::newRow("unticked column to the end") << cols << 1 << 2 << true << 1 << u"021"_s;
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
            before = shownRows(view, page());
            for (int i = 0; i < std::abs(presses); ++i)
                click(names[presses > 0 ? 2 : 1]);
            byButtons = shownRows(view, page());
        });
        runEditor(u"Wohnzimmer"_s, [&] {
            QAbstractItemView *view = open();
            dropSelectedRow(view, onto, lowerHalf);
            byDragging = shownRows(view, page());
        });
        QCOMPARE(byDragging, byButtons);
        QStringList expected;
        for (const QChar place : order)
            expected << before.value(place.digitValue());
        QCOMPARE(byDragging.mid(0, order.size()), expected);
        QCOMPARE(byDragging.value(order.size()).section(u',', 0, 0),
                 u"selected %1"_s.arg(order.indexOf(QChar(u'0' + from))));
    }

    void numberFieldsKeepTheirLimits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line"); // in the page file written by OK
        QTest::newRow("900 seconds") << u"AutoAktSecSE"_s << u"900"_s << 300 << u"AutoAktSec=300"_s;
        QTest::newRow("seconds not a number") << u"AutoAktSecSE"_s << u"abc"_s << 5 << u"AutoAktSec=5"_s;
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
        QTest::addColumn<QString>("control"); // the focus enters it from where the tab put it
        QTest::addColumn<bool>("marks");
        QTest::newRow("headline") << u"SeitenLayout"_s << u"PageHeadEdt"_s << true;
        QTest::newRow("headline font button") << u"SeitenLayout"_s << u"HeadFontBtn"_s << true;
        QTest::newRow("object table margin") << u"SeitenLayout"_s << u"LeftMarginObjSE"_s << true;
        QTest::newRow("page background") << u"SeitenLayout"_s << u"ColBGPnl"_s << true;
        QTest::newRow("table sizes") << u"SeitenLayout"_s << u"PageWidthSE"_s << false;
        QTest::newRow("general options") << u"SeitenLayout"_s << u"AutoAktSecSE"_s << false;
        QTest::newRow("build order") << u"SeitenLayout"_s << u"PagePosLB"_s << false;
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
            showTab(tab);
            page().IsChanged = false;
            child(control)->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), child(control));
            QCOMPARE(page().IsChanged, marks);
        });
    }

    void autoRefreshRule_data()
    {
        QTest::addColumn<bool>("autoAktInFile");
        QTest::addColumn<bool>("inputInFile");
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("ticked"); // AutoAktCB afterwards
        QTest::addColumn<bool>("usable");
        QTest::newRow("ticked on a page with an input field") << false << true << u"tick"_s << true << false << true;
        QTest::newRow("ticked on a page without one") << false << false << u"tick"_s << false << true << true;
        QTest::newRow("input field made while ticked") << true << false << u"input"_s << true << false << true;
        QTest::newRow("OK with both") << true << true << u"OK"_s << true << false << true;
        QTest::newRow("HTML tab entered with an input field") << true << true << u"HTML"_s << false << false << false;
        QTest::newRow("HTML tab entered without one") << true << false << u"HTML"_s << false << true << true;
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
        const bool saved = runEditor(u"Wohnzimmer"_s, [&] {
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
        QCOMPARE(page().SiteData.AutoAkt, ticked);
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
        QTest::newRow("ticked and unticked") << u"tick twice"_s << false << 0;
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
        // As the page list hands the project's options to a new page.
        page().SiteData.BrowserWidth = 800;
        page().SiteData.AutoWidth = how == u"new page"_s;
        runEditor(how == u"new page"_s ? QString() : u"Wohnzimmer"_s, [&] {
            auto *box = child<QCheckBox>(u"AutoHandyDetectCB"_s);
            const int clicks = how == u"tick"_s ? 1 : (how == u"tick twice"_s ? 2 : 0);
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), greyed);
            QCOMPARE(child(u"BrowserWidthSE"_s)->isEnabled(), !greyed);
            QCOMPARE(child(u"FixWidthLb"_s)->isEnabled(), !greyed);
            QCOMPARE(child<QSpinBox>(u"BrowserWidthSE"_s)->value(), width);
            QCOMPARE(page().SiteData.AutoWidth, greyed);
        });
    }

    void styleDialogsReachTheFile_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QStringList>("lines"); // in the file written by OK; empty: the file as it was
        QTest::addColumn<bool>("marks");
        // Verdana 14 bold, italic and strike-out in pure red; the colour dialog answers pure blue.
        const QString layout = u"SeitenLayout"_s;
        QTest::newRow("headline font") << layout << u"HeadFontBtn"_s << true
                                       << QStringList{u"FNHEAD=Verdana"_s, u"FSHEAD=14"_s, u"FSTHEAD=11"_s,
                                                      u"FCHEAD=FF0000"_s, u"FCBHEAD=FFFFFF"_s}
                                       << true;
        QTest::newRow("label font") << layout << u"ObjektFontBtn"_s << true
                                    << QStringList{u"FNOBJ=Verdana"_s, u"FSTOBJ=11"_s, u"FCOBJ=FF0000"_s} << true;
        QTest::newRow("value background")
            << layout << u"ValueBGColBtn"_s << true << QStringList{u"FNVAL=Arial"_s, u"FCBVAL=0000FF"_s} << true;
        QTest::newRow("page background") << layout << u"ColBGPnl"_s << true << QStringList{u"BG=0000FF"_s} << true;
        QTest::newRow("link font") << u"Navigation"_s << u"NaviFontlBtn"_s << true
                                   << QStringList{u"FNNAV=Verdana"_s, u"FSNAV=14"_s, u"FSTNAV=11"_s} << false;
        QTest::newRow("link background") << u"Navigation"_s << u"NaviBGColBtn"_s << true
                                         << QStringList{u"FCBNAV=0000FF"_s} << false;
        QTest::newRow("font dialog cancelled") << layout << u"ValueFontBtn"_s << false << QStringList() << true;
        QTest::newRow("colour dialog cancelled") << layout << u"ColBGPnl"_s << false << QStringList() << true;
    }

    void styleDialogsReachTheFile()
    {
        QFETCH(QString, tab);
        QFETCH(QString, button);
        QFETCH(bool, accept);
        QFETCH(QStringList, lines);
        QFETCH(bool, marks);
        const bool font = button.contains(u"Font"_s);
        if (font)
            m_prompt->expectFont(accept, {u"Verdana"_s, 14, fsBold | fsItalic | fsStrikeOut, 0x0000FF});
        else
            m_prompt->expectColour(accept, 0xFF0000);
        QVERIFY(runEditor(u"Wohnzimmer"_s, [&] {
            showTab(tab);
            click(button);
            QCOMPARE(page().IsChanged, marks);
            click(u"OKBtn"_s);
        }));
        if (lines.isEmpty())
            QCOMPARE(fileBytes(pagePath(u"Wohnzimmer"_s)), m_fixture);
        for (const QString &line : std::as_const(lines))
            QVERIFY2(writtenLines().contains(line), qPrintable(line));
    }

    void previewsGrowUpToTheirCaps_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("cap");
        QTest::newRow("headline") << u"SeitenLayout"_s << u"HeadFontPnl"_s << u"HeadFontBtn"_s << 240;
        QTest::newRow("labels") << u"SeitenLayout"_s << u"ObjektFontPnl"_s << u"ObjektFontBtn"_s << 175;
        QTest::newRow("values") << u"SeitenLayout"_s << u"ValueFontPnl"_s << u"ValueFontBtn"_s << 175;
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
            child(u"OKBtn"_s)->setFocus();
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
        QTest::newRow("quote in the target") << u"edit 1"_s << true << QString() << u"a\"b"_s << u"Return"_s
                                             << PageMessages::LinkQuote << QStringList{page, help};
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
            QVERIFY(page().IsChanged);
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
            QVERIFY(page().IsChanged);
        });
        QCOMPARE(page().NaviLB, links);
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
            QCOMPARE(page().HTMLCode1MB, lines);
            QVERIFY(page().IsChanged);
            click(u"OKBtn"_s);
        }));
        runEditor(u"Wohnzimmer"_s, [&] {
            QCOMPARE(page().HTMLCode1MB, lines);
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
        };
        for (const auto &[control, name] : names)
            QCOMPARE(child(control)->accessibleName(), name);
    }
};

QTEST_MAIN(TestSiteDefF)
#include "TestSiteDefF.moc"
