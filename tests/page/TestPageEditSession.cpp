#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "page/InputCaption.h"
#include "page/LinkText.h"
#include "page/Messages.h"
#include "page/PageEditSession.h"
#include "page/PageFileWriter.h"
#include "page/PageParts.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

// The page editor's rules without its window: showing, the rows, links and orders, the name
// check, saving and closing.
class TestPageEditSession : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startState();
    void showing_data();
    void showing();
    void handOverDefaultsForNewPages_data();
    void handOverDefaultsForNewPages();
    void checkPageName_data();
    void checkPageName();
    void saving_data();
    void saving();
    void okAsksBeforeDroppingRows_data();
    void okAsksBeforeDroppingRows();
    void closeQuestion_data();
    void closeQuestion();
    void rowOperations_data();
    void rowOperations();
    void newObjectRow_data();
    void newObjectRow();
    void toggleInput_data();
    void toggleInput();
    void refusedAdditions();
    void addButtonsFollowTheEntry_data();
    void addButtonsFollowTheEntry();
    void labelsRefuseFieldBreakers_data();
    void labelsRefuseFieldBreakers();
    void pageLinks();
    void editLinks();
    void linksRefuseFieldBreakers_data();
    void linksRefuseFieldBreakers();
    void splitLink_data();
    void splitLink();
    void moveToPlace_data();
    void moveToPlace();
    void orderTicks();
    void longNavigationLineWarnsAndSaves_data();
    void longNavigationLineWarnsAndSaves();
    void fontAndColourDialogsReachTheFile_data();
    void fontAndColourDialogsReachTheFile();
    void previews_data();
    void previews();
    void autoRefreshRule_data();
    void autoRefreshRule();
    void catalogueClearDropsReferences();

private:
    QString pagePath(const QString &page) const { return ProjectFiles::pageFile(m_dir->path(), u"Haus"_s, page); }
    void openPage(const QString &page);
    int offered(const QString &name) const { return int(m_session->offered().indexOf(name)); }
    PageDocument &page() { return m_session->document(); }
    void verifyPrompt() { QVERIFY2(m_prompt->verifyDone(), qPrintable(m_prompt->problems().join(u'\n'))); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageEditSession> m_session;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    const QStringList m_pages{u"Küche"_s, u"Bad"_s, u"Flur"_s};
};

namespace {
const QByteArray OneRowPage = "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n";
} // namespace

void TestPageEditSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_catalogue = std::make_unique<Catalogue>();
    fillTestCatalogue(*m_catalogue);
    m_catalogue->AddPSObj(u"Haus.Licht"_s, 9)->Source = u'O';
    m_catalogue->AddPSObj(u"Tor"_s, 11)->Source = u'O';
    m_session = std::make_unique<PageEditSession>(*m_catalogue);
    m_session->InitAll();
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void TestPageEditSession::cleanup()
{
    m_session.reset();
    m_catalogue.reset();
}

void TestPageEditSession::openPage(const QString &name)
{
    PageHandOver handOver;
    handOver.page = name;
    handOver.allPages = m_pages;
    handOver.dataFolder = m_dir->path();
    handOver.projectName = u"Haus"_s;
    m_session->markChanged(); // left over from the page before
    m_session->begin(handOver, *m_prompt);
}

void TestPageEditSession::startState()
{
    const PageDocument &d = page();
    QCOMPARE(d.buildOrder.size(), 6);
    for (qsizetype i = 0; i < 6; ++i)
        QCOMPARE(d.buildOrder[i], (CheckEntry{PageParts::PagePartNames[i], i < 4}));
    QCOMPARE(d.columnOrder,
             (QList<CheckEntry>{{u"Bezeichnung"_s, true}, {u"Zustand/Wert"_s, true}, {u"Eingabe"_s, true}}));
    QCOMPARE(d.layout.BGCol, clWindow);
    QCOMPARE(m_session->previewText(TextStyle::Head), u"Überschrift"_s);
    QCOMPARE(m_session->previewText(TextStyle::Navi), u"home"_s);
    const QStringList lines = pageFileLines(d, *m_catalogue, QLocale::c());
    QVERIFY(lines.contains(u"BG=FFFFFF"_s));
    QVERIFY(lines.contains(u"PAGEPOS=0x;1x;2x;3x;4;5;"_s));
    QVERIFY(lines.contains(u"OBJCOLS=0x;1x;2x;"_s));
    QVERIFY(!m_session->canUndo() && !m_session->canRedo());
}

void TestPageEditSession::showing_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file
    QTest::addColumn<bool>("newPage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<int>("objectRows");
    QTest::addColumn<QString>("headPreview");
    QTest::addColumn<QString>("naviPreview");

    const QByteArray page = "#001000=Küche\r\n#008000\r\nSHEAD=Kochen\r\n#009000=1\r\nNAVI=Bad:Bad@\r\n"
                            "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n";
    QTest::newRow("existing page read") << page << false << QString() << u"Kochen"_s << 1 << u"Kochen"_s << u"Bad "_s;
    // The reading failed: the previews keep what they showed.
    QTest::newRow("missing file opens empty")
        << QByteArray() << false << u"Datei nicht gefunden: %1"_s << QString() << 0 << u"Vorher"_s << u"home"_s;
    QTest::newRow("reading stops, lines before stay")
        << QByteArray("#008000\r\nSHEAD=Kochen\r\n#007000\r\nAutoAkt=vielleicht\r\n") << false
        << u"'vielleicht' ist kein gültiger boolescher Wert"_s << u"Kochen"_s << 0 << u"Vorher"_s << u"home"_s;
    QTest::newRow("new page reads no file") << page << true << QString() << QString() << 0 << u"Überschrift"_s
                                            << u"home"_s;
    QTest::newRow("file without a page opens empty")
        << QByteArray("Einkaufsliste\r\nSHEAD=Milch\r\n") << false
        << u"Die Datei %1 enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes Format oder eine "
           u"andere Zeichenkodierung).\rDie Seite wird leer geöffnet; die Datei bleibt unverändert, bis Sie mit OK "
           u"speichern."_s
        << QString() << 0 << u"Vorher"_s << u"home"_s;
}

void TestPageEditSession::showing()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, newPage);
    QFETCH(QString, message);
    QFETCH(QString, headline);
    QFETCH(int, objectRows);
    QFETCH(QString, headPreview);
    QFETCH(QString, naviPreview);
    if (!file.isEmpty())
        writeBytes(pagePath(u"Küche"_s), file);
    if (!message.isEmpty())
        m_prompt->expectError(message.contains(u"%1"_s) ? message.arg(pagePath(u"Küche"_s)) : message);
    // Left over from the page handled before.
    page().layout.Headline = u"Vorher"_s;
    m_session->headlineLeft();
    page().layout.BGCol = 0x123456;
    page().links = {u"Alt : Alt"_s};
    m_session->selectLink(0);
    m_session->setNameText(u"Alt"_s);

    openPage(newPage ? QString() : u"Küche"_s);

    QCOMPARE(m_session->nameText(), newPage ? QString() : u"Küche"_s);
    QCOMPARE(m_session->isNewPage(), newPage);
    QCOMPARE(page().layout.Headline, headline);
    QCOMPARE(int(page().objects.size()), objectRows);
    QCOMPARE(page().links.isEmpty(), objectRows == 0 || newPage);
    QCOMPARE(m_session->otherPages(),
             newPage ? QStringList({u"Bad"_s, u"Flur"_s, u"Küche"_s}) : QStringList({u"Bad"_s, u"Flur"_s}));
    QCOMPARE(page().layout.BGCol == clWhite, newPage);
    QCOMPARE(m_session->previewText(TextStyle::Head), headPreview);
    QCOMPARE(m_session->previewText(TextStyle::Navi), naviPreview);
    QVERIFY(!m_session->isChanged());
    QVERIFY(!m_session->canUndo());
    // Opening reads and never writes.
    if (!file.isEmpty())
        QCOMPARE(fileBytes(pagePath(u"Küche"_s)), file);
    verifyPrompt();
}

void TestPageEditSession::handOverDefaultsForNewPages_data()
{
    QTest::addColumn<bool>("newPage");
    QTest::newRow("a new page takes the project's options") << true;
    QTest::newRow("an existing page keeps its own") << false;
}

void TestPageEditSession::handOverDefaultsForNewPages()
{
    QFETCH(bool, newPage);
    writeBytes(pagePath(u"Küche"_s), "#001000=Küche\r\nBW=320\r\n");
    PageHandOver handOver;
    handOver.page = newPage ? QString() : u"Küche"_s;
    handOver.allPages = m_pages;
    handOver.dataFolder = m_dir->path();
    handOver.projectName = u"Haus"_s;
    handOver.browserWidth = 777;
    handOver.noAutoScale = true;
    handOver.autoWidth = true;
    handOver.browserPath = u"/usr/bin/browser"_s;
    m_session->begin(handOver, *m_prompt);
    const TSiteData &d = page().layout;
    QCOMPARE(d.BrowserWidth, newPage ? 777 : 320);
    QCOMPARE(d.NoAutoScale, newPage);
    QCOMPARE(d.AutoWidth, newPage);
    QCOMPARE(m_session->fixedWidthUsable(), !newPage);
    QCOMPARE(m_session->browserPath(), u"/usr/bin/browser"_s);
    QCOMPARE(m_session->pageFilePath(), newPage ? pagePath(QString()) : pagePath(u"Küche"_s));
    verifyPrompt();
}

void TestPageEditSession::checkPageName_data()
{
    QTest::addColumn<QString>("siteName"); // empty: a new page
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("field");

    const int ok = int(PageEditSession::NameCheck::Ok);
    const int empty = int(PageEditSession::NameCheck::Empty);
    const int taken = int(PageEditSession::NameCheck::Taken);
    QTest::newRow("new page trimmed") << QString() << u"  Wohnen  "_s << ok << u"Wohnen"_s;
    QTest::newRow("new page blank") << QString() << u" \t "_s << empty << QString();
    QTest::newRow("new page in other letter case") << QString() << u"BAD"_s << taken << u"BAD"_s;
    QTest::newRow("existing page keeps its name") << u"Küche"_s << u"Küche"_s << ok << u"Küche"_s;
    QTest::newRow("existing page only in other case") << u"Küche"_s << u"küche"_s << taken << u"küche"_s;
    QTest::newRow("existing page onto another") << u"Küche"_s << u"bad "_s << taken << u"bad"_s;
    QTest::newRow("existing page renamed") << u"Küche"_s << u"Wohnen"_s << ok << u"Wohnen"_s;
    // Only blanks are trimmed: the no-break space is part of the name.
    QTest::newRow("no-break space stays") << QString() << u"\u00A0Bad"_s << ok << u"\u00A0Bad"_s;
}

void TestPageEditSession::checkPageName()
{
    QFETCH(QString, siteName);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, field);
    m_prompt->setAllowUnexpectedErrors(true); // the file of an existing page does not exist
    openPage(siteName);
    m_session->setNameText(typed);
    QCOMPARE(int(m_session->checkName()), result);
    QCOMPARE(m_session->nameText(), field);
}

void TestPageEditSession::saving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("inputField");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("savedName");
    QTest::addColumn<QStringList>("messages");

    const QString autoRefresh = PageMessages::AutoRefreshWithInput;
    QTest::newRow("saved unchanged") << u"Küche"_s << false << int(PageEditSession::SaveResult::Saved) << u"Küche"_s
                                     << QStringList();
    QTest::newRow("saved under a trimmed new name")
        << u" Wohnen "_s << false << int(PageEditSession::SaveResult::Saved) << u"Wohnen"_s << QStringList();
    QTest::newRow("input field switches automatic refresh off")
        << u"Küche"_s << true << int(PageEditSession::SaveResult::Saved) << u"Küche"_s << QStringList{autoRefresh};
    QTest::newRow("taken name writes nothing")
        << u"bad"_s << true << int(PageEditSession::SaveResult::NameRefused) << u"Küche"_s
        << QStringList{autoRefresh};
    QTest::newRow("name no file can hold")
        << u"Ab/Zu"_s << false << int(PageEditSession::SaveResult::NotWritten) << u"Ab/Zu"_s
        << QStringList{u"Fehler 123 beim Schreiben der Datei %1"_s};
}

void TestPageEditSession::saving()
{
    QFETCH(QString, typed);
    QFETCH(bool, inputField);
    QFETCH(int, result);
    QFETCH(QString, savedName);
    QFETCH(QStringList, messages);
    writeBytes(pagePath(u"Küche"_s), OneRowPage);
    openPage(u"Küche"_s);
    m_session->setNameText(typed);
    if (inputField)
        m_session->toggleInput(0, *m_prompt);
    page().layout.AutoAkt = true;
    m_session->markChanged();
    for (const QString &message : std::as_const(messages))
        m_prompt->expectError(message.contains(u"%1"_s) ? message.arg(pagePath(savedName)) : message);

    QCOMPARE(int(m_session->save(*m_prompt)), result);

    const bool saved = result == int(PageEditSession::SaveResult::Saved);
    QCOMPARE(page().name, savedName);
    QCOMPARE(m_session->isChanged(), !saved);
    QCOMPARE(page().layout.AutoAkt, !inputField);
    // A save ends the history; a refused one leaves it for further editing.
    QCOMPARE(m_session->canUndo(), !saved);
    if (saved) {
        QByteArray expected;
        for (const QString &line : pageFileLines(page(), *m_catalogue))
            expected += Cp1252::encode(line) + "\r\n";
        QCOMPARE(fileBytes(pagePath(savedName)), expected);
        QVERIFY(expected.contains(inputField ? "AutoAkt=0\r\n" : "AutoAkt=1\r\n"));
    } else if (savedName != u"Küche"_s) {
        QVERIFY(!QFileInfo::exists(pagePath(savedName)));
    }
    verifyPrompt();
}

void TestPageEditSession::okAsksBeforeDroppingRows_data()
{
    QTest::addColumn<QByteArray>("rows"); // the page file's row sections
    QTest::addColumn<int>("answer");      // -1: not asked
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("result");

    const QByteArray known = OneRowPage;
    const QByteArray lostObject = "OBJROW=Alt_Licht@Alt@1@O@99@U@3@Aus&Ein\r\n";
    const QByteArray lostMacro = "#011000\r\nMACRO=Alt_Makro@Aus@8\r\nMACRO=Alles_Aus@Alles aus@7\r\n";
    const QString one = u"1 Objekt- oder Makrozeile nennt ein Objekt, das nicht angeboten wird („Fehler“). Sie wird "
                        u"aus der Seitendatei entfernt.\rTrotzdem speichern?"_s;
    const QString two = u"2 Objekt- und Makrozeilen nennen Objekte, die nicht angeboten werden („Fehler“). Sie "
                        u"werden aus der Seitendatei entfernt.\rTrotzdem speichern?"_s;
    const int saved = int(PageEditSession::SaveResult::Saved);
    const int declined = int(PageEditSession::SaveResult::Declined);
    QTest::newRow("every row offered: no question") << known << -1 << QString() << saved;
    QTest::newRow("one lost row, No writes nothing")
        << known + lostObject << int(Prompt::Answer::No) << one << declined;
    QTest::newRow("lost object and macro row, Yes drops them")
        << known + lostObject + lostMacro << int(Prompt::Answer::Yes) << two << saved;
}

void TestPageEditSession::okAsksBeforeDroppingRows()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(int, result);
    const QString path = pagePath(u"Küche"_s);
    const QByteArray before = "@V=HTM100\r\n#001000=Küche\r\nFILEVERS=140\r\n#005000\r\nPAGEPOS=1x;2x;\r\n" + rows;
    writeBytes(path, before);
    openPage(u"Küche"_s);
    m_session->setNameText(u"Bad2"_s); // a rename that is declined must not take the new name
    if (answer >= 0)
        m_prompt->expectYesNoDefaultNo(question, Prompt::Answer(answer));

    QCOMPARE(int(m_session->save(*m_prompt)), result);

    verifyPrompt();
    if (result == int(PageEditSession::SaveResult::Declined)) {
        QCOMPARE(page().name, u"Küche"_s);
        QVERIFY(!QFileInfo::exists(pagePath(u"Bad2"_s)));
        QCOMPARE(fileBytes(path), before);
        return;
    }
    const QByteArray written = fileBytes(pagePath(u"Bad2"_s));
    QVERIFY(written.contains("OBJROW=Licht_Decke@"));
    QVERIFY(written.contains("MACRO=Alles_Aus@") == rows.contains("MACRO=Alles_Aus@"));
    QVERIFY(!written.contains("Alt_"));
}

void TestPageEditSession::closeQuestion_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer"); // -1: not asked
    QTest::addColumn<bool>("closes");
    QTest::newRow("unchanged closes at once") << false << -1 << true;
    QTest::newRow("changed, Yes closes") << true << int(Prompt::Answer::Yes) << true;
    QTest::newRow("changed, No stays open") << true << int(Prompt::Answer::No) << false;
}

void TestPageEditSession::closeQuestion()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    if (changed)
        m_session->markChanged();
    if (answer >= 0)
        m_prompt->expectYesNo(u"Änderungen werden nicht gespeichert. Ist das richtig?"_s, Prompt::Answer(answer));
    QCOMPARE(m_session->closeQuery(*m_prompt), closes);
    QCOMPARE(m_session->isChanged(), changed);
    verifyPrompt();
}

void TestPageEditSession::rowOperations_data()
{
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("selection");
    QTest::addColumn<bool>("changed");
    // Operations on the object rows ("add", "del", "up", "down") or on the macro rows ("m" prefix).
    // Rows count from 0; the row after the last is the grid's blank row.
    QTest::newRow("delete on an empty list") << QStringList{u"del:0"_s} << QString() << 0 << false;
    QTest::newRow("same entry twice") << QStringList{u"add:Pumpe"_s, u"add:Pumpe"_s} << u"Pumpe|Pumpe"_s << 1 << true;
    QTest::newRow("delete the only row") << QStringList{u"add:Pumpe"_s, u"del:0"_s} << QString() << 0 << true;
    QTest::newRow("delete the blank row") << QStringList{u"add:Pumpe"_s, u"del:1"_s} << u"Pumpe"_s << 1 << true;
    QTest::newRow("delete without a selection") << QStringList{u"add:Pumpe"_s, u"del:-1"_s} << u"Pumpe"_s << -1
                                                << true;
    QTest::newRow("delete in the middle")
        << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"add:Tor"_s, u"add:Pumpe"_s, u"del:1"_s}
        << u"Pumpe|Tor|Pumpe"_s << 1 << true;
    QTest::newRow("first row up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:0"_s} << u"Pumpe|Pegel"_s << 0
                                  << true;
    QTest::newRow("last row down") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"down:1"_s} << u"Pumpe|Pegel"_s
                                   << 1 << true;
    QTest::newRow("blank row up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:2"_s} << u"Pumpe|Pegel"_s << 2
                                  << true;
    QTest::newRow("down") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"down:0"_s} << u"Pegel|Pumpe"_s << 1
                          << true;
    QTest::newRow("up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:1"_s} << u"Pegel|Pumpe"_s << 0 << true;
    QTest::newRow("macro: added rows do not set changed")
        << QStringList{u"madd:Pumpe"_s, u"madd:Alles_Aus"_s, u"mup:1"_s} << u"Alles_Aus|Pumpe"_s << 0 << false;
    QTest::newRow("macro: blank row")
        << QStringList{u"madd:Pumpe"_s, u"mdel:1"_s, u"mup:1"_s, u"mdown:0"_s} << u"Pumpe"_s << 0 << false;
    QTest::newRow("macro: delete") << QStringList{u"madd:Pumpe"_s, u"madd:Alles_Aus"_s, u"mdel:0"_s}
                                   << u"Alles_Aus"_s << 0 << true;
}

void TestPageEditSession::rowOperations()
{
    QFETCH(QStringList, ops);
    QFETCH(QString, rows);
    QFETCH(int, selection);
    QFETCH(bool, changed);
    m_session->InitAll();
    int sel = -1;
    RowKind kind = RowKind::Object;
    for (const QString &op : ops) {
        const QString verb = op.section(u':', 0, 0);
        const QString arg = op.section(u':', 1);
        kind = verb.startsWith(u'm') ? RowKind::Macro : RowKind::Object;
        const QString v = kind == RowKind::Macro ? verb.mid(1) : verb;
        if (v == u"add")
            sel = kind == RowKind::Macro ? m_session->addMacroRow(offered(arg), *m_prompt)
                                         : m_session->addObjectRow(offered(arg), *m_prompt);
        else if (v == u"del")
            sel = m_session->deleteRow(kind, arg.toInt());
        else if (v == u"up")
            sel = m_session->moveRow(kind, arg.toInt(), arg.toInt() - 1);
        else if (v == u"down")
            sel = m_session->moveRow(kind, arg.toInt(), arg.toInt() + 1);
    }
    QStringList names;
    for (const PageRow &r : page().rows(kind))
        names << r.name;
    QCOMPARE(names.join(u'|'), rows);
    QCOMPARE(sel, selection);
    QCOMPARE(m_session->isChanged(), changed);
    verifyPrompt();
}

void TestPageEditSession::newObjectRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("input");
    QTest::newRow("file object, hardware type 0") << u"Licht_Decke"_s << u"Deckenlicht"_s << int(InputState::No);
    QTest::newRow("file object, hardware type 2") << u"Temperatur"_s << u"Temperatur"_s << int(InputState::None);
    QTest::newRow("variable of kind 3") << u"Pegel"_s << u"Pegel"_s << int(InputState::No);
    QTest::newRow("variable of another kind") << u"Modus_Wahl"_s << u"Modus_Wahl"_s << int(InputState::None);
}

void TestPageEditSession::newObjectRow()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(int, input);
    QCOMPARE(m_session->addObjectRow(offered(name), *m_prompt), 0);
    const PageRow &row = page().objects.at(0);
    QCOMPARE(row.name, name);
    QCOMPARE(row.label, label);
    QCOMPARE(int(row.input), input);
    // An entry without a description takes its name as one.
    QCOMPARE(row.entry->ObjDescr, label);
    QCOMPARE(page().objects.size(), 1);
}

void TestPageEditSession::toggleInput_data()
{
    QTest::addColumn<QString>("caption"); // the row's state before
    QTest::addColumn<bool>("entry");
    QTest::addColumn<bool>("autoRefresh");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("message");
    QTest::newRow("nein to ja") << u"nein"_s << true << false << u"ja"_s << false;
    QTest::newRow("nein to ja switches automatic refresh off") << u"nein"_s << true << true << u"ja"_s << true;
    QTest::newRow("ja to nein, no message") << u"ja"_s << true << true << u"nein"_s << false;
    QTest::newRow("no input stays") << u"###"_s << true << false << u"###"_s << false;
    QTest::newRow("a row without entry stays") << u"Fehler"_s << false << false << u"Fehler"_s << false;
    // A state an older file held as text: the first click makes it a plain value.
    QTest::newRow("older text becomes nein") << u""_s << true << false << u"nein"_s << false;
    QTest::newRow("Fehler with an entry becomes nein") << u"Fehler"_s << true << false << u"nein"_s << false;
}

void TestPageEditSession::toggleInput()
{
    QFETCH(QString, caption);
    QFETCH(bool, entry);
    QFETCH(bool, autoRefresh);
    QFETCH(QString, after);
    QFETCH(bool, message);
    PageRow row{u"Licht_Decke"_s, u"Decke"_s, InputState::None, {}, entry ? m_session->offered().find(u"Licht_Decke"_s) : nullptr};
    setInputCaption(row, caption);
    page().objects = {row};
    page().layout.AutoAkt = autoRefresh;
    if (message)
        m_prompt->expectError(PageMessages::AutoRefreshWithInput);
    m_session->toggleInput(0, *m_prompt);
    m_session->toggleInput(1, *m_prompt); // the blank row: nothing
    m_session->toggleInput(-1, *m_prompt);
    QCOMPARE(inputCaption(page().objects.at(0)), after);
    QCOMPARE(page().layout.AutoAkt, autoRefresh && !message);
    QCOMPARE(page().hasInputFields(), after == u"ja"_s);
    QVERIFY(!m_session->isChanged());
    verifyPrompt();
}

void TestPageEditSession::refusedAdditions()
{
    m_prompt->expectError(u"Kein Eintrag ausgewählt"_s)
        .expectError(u"Kein Eintrag ausgewählt"_s)
        .expectError(u"Nur Objekte zulässig"_s)
        .expectError(u"Kein Eintrag ausgewählt"_s)
        .expectError(u"Kein Eintrag ausgewählt"_s);
    QCOMPARE(m_session->addObjectRow(-1, *m_prompt), -1);
    QCOMPARE(m_session->addMacroRow(m_session->offered().count(), *m_prompt), -1);
    QCOMPARE(m_session->addMacroRow(offered(u"Haus.Licht"_s), *m_prompt), -1);
    QVERIFY(!m_session->addPageLink(0, *m_prompt));
    QVERIFY(!m_session->deleteLink(-1, *m_prompt));
    verifyPrompt();
    QVERIFY(page().objects.isEmpty() && page().macros.isEmpty());
    QVERIFY(!m_session->isChanged());
    QVERIFY(!m_session->canUndo());
}

void TestPageEditSession::addButtonsFollowTheEntry_data()
{
    QTest::addColumn<QChar>("source");
    QTest::addColumn<QChar>("kind");
    QTest::addColumn<int>("hdwTyp");
    QTest::addColumn<bool>("object");
    QTest::addColumn<bool>("macro");
    QTest::newRow("switchable object") << QChar(u'O') << QChar(u'U') << 2 << true << true;
    QTest::newRow("enumeration of other hardware") << QChar(u'O') << QChar(u'U') << 1 << true << false;
    QTest::newRow("macro") << QChar(u'O') << QChar(u'M') << 0 << false << true;
    QTest::newRow("button") << QChar(u'O') << QChar(u'B') << 0 << false << true;
    QTest::newRow("number") << QChar(u'O') << QChar(u'N') << 2 << true << false;
    QTest::newRow("text") << QChar(u'O') << QChar(u'S') << 2 << true << false;
    QTest::newRow("variable") << QChar(u'V') << QChar(u'X') << 2 << true << false;
    QTest::newRow("variable of kind M") << QChar(u'V') << QChar(u'M') << 2 << false << false;
}

void TestPageEditSession::addButtonsFollowTheEntry()
{
    QFETCH(QChar, source);
    QFETCH(QChar, kind);
    QFETCH(int, hdwTyp);
    QFETCH(bool, object);
    QFETCH(bool, macro);
    TPSObj entry;
    entry.Source = source;
    entry.ObjKind = kind;
    entry.HdwTyp = quint16(hdwTyp);
    QCOMPARE(PageEditSession::addButtons(entry), (PageEditSession::AddButtons{object, macro}));
}

void TestPageEditSession::labelsRefuseFieldBreakers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::newRow("plain") << u"Licht Küche"_s << u"Licht Küche"_s;
    QTest::newRow("at sign") << u"a@b"_s << u"ab"_s;
    QTest::newRow("quotes") << u"\"Licht\""_s << u"Licht"_s;
    QTest::newRow("semicolon is harmless") << u"a;b"_s << u"a;b"_s;
}

void TestPageEditSession::labelsRefuseFieldBreakers()
{
    QFETCH(QString, typed);
    QFETCH(QString, label);
    bool refused = false;
    QCOMPARE(acceptedLabel(typed, &refused), label);
    QCOMPARE(refused, typed != label);
}

void TestPageEditSession::pageLinks()
{
    PageHandOver handOver;
    handOver.page = u"Bad"_s;
    handOver.allPages = {u"küche"_s, u"Bad"_s, u"Arbeit"_s, u"bad"_s, u"Zimmer"_s};
    m_prompt->setAllowUnexpectedErrors(true); // no file to read
    m_session->begin(handOver, *m_prompt);
    QCOMPARE(m_session->otherPages(), (QStringList{u"Arbeit"_s, u"bad"_s, u"küche"_s, u"Zimmer"_s}));
    QVERIFY(m_session->addPageLink(2, *m_prompt));
    QVERIFY(m_session->addPageLink(0, *m_prompt));
    QCOMPARE(page().links, (QStringList{u"küche : küche"_s, u"Arbeit : Arbeit"_s}));
    QVERIFY(m_session->isChanged());
    QVERIFY(m_session->deleteLink(1, *m_prompt));
    QCOMPARE(page().links, QStringList{u"küche : küche"_s});
}

void TestPageEditSession::editLinks()
{
    page().links = QStringList{u"Start : Start"_s, u" Hilfe  : >http://h/x"_s};
    page().layout.AutoAkt = false;
    QString name, target;
    QVERIFY(m_session->beginEditLink(1, *m_prompt, name, target));
    QVERIFY(m_session->linkTargetEditable() && m_session->isChanged());
    QVERIFY(!m_session->canBrowseLinkTarget()); // no browser known
    QCOMPARE(name, u"Hilfe"_s);
    QCOMPARE(target, u"http://h/x"_s);
    QCOMPARE(m_session->commitLink(1, u"Doku "_s, u"http://d"_s, *m_prompt), 1);
    QVERIFY(!m_session->linkTargetEditable());

    QVERIFY(m_session->beginEditLink(0, *m_prompt, name, target));
    QVERIFY(!m_session->linkTargetEditable());
    QCOMPARE(m_session->commitLink(0, u"Home"_s, target, *m_prompt), 0);

    m_session->beginNewLink();
    QVERIFY(m_session->linkTargetEditable());
    QCOMPARE(m_session->commitLink(0, u"Neu"_s, u"n.html"_s, *m_prompt), 2);
    QCOMPARE(page().links, (QStringList{u"Home : Start"_s, u"Doku  : >http://d"_s, u"Neu : >n.html"_s}));

    m_session->selectLink(1);
    QCOMPARE(m_session->previewText(TextStyle::Navi), u"Doku  "_s);
    m_session->selectLink(7); // no such link: the preview stays
    QCOMPARE(m_session->previewText(TextStyle::Navi), u"Doku  "_s);

    m_prompt->expectError(u"Kein Eintrag ausgewählt"_s);
    QVERIFY(!m_session->beginEditLink(-1, *m_prompt, name, target));
    verifyPrompt();
}

void TestPageEditSession::linksRefuseFieldBreakers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << u"Hilfe"_s << u"http://h/?a=1;b"_s << QString();
    QTest::newRow("colon without blanks") << u"a:b"_s << u"x"_s << QString();
    QTest::newRow("separator in the name") << u"a : b"_s << u"x"_s << PageMessages::LinkNameSeparator;
    QTest::newRow("quote in the name") << u"\"Start\""_s << u"x"_s << PageMessages::LinkQuote;
    QTest::newRow("quote in the target") << u"Start"_s << u"x\"y"_s << PageMessages::LinkQuote;
}

void TestPageEditSession::linksRefuseFieldBreakers()
{
    QFETCH(QString, name);
    QFETCH(QString, target);
    QFETCH(QString, message);
    page().links = {u"Alt : Alt"_s};
    m_session->beginNewLink();
    if (!message.isEmpty())
        m_prompt->expectError(message);
    QCOMPARE(m_session->commitLink(-1, name, target, *m_prompt), message.isEmpty() ? 1 : -1);
    QCOMPARE(page().links.size(), message.isEmpty() ? 2 : 1);
    // A refused link keeps the panel's state: OK can be pressed again after a correction.
    QCOMPARE(m_session->linkTargetEditable(), !message.isEmpty());
    verifyPrompt();
}

void TestPageEditSession::splitLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("external");
    QTest::addColumn<QString>("preview");
    QTest::newRow("page link") << u"Start : Start"_s << u"Start"_s << u"Start"_s << false << u"Start "_s;
    QTest::newRow("external link") << u"Hilfe : >http://h/x"_s << u"Hilfe"_s << u"http://h/x"_s << true
                                   << u"Hilfe "_s;
    QTest::newRow("name with a colon") << u"a:b : c"_s << u"a:b"_s << u"c"_s << false << u"a"_s;
    QTest::newRow("no separator") << u"abcdef"_s << QString() << u"cdef"_s << false << u"abcdef"_s;
}

void TestPageEditSession::splitLink()
{
    QFETCH(QString, link);
    QFETCH(QString, name);
    QFETCH(QString, target);
    QFETCH(bool, external);
    QFETCH(QString, preview);
    const LinkText::Edited edited = LinkText::forEditing(link);
    QCOMPARE(edited.name, name);
    QCOMPARE(edited.target, target);
    QCOMPARE(edited.external, external);
    QCOMPARE(LinkText::preview(link), preview);
    if (!name.isEmpty())
        QCOMPARE(LinkText::joinEdited(edited.name, edited.target, edited.external), link);
}

// A row, link or order entry moved to another place, with the same cases for each list. Place 3,
// just past the last entry, is the grid's blank row. Upper case build parts are ticked.
void TestPageEditSession::moveToPlace_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("selection"); // returned
    QTest::addColumn<bool>("changed");  // IsChanged before, and after
    const std::tuple<const char *, int, int, const char *, int, bool> cases[] = {
        {"down one", 0, 1, "bAC", 1, false},
        {"up one on a changed page", 1, 0, "bAC", 0, true},
        {"to the top", 2, 0, "CAb", 0, false},
        {"to the last place, just above the blank row", 0, 2, "bCA", 2, false},
        {"same place", 1, 1, "AbC", 1, false},
        {"onto the blank row", 1, 3, "AbC", 1, false},
        {"below the blank row", 0, 4, "AbC", 0, true},
        {"the blank row itself", 3, 0, "AbC", 3, false},
        {"above the first place", 1, -1, "AbC", 1, false},
        {"nothing selected", -1, 0, "AbC", -1, false},
    };
    for (const QString &list : {u"objects"_s, u"macros"_s, u"links"_s, u"build order"_s, u"column order"_s}) {
        for (const auto &[name, from, to, order, selection, changed] : cases)
            QTest::addRow("%s: %s", qPrintable(list), name)
                << list << from << to << QString::fromLatin1(order) << selection << changed;
    }
}

void TestPageEditSession::moveToPlace()
{
    QFETCH(QString, list);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, order);
    QFETCH(int, selection);
    QFETCH(bool, changed);
    for (const QString &text : {u"A"_s, u"b"_s, u"C"_s}) {
        page().objects.append({text, text, InputState::No, {}, nullptr});
        page().macros.append({text, text, InputState::None, {}, nullptr});
        page().links << text;
    }
    page().buildOrder = page().columnOrder = {{u"A"_s, true}, {u"b"_s, false}, {u"C"_s, true}};
    if (changed)
        m_session->markChanged();
    QString shown;
    qsizetype selected = 0;
    const auto orderText = [](const QList<CheckEntry> &entries) {
        QString text;
        for (const CheckEntry &e : entries)
            text += e.checked ? e.text.toUpper() : e.text.toLower();
        return text;
    };
    if (list == u"objects"_s || list == u"macros"_s) {
        const RowKind kind = list == u"objects"_s ? RowKind::Object : RowKind::Macro;
        selected = m_session->moveRow(kind, from, to);
        for (const PageRow &row : page().rows(kind))
            shown += row.name;
    } else if (list == u"links"_s) {
        selected = m_session->moveLink(from, to);
        shown = page().links.join(QString());
    } else if (list == u"build order"_s) {
        selected = m_session->moveOrderEntry(PageEditSession::Order::Build, from, to);
        shown = orderText(page().buildOrder);
    } else {
        selected = m_session->moveOrderEntry(PageEditSession::Order::Columns, from, to);
        shown = orderText(page().columnOrder);
    }
    QCOMPARE(shown, order);
    QCOMPARE(selected, qsizetype(selection));
    QCOMPARE(m_session->isChanged(), changed);
    // A move that moved nothing is no step to undo.
    QCOMPARE(m_session->canUndo(), order != u"AbC"_s);
}

void TestPageEditSession::orderTicks()
{
    m_session->tickOrderEntry(PageEditSession::Order::Build, 4, true);
    m_session->tickOrderEntry(PageEditSession::Order::Columns, 2, false);
    m_session->tickOrderEntry(PageEditSession::Order::Columns, 3, false); // no such entry
    m_session->tickOrderEntry(PageEditSession::Order::Columns, -1, false);
    const QStringList lines = pageFileLines(page(), *m_catalogue, QLocale::c());
    QVERIFY(lines.contains(u"PAGEPOS=0x;1x;2x;3x;4x;5;"_s));
    QVERIFY(lines.contains(u"OBJCOLS=0x;1x;2;"_s));
    // Ticks mark nothing as changed.
    QVERIFY(!m_session->isChanged());
}

void TestPageEditSession::longNavigationLineWarnsAndSaves_data()
{
    QTest::addColumn<int>("links");
    QTest::addColumn<bool>("naviChecked");
    QTest::addColumn<bool>("warned");
    // "Seite00 : Seite00" is written as 16 characters with its two separators.
    QTest::newRow("fits") << 63 << true << false;
    QTest::newRow("too long") << 64 << true << true;
    QTest::newRow("too long but not written") << 64 << false << false;
}

void TestPageEditSession::longNavigationLineWarnsAndSaves()
{
    QFETCH(int, links);
    QFETCH(bool, naviChecked);
    QFETCH(bool, warned);
    openPage(QString());
    m_session->setNameText(u"Neu"_s);
    for (int i = 0; i < links; ++i)
        page().links << u"Seite%1 : Seite%1"_s.arg(i % 100, 2, 10, QChar(u'0'));
    for (CheckEntry &entry : page().buildOrder) {
        if (entry.text.startsWith(u"Navigationszeile"_s))
            entry.checked = naviChecked;
    }
    if (warned)
        m_prompt->expectWarning(PageMessages::NaviTooLong.arg(links * 16).arg(1023));
    QCOMPARE(m_session->save(*m_prompt), PageEditSession::SaveResult::Saved);
    QVERIFY(QFileInfo::exists(pagePath(u"Neu"_s)));
    verifyPrompt();
}

void TestPageEditSession::fontAndColourDialogsReachTheFile_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("accept");
    QTest::newRow("headline") << int(TextStyle::Head) << u"HEAD"_s << true;
    QTest::newRow("labels") << int(TextStyle::Obj) << u"OBJ"_s << true;
    QTest::newRow("values") << int(TextStyle::Val) << u"VAL"_s << true;
    QTest::newRow("links") << int(TextStyle::Navi) << u"NAV"_s << true;
    QTest::newRow("cancelled") << int(TextStyle::Val) << u"VAL"_s << false;
}

void TestPageEditSession::fontAndColourDialogsReachTheFile()
{
    QFETCH(int, style);
    QFETCH(QString, suffix);
    QFETCH(bool, accept);
    openPage(QString());
    const auto which = TextStyle(style);
    // Bold and underline, pure blue text on pure red.
    m_prompt->expectFont(accept, {u"Verdana"_s, 12, fsBold | fsUnderline, 0xFF0000}).expectColour(accept, 0x0000FF);
    QCOMPARE(m_session->chooseStyleFont(which, *m_prompt), accept);
    QCOMPARE(m_session->chooseStyleBackground(which, *m_prompt), accept);
    // The dialogs start at the style's values.
    const QString startFace = which == TextStyle::Head ? u"MS Sans Serif"_s : u"Arial"_s;
    QCOMPARE(m_prompt->lastFont,
             (Prompt::FontChoice{startFace, 8, which == TextStyle::Navi ? fsUnderline : fsBold, 0}));
    QCOMPARE(m_prompt->lastColour, clWhite);

    const QStringList lines = pageFileLines(page(), *m_catalogue);
    const QStringList expected = accept ? QStringList{u"FN%1=Verdana"_s, u"FS%1=12"_s, u"FST%1=5"_s, u"FC%1=0000FF"_s,
                                                      u"FCB%1=FF0000"_s}
                                        : QStringList{u"FN%1=Arial"_s, u"FS%1=8"_s, u"FST%1=1"_s, u"FC%1=000000"_s,
                                                      u"FCB%1=FFFFFF"_s};
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line.arg(suffix)), qPrintable(line.arg(suffix)));
    // A cancelled dialog is no step.
    QCOMPARE(m_session->canUndo(), accept);
    verifyPrompt();
}

void TestPageEditSession::previews_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("preview");
    QTest::newRow("typing alone leaves the preview") << u"Wohnen"_s << false << u"Überschrift"_s;
    QTest::newRow("leaving the field shows the headline") << u"Wohnen"_s << true << u"Wohnen"_s;
    QTest::newRow("an emptied headline shows nothing") << QString() << true << QString();
}

void TestPageEditSession::previews()
{
    QFETCH(QString, typed);
    QFETCH(bool, left);
    QFETCH(QString, preview);
    openPage(QString());
    m_session->setHeadline(u"x"_s);
    m_session->setHeadline(typed);
    if (left)
        m_session->headlineLeft();
    QCOMPARE(m_session->previewText(TextStyle::Head), preview);
    QCOMPARE(m_session->previewText(TextStyle::Obj), u"Objektbezeichnung"_s);
    QCOMPARE(m_session->previewText(TextStyle::Val), u"Objektwert"_s);
    // Leaving the field counts as a change, whether or not the text changed.
    QCOMPARE(m_session->isChanged(), left);
}

void TestPageEditSession::autoRefreshRule_data()
{
    QTest::addColumn<QString>("place"); // tick the box, input state toggled to "ja", OK, entering the HTML tab
    QTest::addColumn<bool>("inputField");
    QTest::addColumn<bool>("ticked");   // the box after the tick, else as it was before the place
    QTest::addColumn<bool>("usable");   // the box's usability before the place
    QTest::addColumn<bool>("message");
    QTest::addColumn<bool>("autoAkt");  // after the place
    QTest::addColumn<bool>("usableAfter");

    QTest::newRow("ticked without an input field") << u"tick"_s << false << true << true << false << true << true;
    QTest::newRow("ticked with an input field") << u"tick"_s << true << true << true << true << false << true;
    QTest::newRow("unticked with an input field") << u"tick"_s << true << false << true << false << false << true;
    QTest::newRow("input becomes ja while ticked") << u"input"_s << true << true << true << true << false << true;
    QTest::newRow("input becomes ja while unticked") << u"input"_s << true << false << true << false << false << true;
    QTest::newRow("saved with an input field") << u"save"_s << true << true << true << true << false << true;
    QTest::newRow("saved without an input field") << u"save"_s << false << true << true << false << true << true;
    QTest::newRow("HTML tab with an input field") << u"html"_s << true << true << true << false << false << false;
    QTest::newRow("HTML tab without an input field")
        << u"html"_s << false << true << false << false << true << true;
}

void TestPageEditSession::autoRefreshRule()
{
    QFETCH(QString, place);
    QFETCH(bool, inputField);
    QFETCH(bool, ticked);
    QFETCH(bool, usable);
    QFETCH(bool, message);
    QFETCH(bool, autoAkt);
    QFETCH(bool, usableAfter);
    writeBytes(pagePath(u"Küche"_s), OneRowPage);
    openPage(u"Küche"_s);
    page().layout.AutoAkt = false;
    if (!usable) {
        // Only entering the HTML inserts with an input field makes the box unusable.
        m_session->toggleInput(0, *m_prompt);
        m_session->enterHtmlInserts();
        m_session->toggleInput(0, *m_prompt);
    }
    QCOMPARE(m_session->autoRefreshUsable(), usable);
    if (inputField && place != u"input"_s)
        m_session->toggleInput(0, *m_prompt);
    page().layout.AutoAkt = place != u"tick"_s && ticked;
    if (message)
        m_prompt->expectError(PageMessages::AutoRefreshWithInput);

    if (place == u"tick"_s)
        m_session->setAutoRefresh(ticked, *m_prompt);
    else if (place == u"input"_s)
        m_session->toggleInput(0, *m_prompt);
    else if (place == u"save"_s)
        QCOMPARE(m_session->save(*m_prompt), PageEditSession::SaveResult::Saved);
    else
        m_session->enterHtmlInserts();

    QCOMPARE(page().hasInputFields(), inputField);
    QCOMPARE(page().layout.AutoAkt, autoAkt);
    QCOMPARE(m_session->autoRefreshUsable(), usableAfter);
    verifyPrompt();
    // Only entering the HTML tab changes whether the box can be used, also for the next page.
    openPage(QString());
    QCOMPARE(m_session->autoRefreshUsable(), usableAfter);
}

void TestPageEditSession::catalogueClearDropsReferences()
{
    buildExamplePage(*m_session);
    m_session->setHeadline(u"Geändert"_s);
    QVERIFY(page().objects.first().entry && m_session->canUndo());
    m_catalogue->ClearCatalogue();
    QCOMPARE(m_session->offered().count(), 0);
    QVERIFY(!page().objects.first().entry);
    QVERIFY(!page().macros.first().entry);
    QCOMPARE(m_session->offered().indexOf(u"Licht_Decke"_s), -1);
    // The history holds entries of the old catalogue: it goes with them.
    QVERIFY(!m_session->canUndo());
    // The page can still be written; the rows without entry are dropped.
    const QStringList lines = pageFileLines(page(), *m_catalogue, QLocale::c());
    QVERIFY(!lines.join(u'\n').contains(u"OBJROW="_s));
    QVERIFY(!lines.contains(u"#011000"_s));
}

QTEST_GUILESS_MAIN(TestPageEditSession)
#include "TestPageEditSession.moc"
