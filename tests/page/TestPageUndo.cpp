#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "page/Messages.h"
#include "page/PageEditSession.h"
#include "page/PageFileWriter.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/FilePaths.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

// The example page: two object rows, two macro rows, two links, both inserts. Saved once by the
// editor before the tests open it, so that its bytes are the ones OK writes.
const QByteArray ExamplePage = "@V=HTM100\r\n#001000=K\xfc" "che\r\nFILEVERS=140\r\nBW=0\r\n#003000\r\nOBWIDTH=180\r\n"
                               "#005000\r\nPAGEPOS=0x;1x;2x;3x;4x;5x;\r\n#006000\r\nOBJCOLS=0x;1x;2x;\r\n"
                               "#007000\r\nAutoAkt=0\r\nAutoAktSec=10\r\n#008000\r\nSHEAD=K\xfc" "che\r\n"
                               "#009000=2\r\nNAVI=Bad\x03"
                               "Bad\x0b"
                               "Flur\x03"
                               "Flur\x0b\r\n"
                               "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n"
                               "OBJROW=Temperatur@Temperatur@3@O@20@N@4@1@-200,0@1234,5\r\n"
                               "#011000\r\nMACRO=Alles_Aus@Alles aus@7\r\nMACRO=Pumpe@Pumpe@4\r\n"
                               "#020000\r\nHTML1=<p>eins</p>\r\n#021000\r\nHTML2=<p>zwei</p>\r\n#099000\r\n";

using Change = std::function<void(PageEditSession &, Prompt &)>;

// Every kind of change the editor makes to a page, by the name of the step it records.
const std::map<QString, Change> &changes()
{
    static const std::map<QString, Change> table = {
        {UndoSteps::AddObject,
         [](PageEditSession &s, Prompt &p) { s.addObjectRow(s.offered().indexOf(u"Pumpe"_s), p); }},
        {UndoSteps::DeleteObject, [](PageEditSession &s, Prompt &) { s.deleteRow(RowKind::Object, 0); }},
        {UndoSteps::MoveObject, [](PageEditSession &s, Prompt &) { s.moveRow(RowKind::Object, 1, 0); }},
        {UndoSteps::AddMacro, [](PageEditSession &s, Prompt &p) { s.addMacroRow(s.offered().indexOf(u"Tor"_s), p); }},
        {UndoSteps::DeleteMacro, [](PageEditSession &s, Prompt &) { s.deleteRow(RowKind::Macro, 1); }},
        {UndoSteps::MoveMacro, [](PageEditSession &s, Prompt &) { s.moveRow(RowKind::Macro, 0, 1); }},
        {UndoSteps::Label, [](PageEditSession &s, Prompt &) { s.setLabel(RowKind::Macro, 0, u"Alles dunkel"_s); }},
        {UndoSteps::Input, [](PageEditSession &s, Prompt &p) { s.toggleInput(0, p); }},
        {UndoSteps::AddLink, [](PageEditSession &s, Prompt &p) { s.addPageLink(1, p); }},
        {UndoSteps::DeleteLink, [](PageEditSession &s, Prompt &p) { s.deleteLink(0, p); }},
        {UndoSteps::MoveLink, [](PageEditSession &s, Prompt &) { s.moveLink(1, 0); }},
        {UndoSteps::EditLink,
         [](PageEditSession &s, Prompt &p) {
             QString name, target;
             s.beginEditLink(0, p, name, target);
             s.commitLink(0, u"Badezimmer"_s, target, p);
         }},
        {UndoSteps::AddExternalLink,
         [](PageEditSession &s, Prompt &p) {
             s.beginNewLink();
             s.commitLink(-1, u"Wetter"_s, u"http://wetter.example"_s, p);
         }},
        {UndoSteps::PageName, [](PageEditSession &s, Prompt &) { s.setNameText(u"Kochen"_s); }},
        {UndoSteps::Headline, [](PageEditSession &s, Prompt &) { s.setHeadline(u"Kochen & Essen"_s); }},
        {UndoSteps::Font,
         [](PageEditSession &s, Prompt &p) { s.chooseStyleFont(TextStyle::Val, p); }},
        {UndoSteps::Background, [](PageEditSession &s, Prompt &p) { s.chooseStyleBackground(TextStyle::Navi, p); }},
        {UndoSteps::PageBackground, [](PageEditSession &s, Prompt &p) { s.choosePageBackground(p); }},
        {UndoSteps::BuildOrder,
         [](PageEditSession &s, Prompt &) {
             s.moveOrderEntry(PageEditSession::Order::Build, 4, 0);
         }},
        {UndoSteps::ColumnOrder,
         [](PageEditSession &s, Prompt &) { s.tickOrderEntry(PageEditSession::Order::Columns, 2, false); }},
        {UndoSteps::AutoWidth, [](PageEditSession &s, Prompt &) { s.setAutoWidth(true); }},
        {UndoSteps::NoAutoScale, [](PageEditSession &s, Prompt &) { s.setNoAutoScale(true); }},
        {UndoSteps::AutoRefresh, [](PageEditSession &s, Prompt &p) { s.setAutoRefresh(true, p); }},
        {UndoSteps::Html1, [](PageEditSession &s, Prompt &) { s.setHtmlInsert(1, {u"<p>neu</p>"_s, u""_s}); }},
        {UndoSteps::Html2, [](PageEditSession &s, Prompt &) { s.setHtmlInsert(2, {}); }},
        {UndoSteps::Number.arg(u"Breite der Objekte"_s),
         [](PageEditSession &s, Prompt &) { s.setLayoutNumber(&TSiteData::ObjWidth, 250); }},
        {UndoSteps::Number.arg(u"Zeit der automatischen Aktualisierung"_s),
         [](PageEditSession &s, Prompt &) { s.setLayoutNumber(&TSiteData::AutoAktSec, 60); }},
    };
    return table;
}

// A prompt that confirms every dialog with a font or colour of its own and lets messages pass:
// the long sequences below run every kind of change many times over.
class AgreeingPrompt : public Prompt
{
public:
    void error(const QString &) override {}
    void warning(const QString &) override {}
    Answer askYesNo(const QString &) override { return Answer::Yes; }
    Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
    void beep() override {}
    bool askName(const QString &, const QString &, int, QString &) override { return false; }
    bool chooseOpenFile(const QString &, const QString &, const QString &, const QString &, const QString &,
                        QString &) override
    {
        return false;
    }
    bool chooseFolder(const QString &, QString &) override { return false; }
    bool chooseFont(FontChoice &font) override
    {
        font = {u"Verdana"_s, 9 + (++m_count % 20), fsItalic, TColor(0x102030 + m_count)};
        return true;
    }
    bool chooseColour(TColor &colour) override
    {
        colour = TColor(0x405060 + ++m_count);
        return true;
    }

private:
    int m_count = 0;
};

} // namespace

// Undo and redo of the page editor without its window: every kind of change goes back and comes
// again exactly, typing in a field is one step, and the history has its limits.
class TestPageUndo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachChangeUndoesAndRedoes_data();
    void eachChangeUndoesAndRedoes();
    void longSequenceBackAndForth();
    void typingInOneFieldIsOneStep_data();
    void typingInOneFieldIsOneStep();
    void nothingChangedIsNoStep();
    void newStepDropsTheRedo();
    void historyLimit();
    void historyEnds_data();
    void historyEnds();
    void undoingBackToTheFileAsRead_data();
    void undoingBackToTheFileAsRead();
    void headlinePreviewFollows();

private:
    QString pagePath(const QString &page) const { return ProjectFiles::pageFile(m_dir->path(), u"Haus"_s, page); }
    void openExample();
    QByteArray m_asSaved; // the example page as OK writes it
    QStringList lines() const { return pageFileLines(m_session->document(), *m_catalogue, QLocale::c()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageEditSession> m_session;
    AgreeingPrompt m_prompt;
};

void TestPageUndo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_catalogue = std::make_unique<Catalogue>();
    fillTestCatalogue(*m_catalogue);
    m_catalogue->AddPSObj(u"Tor"_s, 11)->Source = u'O';
    m_session = std::make_unique<PageEditSession>(*m_catalogue);
    m_session->InitAll();
    openExample();
}

void TestPageUndo::cleanup()
{
    m_session.reset();
    m_catalogue.reset();
}

void TestPageUndo::openExample()
{
    if (m_asSaved.isEmpty()) {
        writeBytes(pagePath(u"Küche"_s), ExamplePage);
        m_session->begin({u"Küche"_s, {u"Küche"_s}, m_dir->path(), u"Haus"_s}, m_prompt);
        QCOMPARE(m_session->save(m_prompt), PageEditSession::SaveResult::Saved);
        m_asSaved = fileBytes(pagePath(u"Küche"_s));
    }
    writeBytes(pagePath(u"Küche"_s), m_asSaved);
    PageHandOver handOver;
    handOver.page = u"Küche"_s;
    handOver.allPages = {u"Küche"_s, u"Bad"_s, u"Flur"_s};
    handOver.dataFolder = m_dir->path();
    handOver.projectName = u"Haus"_s;
    m_session->begin(handOver, m_prompt);
    QCOMPARE(m_session->document().objects.size(), 2);
}

void TestPageUndo::eachChangeUndoesAndRedoes_data()
{
    QTest::addColumn<QString>("step");
    for (const auto &[step, change] : changes())
        QTest::newRow(qPrintable(step)) << step;
}

void TestPageUndo::eachChangeUndoesAndRedoes()
{
    QFETCH(QString, step);
    const PageDocument before = m_session->document();
    const QString name = m_session->nameText();
    QSignalSpy history(m_session.get(), &PageEditSession::historyChanged);

    changes().at(step)(*m_session, m_prompt);
    const PageDocument after = m_session->document();
    const QString nameAfter = m_session->nameText();
    QVERIFY(after != before || nameAfter != name);
    QVERIFY(m_session->canUndo() && !m_session->canRedo());
    QCOMPARE(m_session->undoStepName(), step);
    QCOMPARE(history.count(), 1);

    m_session->undo();
    QCOMPARE(m_session->document(), before);
    QCOMPARE(m_session->nameText(), name);
    QVERIFY(!m_session->canUndo() && m_session->canRedo());
    QCOMPARE(m_session->redoStepName(), step);

    m_session->redo();
    QCOMPARE(m_session->document(), after);
    QCOMPARE(m_session->nameText(), nameAfter);
    QCOMPARE(m_session->undoStepName(), step);

    // Undone once more, OK writes the page exactly as it was read.
    m_session->undo();
    QCOMPARE(m_session->save(m_prompt), PageEditSession::SaveResult::Saved);
    QCOMPARE(fileBytes(pagePath(u"Küche"_s)), m_asSaved);
}

void TestPageUndo::longSequenceBackAndForth()
{
    // Every kind of change in turn, over and over, each its own step (no typing carries over).
    QList<PageDocument> pages{m_session->document()};
    QStringList names{m_session->nameText()};
    QStringList steps;
    int round = 0;
    while (steps.size() < PageEditSession::HistoryLimit) {
        for (const auto &[step, change] : changes()) {
            if (steps.size() == PageEditSession::HistoryLimit)
                break;
            const qsizetype before = steps.size();
            change(*m_session, m_prompt);
            m_session->endTyping();
            // A change repeated may change nothing (a row moved back and forth comes out the same).
            if (m_session->canUndo() && (pages.last() != m_session->document() || names.last() != m_session->nameText())) {
                steps << m_session->undoStepName();
                pages << m_session->document();
                names << m_session->nameText();
            }
            QVERIFY(steps.size() >= before);
        }
        QVERIFY(++round < 10);
    }
    for (qsizetype i = steps.size(); i > 0; --i) {
        QCOMPARE(m_session->undoStepName(), steps.at(i - 1));
        m_session->undo();
        QCOMPARE(m_session->document(), pages.at(i - 1));
        QCOMPARE(m_session->nameText(), names.at(i - 1));
    }
    QVERIFY(!m_session->canUndo());
    for (qsizetype i = 1; i <= steps.size(); ++i) {
        QCOMPARE(m_session->redoStepName(), steps.at(i - 1));
        m_session->redo();
        QCOMPARE(m_session->document(), pages.at(i));
    }
    QVERIFY(!m_session->canRedo());
    QCOMPARE(lines(), pageFileLines(pages.last(), *m_catalogue, QLocale::c()));
}

void TestPageUndo::typingInOneFieldIsOneStep_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("headline") << u"headline"_s;
    QTest::newRow("page name") << u"name"_s;
    QTest::newRow("HTML insert") << u"html"_s;
    QTest::newRow("layout number") << u"number"_s;
}

void TestPageUndo::typingInOneFieldIsOneStep()
{
    QFETCH(QString, field);
    const auto type = [&](const QString &text) {
        if (field == u"headline"_s)
            m_session->setHeadline(text);
        else if (field == u"name"_s)
            m_session->setNameText(text);
        else if (field == u"html"_s)
            m_session->setHtmlInsert(1, {text});
        else
            m_session->setLayoutNumber(&TSiteData::CellDist, qint32(text.size()));
    };
    const PageDocument start = m_session->document();
    const QString startName = m_session->nameText();
    for (const QString &text : {u"W"_s, u"Wo"_s, u"Woh"_s})
        type(text);
    const PageDocument typed = m_session->document();
    // Another field in between starts a step of its own; so does coming back after the field was left.
    m_session->setLayoutNumber(&TSiteData::FrameWidth, 7);
    type(u"Wohn"_s);
    m_session->endTyping();
    type(u"Wohne"_s);

    m_session->undo();
    m_session->undo();
    m_session->undo();
    QCOMPARE(m_session->document(), typed);
    m_session->undo();
    QCOMPARE(m_session->document(), start);
    QCOMPARE(m_session->nameText(), startName);
    QVERIFY(!m_session->canUndo());
}

void TestPageUndo::nothingChangedIsNoStep()
{
    const QString headline = m_session->document().layout.Headline;
    m_session->setHeadline(headline);
    m_session->setAutoWidth(false);
    m_session->moveRow(RowKind::Object, 0, 0);
    m_session->moveLink(-1, 0);
    m_session->tickOrderEntry(PageEditSession::Order::Build, 0, true);
    m_session->setLabel(RowKind::Object, 0, u"Decke"_s);
    m_session->setLabel(RowKind::Object, 5, u"x"_s);
    m_session->toggleInput(1, m_prompt); // a row that takes no input
    m_session->enterHtmlInserts();       // without an input field
    QVERIFY(!m_session->canUndo());
    // Typing that comes back to where it started is no step either.
    m_session->setHeadline(headline + u"x"_s);
    m_session->setHeadline(headline);
    QVERIFY(!m_session->canUndo());
}

void TestPageUndo::newStepDropsTheRedo()
{
    m_session->deleteRow(RowKind::Object, 0);
    m_session->undo();
    QVERIFY(m_session->canRedo());
    m_session->setAutoWidth(true);
    QVERIFY(!m_session->canRedo());
    m_session->redo(); // nothing to redo: nothing happens
    QCOMPARE(m_session->document().objects.size(), 2);
}

void TestPageUndo::historyLimit()
{
    QList<PageDocument> pages{m_session->document()};
    for (int i = 1; i <= PageEditSession::HistoryLimit + 20; ++i) {
        m_session->setAutoWidth(i % 2 == 1);
        pages << m_session->document();
    }
    int undone = 0;
    while (m_session->canUndo()) {
        m_session->undo();
        ++undone;
    }
    QCOMPARE(undone, PageEditSession::HistoryLimit);
    QCOMPARE(m_session->document(), pages.at(20));
}

void TestPageUndo::historyEnds_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("saved") << u"save"_s;
    QTest::newRow("closed without saving") << u"finish"_s;
    QTest::newRow("another page shown") << u"begin"_s;
}

void TestPageUndo::historyEnds()
{
    QFETCH(QString, end);
    m_session->deleteRow(RowKind::Object, 0);
    m_session->deleteRow(RowKind::Object, 0);
    m_session->undo();
    QSignalSpy history(m_session.get(), &PageEditSession::historyChanged);
    if (end == u"save"_s)
        QCOMPARE(m_session->save(m_prompt), PageEditSession::SaveResult::Saved);
    else if (end == u"finish"_s)
        m_session->finish();
    else
        openExample();
    QVERIFY(!m_session->canUndo() && !m_session->canRedo());
    QCOMPARE(history.count(), 1);
}

void TestPageUndo::undoingBackToTheFileAsRead_data()
{
    QTest::addColumn<bool>("entered"); // a control whose rule sets IsChanged was entered
    QTest::addColumn<bool>("changedAfterUndo");
    QTest::newRow("only the change: unchanged again") << false << false;
    QTest::newRow("a control entered: still changed") << true << true;
}

void TestPageUndo::undoingBackToTheFileAsRead()
{
    QFETCH(bool, entered);
    QFETCH(bool, changedAfterUndo);
    if (entered)
        m_session->markChanged();
    m_session->deleteRow(RowKind::Object, 0); // sets IsChanged itself
    m_session->addPageLink(1, m_prompt);
    QVERIFY(m_session->isChanged());
    m_session->undo();
    QVERIFY(m_session->isChanged());
    m_session->undo();
    QCOMPARE(m_session->isChanged(), changedAfterUndo);
    m_session->redo();
    QVERIFY(m_session->isChanged());
}

void TestPageUndo::headlinePreviewFollows()
{
    m_session->setHeadline(u"Kochen"_s);
    m_session->headlineLeft();
    QCOMPARE(m_session->previewText(TextStyle::Head), u"Kochen"_s);
    m_session->undo();
    QCOMPARE(m_session->previewText(TextStyle::Head), u"Küche"_s);
    m_session->redo();
    QCOMPARE(m_session->previewText(TextStyle::Head), u"Kochen"_s);
    // A step that leaves the headline alone leaves the preview alone.
    m_session->setAutoWidth(true);
    m_session->undo();
    QCOMPARE(m_session->previewText(TextStyle::Head), u"Kochen"_s);
}

QTEST_GUILESS_MAIN(TestPageUndo)
#include "TestPageUndo.moc"
