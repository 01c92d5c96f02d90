#include "catalogue/Catalogue.h"
#include "editor/TSiteDefF.h"
#include "page/Messages.h"
#include "page/PageFileWriter.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/Messages.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString Project = u"HAUS"_s;

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
} // namespace

// The page editor offscreen on a workspace with a small catalogue and the pages Wohnzimmer (with
// its file) and Küche, driven through its controls while it runs modally.
class TestSiteDefF : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<EditorPrompt> m_prompt;
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
        m_workspace = std::make_unique<Workspace>(*m_state, *m_prompt);
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

    void columnOrderKeepsTicks()
    {
        runEditor(u"Wohnzimmer"_s, [this] {
            showTab(u"Objekte"_s);
            auto *list = child<QListWidget>(u"ObjSeqLB"_s);
            clickItem(list, list->model()->index(2, 0));
            list->item(2)->setCheckState(Qt::Unchecked);
            for (int i = 0; i < 3; ++i)
                click(u"ObjColUpBtn"_s);
            const QList<CheckEntry> order = {
                {u"Eingabe"_s, false}, {u"Bezeichnung"_s, true}, {u"Zustand/Wert"_s, true}};
            QCOMPARE(page().ObjSeqLB, order);
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
            QCOMPARE(list->item(1)->text(), u"Bezeichnung"_s);
            QVERIFY(!page().IsChanged);
        });
    }
};

QTEST_MAIN(TestSiteDefF)
#include "TestSiteDefF.moc"
