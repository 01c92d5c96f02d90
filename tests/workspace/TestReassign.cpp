#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "page/PageEditSession.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/AtomicFile.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/Reassign.h"
#include "workspace/Refresh.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The project of tests/data/reassign: three pages written with Before.txt's control program, read
// against After.txt's, which renamed, renumbered, moved and deleted some of their objects.
class TestReassign : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lostNames();
    void proposals_data();
    void proposals();
    void proposalsNeedAFittingEntry();
    void assignedRowsAreWhatARefreshWrites();
    void nothingElseChanges();
    void allPagesOrNone();
    void summary();
    void findingReadsOnly();
    void filesAllOrNone_data();
    void filesAllOrNone();
    void choices_data();
    void choices();
    void editorAsksBeforeWriting_data();
    void editorAsksBeforeWriting();

private:
    QString page(const QString &name) const { return ProjectFiles::pageFile(m_dir->path(), u"HAUS"_s, name); }
    // The proposal for each lost name, as assignments.
    QList<Assignment> proposed() const;
    // Each page's file as it is now.
    QHash<QString, QByteArray> pageBytes() const;
    qsizetype offered(const QString &text) const { return m_offered->indexOf(text); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<OfferedEntries> m_offered;
    std::unique_ptr<ReplacementFinder> m_finder;
    QStringList m_pages;
    QString m_execFile;
};

namespace {

QString execFile(const QString &folder, const QString &listing)
{
    QString error;
    const QString path = writeExecFile(folder, listing.chopped(4) + u".RVX"_s,
                                       listingLines(QString::fromUtf8(fileBytes(QFINDTESTDATA(u"../data/reassign/"_s + listing)))),
                                       &error);
    if (path.isEmpty())
        qWarning("%s", qPrintable(error));
    return path;
}

const QStringList ProjectFiles_ = {u"HAUS.FNP"_s, u"HAUS_Kueche.SHT"_s, u"HAUS_Bad.SHT"_s, u"HAUS_Garten.SHT"_s};

} // namespace

void TestReassign::init()
{
    m_finder.reset();
    m_offered.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = QFINDTESTDATA("../data/reassign");
    for (const QString &file : ProjectFiles_) {
        QVERIFY(QFile::copy(m_data + u'/' + file, m_dir->filePath(file)));
        QFile::setPermissions(m_dir->filePath(file), QFile::ReadOwner | QFile::WriteOwner);
    }
    m_state = std::make_unique<AppState>();
    ProjectModel project;
    ScriptedPrompt prompt;
    takeProjectLocation(m_dir->filePath(u"HAUS.FNP"_s), *m_state);
    QVERIFY(ReadProjectFile(m_dir->filePath(u"HAUS.FNP"_s), *m_state, project, prompt));
    m_pages = project.Sites;
    m_execFile = execFile(m_dir->path(), u"After.txt"_s);
    QVERIFY(ReadRVXFile(m_execFile, m_state->catalogue, prompt, &m_state->ExecFileDate));
    m_offered = std::make_unique<OfferedEntries>(m_state->catalogue);
    m_offered->rebuild();
    m_finder = std::make_unique<ReplacementFinder>(*m_offered, m_state->catalogue);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QList<Assignment> TestReassign::proposed() const
{
    QList<Assignment> assignments;
    for (const LostName &lost : findLostNames(*m_state, m_pages, *m_offered))
        assignments.append({lost.kind, lost.name, m_finder->propose(lost).offered});
    return assignments;
}

QHash<QString, QByteArray> TestReassign::pageBytes() const
{
    QHash<QString, QByteArray> bytes;
    for (const QString &name : m_pages)
        bytes.insert(name, fileBytes(page(name)));
    return bytes;
}

void TestReassign::lostNames()
{
    QStringList unread;
    const QList<LostName> lost = findLostNames(*m_state, m_pages + QStringList{u"Fehlt"_s}, *m_offered, &unread);
    QCOMPARE(unread, QStringList{u"Fehlt"_s});
    QStringList seen;
    for (const LostName &name : lost)
        seen << u"%1 %2: %3 rows on %4 (%5)"_s.arg(name.kind == RowKind::Macro ? u"macro"_s : u"object"_s, name.name)
                    .arg(name.rows)
                    .arg(name.pages.join(u','), name.recorded.description());
    QCOMPARE(seen, (QStringList{
                       u"object Licht_Kueche: 2 rows on Kueche,Bad (Zustände, Aus/Ein)"_s,
                       u"object Steckdose_Flur: 1 rows on Kueche (Zustände, Aus/Ein)"_s,
                       u"macro Alles_aus: 3 rows on Kueche,Bad,Garten (Makro 60)"_s,
                       u"object Licht_Bad: 1 rows on Bad (Zustände, Aus/Ein)"_s,
                       u"object Licht_1: 1 rows on Bad (Zustände, Aus/Ein)"_s,
                       u"macro Gute_Nacht: 1 rows on Bad (Makro 61)"_s,
                       u"object Pumpe_Garten: 1 rows on Garten (Zustände, Aus/Ein)"_s,
                       u"object Temperatur_Wohnen: 1 rows on Garten (Zahl, -20.0 bis 40.0)"_s,
                   }));
    // The first row's label and recorded place.
    QCOMPARE(lost.first().label, u"Licht Küche"_s);
    QCOMPARE(lost.first().recorded.place(), u"O@1001@U@1"_s);
}

void TestReassign::proposals_data()
{
    QTest::addColumn<QString>("lost");
    QTest::addColumn<QString>("proposal"); // empty: keine Zuordnung
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("basis");
    using B = Proposal::Basis;
    QTest::newRow("renamed in its place") << u"Licht_Kueche"_s << u"Kuechenlicht"_s << 100 << int(B::Place);
    QTest::newRow("renamed and renumbered") << u"Licht_Bad"_s << u"LichtBad"_s << 80 << int(B::Name);
    QTest::newRow("renamed, renumbered, described as before")
        << u"Steckdose_Flur"_s << u"Flur_Dose"_s << 60 << int(B::Description);
    QTest::newRow("another number is another object") << u"Licht_1"_s << u"Licht_2"_s << 60 << int(B::Name);
    QTest::newRow("moved to another kind") << u"Temperatur_Wohnen"_s << QString() << 0 << int(B::None);
    QTest::newRow("deleted") << u"Pumpe_Garten"_s << QString() << 0 << int(B::None);
    QTest::newRow("macro renamed under its number") << u"Alles_aus"_s << u"Alles_aus_Haus"_s << 100 << int(B::Place);
    QTest::newRow("macro renamed and renumbered") << u"Gute_Nacht"_s << u"Gute_Nacht_Modus"_s << 56 << int(B::Name);
}

void TestReassign::proposals()
{
    QFETCH(QString, lost);
    QFETCH(QString, proposal);
    QFETCH(int, score);
    QFETCH(int, basis);
    const QList<LostName> names = findLostNames(*m_state, m_pages, *m_offered);
    const auto found = std::find_if(names.cbegin(), names.cend(), [&](const LostName &n) { return n.name == lost; });
    QVERIFY(found != names.cend());
    const Proposal p = m_finder->propose(*found);
    QCOMPARE(p, (Proposal{proposal.isEmpty() ? -1 : offered(proposal), score, Proposal::Basis(basis)}));
    QCOMPARE(score >= AutoAssignScore, score > 60);
}

void TestReassign::proposalsNeedAFittingEntry()
{
    // An object row is never proposed a macro, nor a macro row an object, whatever the names.
    LostName macro{RowKind::Macro, u"Kuechenlicht"_s, QString(), {}, 1, {u"Bad"_s}};
    macro.recorded.objIdx = 1; // the number of the lamp
    const Proposal forMacro = m_finder->propose(macro);
    QVERIFY(forMacro.offered < 0 || m_offered->entries().at(forMacro.offered).entry->ObjKind == u'M');
    LostName object{RowKind::Object, u"Alles_aus_Haus"_s, QString(), {}, 1, {u"Bad"_s}};
    object.recorded.kind = u"M"_s;
    QCOMPARE(m_finder->propose(object).offered, -1);
    QVERIFY(!m_finder->fits(offered(u"Alles_aus_Haus"_s), RowKind::Object));
    QVERIFY(!m_finder->fits(offered(u"Kuechenlicht"_s), RowKind::Macro));
}

void TestReassign::assignedRowsAreWhatARefreshWrites()
{
    // By hand: the new names typed into copies of the page files, then a refresh.
    QTemporaryDir byHand;
    for (const QString &file : ProjectFiles_) {
        QByteArray bytes = fileBytes(m_dir->filePath(file));
        for (const auto &[from, to] : {std::pair{"=Licht_Kueche@", "=Kuechenlicht@"},
                                        std::pair{"=Steckdose_Flur@", "=Flur_Dose@"}, std::pair{"=Licht_Bad@", "=LichtBad@"},
                                        std::pair{"=Licht_1@", "=Licht_2@"}, std::pair{"=Alles_aus@", "=Alles_aus_Haus@"},
                                        std::pair{"=Gute_Nacht@", "=Gute_Nacht_Modus@"}})
            bytes.replace(from, to);
        writeBytes(byHand.filePath(file), bytes);
    }
    AppState handState;
    handState.ProjectName = u"HAUS"_s;
    handState.DataFolder = byHand.path();
    ScriptedPrompt prompt;
    QVERIFY(ReadRVXFile(execFile(byHand.path(), u"After.txt"_s), handState.catalogue, prompt, nullptr));
    PageEditSession session(handState.catalogue);
    session.FillPagePosLB();
    session.InitAll();
    QCOMPARE(RefreshAllPages(handState, m_pages, session.document(), session.offered(), prompt).status,
             RefreshResult::Status::Completed);

    ReassignPlan plan;
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered, proposed(), plan, prompt));
    QVERIFY(applyReassignment(plan, prompt));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    // Every lost row of these pages had a proposal: the same bytes.
    for (const QString &name : {u"Kueche"_s, u"Bad"_s})
        QCOMPARE(fileBytes(page(name)), fileBytes(ProjectFiles::pageFile(byHand.path(), u"HAUS"_s, name)));
    // The refresh drops the rows left without an entry; reassigning keeps them for another try.
    const QByteArray garten = fileBytes(page(u"Garten"_s));
    QVERIFY(garten.contains("OBJROW=Pumpe_Garten@") && garten.contains("OBJROW=Temperatur_Wohnen@"));
    QVERIFY(garten.contains("MACRO=Alles_aus_Haus@Alles aus@60\r\n"));
    QCOMPARE(findLostNames(*m_state, m_pages, *m_offered).size(), 2);
}

void TestReassign::nothingElseChanges()
{
    const QHash<QString, QByteArray> before = pageBytes();
    ReassignPlan plan;
    ScriptedPrompt prompt;
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered, proposed(), plan, prompt));
    QVERIFY(applyReassignment(plan, prompt));
    int changedLines = 0;
    for (const QString &name : std::as_const(m_pages)) {
        const QList<QByteArray> old = before.value(name).split('\n');
        const QList<QByteArray> now = fileBytes(page(name)).split('\n');
        QCOMPARE(now.size(), old.size());
        for (qsizetype i = 0; i < old.size(); ++i) {
            if (old[i] != now[i]) {
                ++changedLines;
                QVERIFY(now[i].startsWith("OBJROW=") || now[i].startsWith("MACRO="));
                QVERIFY(now[i].endsWith('\r'));
            }
        }
    }
    QCOMPARE(changedLines, plan.rowsChanged());
    QCOMPARE(changedLines, 9);
}

void TestReassign::allPagesOrNone()
{
    const QHash<QString, QByteArray> before = pageBytes();
    ReassignPlan plan;
    ScriptedPrompt prompt;
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered, proposed(), plan, prompt));
    QCOMPARE(plan.pages.size(), 3);
    // The page in the middle cannot be replaced: a folder took its place since it was read.
    QVERIFY(QFile::remove(page(u"Bad"_s)));
    QVERIFY(QDir().mkdir(page(u"Bad"_s)));
    prompt.expectError(u"Fehler 5 beim Schreiben der Datei %1"_s.arg(shown(page(u"Bad"_s))))
        .expectError(u"Keine Seitendatei wurde geändert; alle Seiten sind wie zuvor."_s);
    QVERIFY(!applyReassignment(plan, prompt));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    for (const QString &name : {u"Kueche"_s, u"Garten"_s})
        QCOMPARE(fileBytes(page(name)), before.value(name));
    // Nothing of the write stays beside the files.
    QCOMPARE(QDir(m_dir->path()).entryList({u".~*"_s}, QDir::Files | QDir::Hidden), QStringList());
}

void TestReassign::summary()
{
    ReassignPlan plan;
    ScriptedPrompt prompt;
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered,
                             {{RowKind::Object, u"Licht_Bad"_s, offered(u"LichtBad"_s)},
                              {RowKind::Object, u"Pumpe_Garten"_s, -1}},
                             plan, prompt));
    QCOMPARE(reassignSummary(plan),
             u"1 Zeile auf 1 Seite werden neu zugeordnet:\r"
             u"Seite „Bad“:\r"
             u"    Objektzeile „Licht Bad“: Licht_Bad → LichtBad"_s);
    QCOMPARE(plan.pages.first().rows.first().before, u"OBJROW=Licht_Bad@Licht Bad@0@O@1002@U@1@1&Aus&Ein"_s);
    QCOMPARE(plan.pages.first().rows.first().after, u"OBJROW=LichtBad@Licht Bad@0@O@1012@U@1@1&Aus&Ein"_s);
    // A long list is cut, the rest counted.
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered, proposed(), plan, prompt));
    const QStringList lines = reassignSummary(plan, 2).split(u'\r');
    QCOMPARE(lines.first(), u"9 Zeilen auf 3 Seiten werden neu zugeordnet:"_s);
    QCOMPARE(lines.last(), u"… und 7 weitere Zeilen"_s);
    QCOMPARE(lines.size(), 5);
}

void TestReassign::findingReadsOnly()
{
    const QHash<QString, QByteArray> before = pageBytes();
    ReassignPlan plan;
    ScriptedPrompt prompt;
    QVERIFY(planReassignment(*m_state, m_pages, *m_offered, proposed(), plan, prompt));
    QVERIFY(!plan.pages.isEmpty());
    QCOMPARE(pageBytes(), before);
    QCOMPARE(QDir(m_dir->path()).entryList({u".~*"_s}, QDir::Files | QDir::Hidden), QStringList());
}

// writeFilesAtomically on its own: every file or none, with a file that fails at either step.
void TestReassign::filesAllOrNone_data()
{
    QTest::addColumn<QString>("fault"); // none, a file that cannot be created, a place that is no file
    QTest::addColumn<int>("status");
    QTest::newRow("all written") << u"none"_s << int(WriteStatus::Ok);
    QTest::newRow("the second in a folder that is missing") << u"no folder"_s << int(WriteStatus::CreateFailed);
    QTest::newRow("the second is a folder") << u"folder"_s << int(WriteStatus::CreateFailed);
}

void TestReassign::filesAllOrNone()
{
    QFETCH(QString, fault);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString a = dir.filePath(u"a.txt"_s), c = dir.filePath(u"c.txt"_s);
    const QString b = dir.filePath(fault == u"no folder"_s ? u"fehlt/b.txt"_s : u"b.txt"_s);
    writeBytes(a, "alt a");
    if (fault == u"folder"_s)
        QVERIFY(QDir().mkdir(b));
    else if (fault == u"none"_s)
        writeBytes(b, "alt b");
    qsizetype failed = -2;
    const WriteStatus written =
        writeFilesAtomically({{a, "neu a", "alt a"}, {b, "neu b", "alt b"}, {c, "neu c", {}}}, &failed);
    QCOMPARE(int(written), status);
    const bool all = written == WriteStatus::Ok;
    QCOMPARE(failed, all ? -1 : 1);
    QCOMPARE(fileBytes(a), QByteArray(all ? "neu a" : "alt a"));
    QCOMPARE(QFileInfo::exists(c), all);
    if (fault == u"none"_s)
        QCOMPARE(fileBytes(b), QByteArray("neu b"));
    QCOMPARE(QDir(dir.path()).entryList({u".~*"_s}, QDir::Files | QDir::Hidden), QStringList());
}

// The choices the dialog and the command change: only entries that fit, proposals by their score.
void TestReassign::choices_data()
{
    QTest::addColumn<QString>("step"); // "take N", "assign NAME=ENTRY", "clear NAME"
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("assigned"); // "NAME=ENTRY" afterwards
    QTest::newRow("nothing chosen at first") << QString() << true << QStringList();
    QTest::newRow("the sure proposals") << u"take 70"_s << true
                                        << QStringList{u"Licht_Kueche=Kuechenlicht"_s, u"Alles_aus=Alles_aus_Haus"_s,
                                                       u"Licht_Bad=LichtBad"_s};
    QTest::newRow("every proposal") << u"take 0"_s << true
                                    << QStringList{u"Licht_Kueche=Kuechenlicht"_s, u"Steckdose_Flur=Flur_Dose"_s,
                                                   u"Alles_aus=Alles_aus_Haus"_s, u"Licht_Bad=LichtBad"_s,
                                                   u"Licht_1=Licht_2"_s, u"Gute_Nacht=Gute_Nacht_Modus"_s};
    QTest::newRow("an entry of one's own") << u"assign Pumpe_Garten=Sirene"_s << true
                                           << QStringList{u"Pumpe_Garten=Sirene"_s};
    QTest::newRow("a macro cannot take object rows") << u"assign Pumpe_Garten=Alles_aus_Haus"_s << false
                                                     << QStringList();
    QTest::newRow("an object cannot take macro rows") << u"assign Alles_aus=Sirene"_s << false << QStringList();
    QTest::newRow("no entry") << u"assign Alles_aus="_s << false << QStringList();
}

void TestReassign::choices()
{
    QFETCH(QString, step);
    QFETCH(bool, accepted);
    QFETCH(QStringList, assigned);
    ReassignChoices choices(*m_state, m_pages, *m_offered);
    QCOMPARE(choices.choices().size(), 8);
    const QString verb = step.section(u' ', 0, 0);
    const QString arg = step.section(u' ', 1);
    const auto indexOf = [&choices](const QString &name) {
        for (qsizetype i = 0; i < choices.choices().size(); ++i) {
            if (choices.choices()[i].lost.name == name)
                return i;
        }
        return qsizetype(-1);
    };
    if (verb == u"take"_s)
        choices.takeProposals(arg.toInt());
    else if (verb == u"assign"_s)
        QCOMPARE(choices.assign(indexOf(arg.section(u'=', 0, 0)), offered(arg.section(u'=', 1))), accepted);
    QStringList chosen;
    for (const Assignment &a : choices.assignments())
        chosen << a.name + u'=' + m_offered->entries().at(a.offered).text;
    QCOMPARE(chosen, assigned);
    QCOMPARE(choices.unassignedCount(), 8 - assigned.size());
    if (!assigned.isEmpty()) {
        choices.unassign(indexOf(assigned.first().section(u'=', 0, 0)));
        QCOMPARE(choices.unassignedCount(), 9 - assigned.size());
    }
}

// "Objekte zuordnen..." in the editor: the catalogue it compares with, and the question first.
void TestReassign::editorAsksBeforeWriting_data()
{
    QTest::addColumn<bool>("catalogue");
    QTest::addColumn<int>("answer"); // -1: not asked
    QTest::addColumn<bool>("written");
    QTest::newRow("Ja writes the pages") << true << int(Prompt::Answer::Yes) << true;
    QTest::newRow("Nein writes nothing") << true << int(Prompt::Answer::No) << false;
    QTest::newRow("without a catalogue nothing to compare") << false << -1 << false;
}

void TestReassign::editorAsksBeforeWriting()
{
    QFETCH(bool, catalogue);
    QFETCH(int, answer);
    QFETCH(bool, written);
    if (!catalogue)
        m_state->catalogue.ClearCatalogue();
    ScriptedPrompt prompt;
    Workspace workspace(*m_state, prompt);
    workspace.pageSession().InitAll();
    workspace.model().Sites = m_pages;
    const QByteArray before = fileBytes(page(u"Bad"_s));
    if (!catalogue) {
        prompt.expectError(u"Keine Ausführungsdatei gelesen: Die Ausführungsdatei %1 enthält keine Objekte."_s.arg(m_execFile));
        QVERIFY(!workspace.ReassignMnClick());
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        return;
    }
    const std::unique_ptr<ReassignChoices> choices = workspace.ReassignMnClick();
    QVERIFY(choices);
    // The sure proposals come chosen: Licht_Kueche, Alles_aus and Licht_Bad.
    QCOMPARE(choices->assignments().size(), 3);
    ReassignPlan plan;
    QVERIFY(planReassignment(*m_state, m_pages, workspace.pageSession().offered(), choices->assignments(), plan, prompt));
    QCOMPARE(plan.rowsChanged(), 6);
    prompt.expectYesNo(reassignSummary(plan) + u"\rDie Seitendateien jetzt so schreiben?"_s, Prompt::Answer(answer));
    QCOMPARE(workspace.applyReassignment(*choices), written);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    QCOMPARE(fileBytes(page(u"Bad"_s)) != before, written);
}

QTEST_GUILESS_MAIN(TestReassign)
#include "TestReassign.moc"
