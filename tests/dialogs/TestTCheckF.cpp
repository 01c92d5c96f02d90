#include "dialogs/TCheckF.h"
#include "support/AccessibleNames.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = CheckFinding::Kind;

// One finding of each sort the window treats differently: about the project, a user, a page of
// the list (with and without its file) and a page file of no listed page.
const QList<CheckFinding> Findings = {
    {Kind::ExecFile, {}, {}, u"Ausführungsdatei: Das Projekt nennt keine Ausführungsdatei."_s},
    {Kind::UserWithoutPassword, {}, u"Benutzer „ben“"_s, u"Benutzer „ben“: Der Benutzer hat kein Kennwort."_s},
    {Kind::ObjectRow, u"Licht"_s, u"Objektzeile 2 („Lampe“)"_s,
     u"Seite „Licht“, Objektzeile 2 („Lampe“): Das Objekt wird nicht mehr angeboten."_s},
    {Kind::PageFileMissing, u"Bad"_s, {}, u"Seite „Bad“: Die Seitendatei fehlt."_s},
    {Kind::PageFileNotListed, u"Alt"_s, u"HAUS_Alt.SHT"_s, u"Seitendatei HAUS_Alt.SHT: Die Seite „Alt“ fehlt."_s},
};

QStringList shownTexts(const QListView &list)
{
    QStringList texts;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        texts << list.model()->index(row, 0).data().toString();
    return texts;
}

QStringList chosenPages(const QSignalSpy &spy)
{
    QStringList pages;
    for (const QList<QVariant> &arguments : spy)
        pages << arguments.first().toString();
    return pages;
}

} // namespace

class TestTCheckF : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void showsTheFindingsUnderASummary_data();
    void showsTheFindingsUnderASummary();
    void doubleClickOpensPagesOfTheList_data();
    void doubleClickOpensPagesOfTheList();
    void openButtonFollowsTheSelection();
    void controlsAreNamed();

private:
    ScriptedPrompt m_prompt;
};

void TestTCheckF::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY2(m_prompt.verifyDone(), qPrintable(m_prompt.problems().join(u'\n')));
}

void TestTCheckF::showsTheFindingsUnderASummary_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("summary");
    const QString hint = u"Ein Doppelklick auf einen Befund zu einer Seite öffnet die Seite."_s;
    QTest::newRow("nothing found") << 0 << u"Keine Befunde: das Projekt ist in Ordnung."_s;
    QTest::newRow("one finding") << 1 << u"1 Befund. "_s + hint;
    QTest::newRow("several findings") << 5 << u"5 Befunde. "_s + hint;
}

void TestTCheckF::showsTheFindingsUnderASummary()
{
    QFETCH(int, count);
    QFETCH(QString, summary);
    TCheckF dialog(m_prompt);
    // Findings shown before give way to the new ones.
    dialog.setFindings(Findings);
    dialog.setFindings(Findings.mid(0, count));

    QStringList texts;
    for (const CheckFinding &finding : Findings.mid(0, count))
        texts << finding.text;
    QCOMPARE(shownTexts(*dialog.findChild<QListView *>(u"FindingsLB"_s)), texts);
    QCOMPARE(dialog.findChild<QLabel *>(u"SummaryLb"_s)->text(), summary);
    QCOMPARE(dialog.windowTitle(), u"Projekt prüfen"_s);
}

void TestTCheckF::doubleClickOpensPagesOfTheList_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("execution file") << 0 << QStringList();
    QTest::newRow("user") << 1 << QStringList();
    QTest::newRow("row of a page") << 2 << QStringList{u"Licht"_s};
    QTest::newRow("page without file") << 3 << QStringList{u"Bad"_s};
    QTest::newRow("page file of no listed page") << 4 << QStringList();
}

void TestTCheckF::doubleClickOpensPagesOfTheList()
{
    QFETCH(int, row);
    QFETCH(QStringList, pages);
    TCheckF dialog(m_prompt);
    dialog.setFindings(Findings);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy chosen(&dialog, &TCheckF::pageChosen);

    auto *list = dialog.findChild<QListView *>(u"FindingsLB"_s);
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QVERIFY(!item.isEmpty());
    // A double click reaches a view as press, release, double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());

    QCOMPARE(chosenPages(chosen), pages);
    QVERIFY(dialog.isVisible());
}

void TestTCheckF::openButtonFollowsTheSelection()
{
    TCheckF dialog(m_prompt);
    dialog.setFindings(Findings);
    QSignalSpy chosen(&dialog, &TCheckF::pageChosen);
    auto *list = dialog.findChild<QListView *>(u"FindingsLB"_s);
    auto *open = dialog.findChild<QPushButton *>(u"OpenPageBtn"_s);
    QVERIFY(!open->isEnabled());

    list->setCurrentIndex(list->model()->index(2, 0));
    QVERIFY(open->isEnabled());
    open->click();
    QCOMPARE(chosenPages(chosen), QStringList{u"Licht"_s});

    list->setCurrentIndex(list->model()->index(4, 0));
    QVERIFY(!open->isEnabled());

    // New findings: nothing is selected any more.
    list->setCurrentIndex(list->model()->index(3, 0));
    dialog.setFindings(Findings.mid(2));
    QVERIFY(!open->isEnabled());
}

void TestTCheckF::controlsAreNamed()
{
    TCheckF dialog(m_prompt);
    QCOMPARE(controlsWithoutAccessibleName(dialog), QStringList());
}

QTEST_MAIN(TestTCheckF)
#include "TestTCheckF.moc"
