#include "editor/TReassignF.h"

#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "page/PageEditSession.h"
#include "support/AccessibleNames.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/Reassign.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The dialog "Objekte zuordnen" over the project of tests/data/reassign: each control reaches the
// choices, and the grid shows what was chosen. What is proposed and written is tested without it.
class TestReassignF : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheLostNames();
    void handlers_data();
    void handlers();
    void entriesFitTheRow_data();
    void entriesFitTheRow();
    void applyNeedsAChoice();
    void nothingLost();
    void accessibleNames();

private:
    void selectName(const QString &name);
    int choiceOf(const QString &name) const;
    QString assignedOf(const QString &name) const;
    template <typename T> T *child(const QString &name) const { return m_dialog->findChild<T *>(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<PageEditSession> m_session;
    std::unique_ptr<ReassignChoices> m_choices;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<TReassignF> m_dialog;
};

void TestReassignF::init()
{
    QVERIFY(m_dir.isValid());
    const QString data = QFINDTESTDATA("../data/reassign");
    for (const QString &file : {u"HAUS.FNP"_s, u"HAUS_Kueche.SHT"_s, u"HAUS_Bad.SHT"_s, u"HAUS_Garten.SHT"_s}) {
        QFile::remove(m_dir.filePath(file));
        QVERIFY(QFile::copy(data + u'/' + file, m_dir.filePath(file)));
    }
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_state = std::make_unique<AppState>();
    ProjectModel project;
    takeProjectLocation(m_dir.filePath(u"HAUS.FNP"_s), *m_state);
    QVERIFY(ReadProjectFile(m_dir.filePath(u"HAUS.FNP"_s), *m_state, project, *m_prompt));
    QString error;
    const QString exec = writeExecFile(m_dir.path(), u"After.RVX"_s,
                                       listingLines(QString::fromUtf8(fileBytes(data + u"/After.txt"_s))), &error);
    QVERIFY2(!exec.isEmpty(), qPrintable(error));
    QVERIFY(ReadRVXFile(exec, m_state->catalogue, *m_prompt, nullptr));
    m_session = std::make_unique<PageEditSession>(m_state->catalogue);
    m_session->InitAll();
    m_choices = std::make_unique<ReassignChoices>(*m_state, project.Sites, m_session->offered());
    m_choices->takeProposals(AutoAssignScore);
    m_dialog = std::make_unique<TReassignF>(*m_choices, *m_session, *m_prompt);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestReassignF::cleanup()
{
    m_dialog.reset();
    m_choices.reset();
    m_session.reset();
    m_state.reset();
    QVERIFY2(m_prompt->verifyDone(), qPrintable(m_prompt->problems().join(u'\n')));
}

int TestReassignF::choiceOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_choices->choices().size(); ++i) {
        if (m_choices->choices()[i].lost.name == name)
            return int(i);
    }
    return -1;
}

QString TestReassignF::assignedOf(const QString &name) const
{
    const qsizetype assigned = m_choices->choices().at(choiceOf(name)).assigned;
    return assigned < 0 ? QString() : m_session->offered().entries().at(assigned).text;
}

void TestReassignF::selectName(const QString &name)
{
    auto *grid = child<QTableWidget>(u"LostGrid"_s);
    const int row = choiceOf(name);
    QVERIFY(row >= 0);
    const QRect cell = grid->visualItemRect(grid->item(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid->currentRow(), row);
}

void TestReassignF::showsTheLostNames()
{
    auto *grid = child<QTableWidget>(u"LostGrid"_s);
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(grid->item(0, 0)->text(), u"Licht_Kueche"_s);
    QCOMPARE(grid->item(0, 2)->text(), u"Zustände, Aus/Ein"_s);
    QCOMPARE(grid->item(0, 3)->text(), u"2 Zeilen auf 2 Seiten"_s);
    QCOMPARE(grid->item(0, 3)->toolTip(), u"Seiten: Kueche, Bad"_s);
    QCOMPARE(grid->item(0, 4)->text(), u"Kuechenlicht (100, gleicher Platz im Steuerprogramm)"_s);
    // The sure proposals start chosen, the others not.
    QCOMPARE(grid->item(0, 5)->text(), u"Kuechenlicht"_s);
    QCOMPARE(grid->item(choiceOf(u"Licht_1"_s), 5)->text(), u"–"_s);
    QCOMPARE(grid->item(choiceOf(u"Pumpe_Garten"_s), 4)->text(), u"keine Zuordnung"_s);
}

void TestReassignF::handlers_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("assigned"); // afterwards; empty: none
    QTest::newRow("Zuordnen with an entry found by the search") << u"assign"_s << u"Licht_1"_s << u"Licht_2"_s;
    QTest::newRow("double click on an entry") << u"double click"_s << u"Pumpe_Garten"_s << u"Sirene"_s;
    QTest::newRow("Vorschlag übernehmen") << u"proposal"_s << u"Gute_Nacht"_s << u"Gute_Nacht_Modus"_s;
    QTest::newRow("Keine Zuordnung") << u"clear"_s << u"Licht_Kueche"_s << QString();
}

void TestReassignF::handlers()
{
    QFETCH(QString, handler);
    QFETCH(QString, name);
    QFETCH(QString, assigned);
    selectName(name);
    auto *list = child<QListView>(u"EntryBox"_s);
    if (handler == u"assign"_s || handler == u"double click"_s) {
        QTest::keyClicks(child<QLineEdit>(u"SearchEdt"_s), assigned);
        QCOMPARE(list->model()->rowCount(), 1);
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        if (handler == u"assign"_s)
            QTest::mouseClick(child<QPushButton>(u"AssignBtn"_s), Qt::LeftButton);
        else
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    } else {
        QTest::mouseClick(child<QPushButton>(handler == u"proposal"_s ? u"ProposalBtn"_s : u"ClearBtn"_s),
                          Qt::LeftButton);
    }
    QCOMPARE(assignedOf(name), assigned);
    QCOMPARE(child<QTableWidget>(u"LostGrid"_s)->item(choiceOf(name), 5)->text(),
             assigned.isEmpty() ? u"–"_s : assigned);
}

void TestReassignF::entriesFitTheRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("offered");
    // A switch of hardware type 2 can be a macro as well.
    QTest::newRow("a macro row is offered what can be a macro")
        << u"Alles_aus"_s << QStringList{u"Alles_aus_Haus"_s, u"Flur_Dose"_s, u"Gute_Nacht_Modus"_s};
    QTest::newRow("an object row no macros") << u"Licht_Bad"_s
                                             << QStringList{u"Flur_Dose"_s, u"Kuechenlicht"_s, u"Licht_2"_s,
                                                            u"LichtBad"_s, u"Sirene"_s, u"Temperaturwahl_Wohnen"_s};
}

void TestReassignF::entriesFitTheRow()
{
    QFETCH(QString, name);
    QFETCH(QStringList, offered);
    selectName(name);
    auto *list = child<QListView>(u"EntryBox"_s);
    QStringList shown;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        shown << list->model()->index(row, 0).data().toString();
    QCOMPARE(shown, offered);
}

void TestReassignF::applyNeedsAChoice()
{
    auto *apply = child<QPushButton>(u"ApplyBtn"_s);
    QVERIFY(apply->isEnabled());
    for (const QString &name : {u"Licht_Kueche"_s, u"Alles_aus"_s, u"Licht_Bad"_s}) {
        selectName(name);
        QTest::mouseClick(child<QPushButton>(u"ClearBtn"_s), Qt::LeftButton);
    }
    QVERIFY(!apply->isEnabled());
    selectName(u"Licht_Bad"_s);
    QTest::mouseClick(child<QPushButton>(u"ProposalBtn"_s), Qt::LeftButton);
    QVERIFY(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_choices->assignments().size(), 1);
}

void TestReassignF::nothingLost()
{
    // Against the program the pages were written with, nothing is lost: nothing to apply.
    m_dialog.reset();
    m_choices = std::make_unique<ReassignChoices>(*m_state, QStringList(), m_session->offered());
    m_dialog = std::make_unique<TReassignF>(*m_choices, *m_session, *m_prompt);
    QCOMPARE(child<QTableWidget>(u"LostGrid"_s)->rowCount(), 0);
    QVERIFY(!child<QPushButton>(u"ApplyBtn"_s)->isEnabled());
    QVERIFY(!child<QPushButton>(u"AssignBtn"_s)->isEnabled());
}

void TestReassignF::accessibleNames()
{
    QVERIFY2(controlsWithoutAccessibleName(*m_dialog).isEmpty(),
             qPrintable(controlsWithoutAccessibleName(*m_dialog).join(u", "_s)));
}

QTEST_MAIN(TestReassignF)
#include "TestReassignF.moc"
