#include "page/PageTestCatalogue.h"

#include "page/Messages.h"
#include "page/PageFileWriter.h"
#include "page/PageModel.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The page editor's rules without its window: showing, the name check, saving and closing.
class TestPageEditing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void checkPageName_data();
    void checkPageName();
    void showing_data();
    void showing();
    void saving_data();
    void saving();
    void okAsksBeforeDroppingRows_data();
    void okAsksBeforeDroppingRows();
    void closeQuestion_data();
    void closeQuestion();
    void addButtonsFollowTheEntry_data();
    void addButtonsFollowTheEntry();
    void labelsRefuseFieldBreakers_data();
    void labelsRefuseFieldBreakers();
    void linksRefuseFieldBreakers_data();
    void linksRefuseFieldBreakers();
    void longNavigationLineWarnsAndSaves_data();
    void longNavigationLineWarnsAndSaves();
    void fontAndColourDialogsReachTheFile_data();
    void fontAndColourDialogsReachTheFile();
    void autoRefreshRule_data();
    void autoRefreshRule();

private:
    QString pagePath(const QString &page) const { return ProjectFiles::pageFile(m_dir->path(), u"Haus"_s, page); }
    void openPage(const QString &page, bool newPage);
    void verifyPrompt() { QVERIFY2(m_prompt->verifyDone(), qPrintable(m_prompt->problems().join(u'\n'))); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageModel> m_model;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    const QStringList m_pages{u"Küche"_s, u"Bad"_s, u"Flur"_s};
};

void TestPageEditing::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_catalogue = std::make_unique<Catalogue>();
    fillTestCatalogue(*m_catalogue);
    m_model = std::make_unique<PageModel>(*m_catalogue);
    m_model->InitAll();
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void TestPageEditing::cleanup()
{
    m_model.reset();
    m_catalogue.reset();
}

void TestPageEditing::openPage(const QString &page, bool newPage)
{
    m_model->SiteName = page;
    m_model->MainName = u"Haus"_s;
    m_model->DirDat = m_dir->path();
    m_model->NewPage = newPage;
    m_model->IsChanged = true;
    m_model->prepareShow(m_pages, *m_prompt);
}

void TestPageEditing::checkPageName_data()
{
    QTest::addColumn<QString>("siteName"); // empty: a new page
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("field");

    const int ok = int(PageModel::NameCheck::Ok);
    const int empty = int(PageModel::NameCheck::Empty);
    const int taken = int(PageModel::NameCheck::Taken);
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

void TestPageEditing::checkPageName()
{
    QFETCH(QString, siteName);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, field);
    m_model->SiteName = siteName;
    m_model->NewPage = siteName.isEmpty();
    m_model->PageNameText = typed;
    QCOMPARE(int(m_model->CheckPageName(m_pages)), result);
    QCOMPARE(m_model->PageNameText, field);
}

void TestPageEditing::showing_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file
    QTest::addColumn<bool>("newPage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<int>("objectRows");

    const QByteArray page = "#001000=Küche\r\n#008000\r\nSHEAD=Kochen\r\n#010000\r\n"
                            "OBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n";
    QTest::newRow("existing page read") << page << false << QString() << u"Kochen"_s << 1;
    QTest::newRow("missing file opens empty")
        << QByteArray() << false << u"Datei nicht gefunden: %1"_s << QString() << 0;
    QTest::newRow("reading stops, lines before stay")
        << QByteArray("#008000\r\nSHEAD=Kochen\r\n#007000\r\nAutoAkt=vielleicht\r\n") << false
        << u"'vielleicht' ist kein gültiger boolescher Wert"_s << u"Kochen"_s << 0;
    QTest::newRow("new page reads no file") << page << true << QString() << QString() << 0;
    QTest::newRow("file without a page opens empty")
        << QByteArray("Einkaufsliste\r\nSHEAD=Milch\r\n") << false
        << u"Die Datei %1 enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes Format oder eine "
           u"andere Zeichenkodierung).\rDie Seite wird leer geöffnet; die Datei bleibt unverändert, bis Sie mit OK "
           u"speichern."_s
        << QString() << 0;
}

void TestPageEditing::showing()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, newPage);
    QFETCH(QString, message);
    QFETCH(QString, headline);
    QFETCH(int, objectRows);
    if (!file.isEmpty())
        writeBytes(pagePath(u"Küche"_s), file);
    if (!message.isEmpty())
        m_prompt->expectError(message.contains(u"%1"_s) ? message.arg(pagePath(u"Küche"_s)) : message);
    // Left over from the page handled before.
    m_model->SiteData.Headline = u"Alt"_s;
    m_model->SiteData.BGCol = 0x123456;
    m_model->NaviLB = {u"Alt : Alt"_s};

    openPage(newPage ? QString() : u"Küche"_s, newPage);

    QCOMPARE(m_model->PageNameText, newPage ? QString() : u"Küche"_s);
    QCOMPARE(m_model->SiteData.Headline, headline);
    QCOMPARE(int(m_model->SGRows.size()), objectRows);
    QVERIFY(m_model->NaviLB.isEmpty());
    QCOMPARE(m_model->SeitenLB, newPage ? QStringList({u"Bad"_s, u"Flur"_s, u"Küche"_s}) : QStringList({u"Bad"_s, u"Flur"_s}));
    QCOMPARE(m_model->SiteData.BGCol == clWhite, newPage);
    QVERIFY(!m_model->IsChanged);
    // Opening reads and never writes.
    if (!file.isEmpty())
        QCOMPARE(fileBytes(pagePath(u"Küche"_s)), file);
    verifyPrompt();
}

void TestPageEditing::saving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("inputField");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("savedName");
    QTest::addColumn<QStringList>("messages");

    const QString autoRefresh = PageMessages::AutoRefreshWithInput;
    QTest::newRow("saved unchanged") << u"Küche"_s << false << int(PageModel::SaveResult::Saved) << u"Küche"_s
                                     << QStringList();
    QTest::newRow("saved under a trimmed new name")
        << u" Wohnen "_s << false << int(PageModel::SaveResult::Saved) << u"Wohnen"_s << QStringList();
    QTest::newRow("input field switches automatic refresh off")
        << u"Küche"_s << true << int(PageModel::SaveResult::Saved) << u"Küche"_s << QStringList{autoRefresh};
    QTest::newRow("taken name writes nothing")
        << u"bad"_s << true << int(PageModel::SaveResult::NameRefused) << u"Küche"_s << QStringList{autoRefresh};
    QTest::newRow("name no file can hold")
        << u"Ab/Zu"_s << false << int(PageModel::SaveResult::NotWritten) << u"Ab/Zu"_s
        << QStringList{u"Fehler 123 beim Schreiben der Datei %1"_s};
}

void TestPageEditing::saving()
{
    QFETCH(QString, typed);
    QFETCH(bool, inputField);
    QFETCH(int, result);
    QFETCH(QString, savedName);
    QFETCH(QStringList, messages);
    writeBytes(pagePath(u"Küche"_s), "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n");
    openPage(u"Küche"_s, false);
    m_model->PageNameText = typed;
    m_model->SiteData.AutoAkt = false;
    if (inputField)
        m_model->toggleInputState(1, *m_prompt);
    m_model->SiteData.AutoAkt = true;
    m_model->IsChanged = true;
    for (const QString &message : std::as_const(messages))
        m_prompt->expectError(message.contains(u"%1"_s) ? message.arg(pagePath(savedName)) : message);

    QCOMPARE(int(m_model->OKBtnClick(m_pages, *m_prompt)), result);

    const bool saved = result == int(PageModel::SaveResult::Saved);
    QCOMPARE(m_model->SiteName, savedName);
    QCOMPARE(m_model->IsChanged, !saved);
    QCOMPARE(m_model->SiteData.AutoAkt, !inputField);
    if (saved) {
        QByteArray expected;
        for (const QString &line : pageFileLines(*m_model))
            expected += Cp1252::encode(line) + "\r\n";
        QCOMPARE(fileBytes(pagePath(savedName)), expected);
        QVERIFY(expected.contains(inputField ? "AutoAkt=0\r\n" : "AutoAkt=1\r\n"));
    } else if (savedName != u"Küche"_s) {
        QVERIFY(!QFileInfo::exists(pagePath(savedName)));
    }
    verifyPrompt();
}

void TestPageEditing::okAsksBeforeDroppingRows_data()
{
    QTest::addColumn<QByteArray>("rows"); // the page file's row sections
    QTest::addColumn<int>("answer");      // -1: not asked
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("result");

    const QByteArray known = "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n";
    const QByteArray lostObject = "OBJROW=Alt_Licht@Alt@1@O@99@U@3@Aus&Ein\r\n";
    const QByteArray lostMacro = "#011000\r\nMACRO=Alt_Makro@Aus@8\r\nMACRO=Alles_Aus@Alles aus@7\r\n";
    const QString one = u"1 Objekt- oder Makrozeile nennt ein Objekt, das nicht angeboten wird („Fehler“). Sie wird "
                        u"aus der Seitendatei entfernt.\rTrotzdem speichern?"_s;
    const QString two = u"2 Objekt- und Makrozeilen nennen Objekte, die nicht angeboten werden („Fehler“). Sie "
                        u"werden aus der Seitendatei entfernt.\rTrotzdem speichern?"_s;
    const int saved = int(PageModel::SaveResult::Saved);
    const int declined = int(PageModel::SaveResult::Declined);
    QTest::newRow("every row offered: no question") << known << -1 << QString() << saved;
    QTest::newRow("one lost row, No writes nothing") << known + lostObject << int(Prompt::Answer::No) << one << declined;
    QTest::newRow("lost object and macro row, Yes drops them")
        << known + lostObject + lostMacro << int(Prompt::Answer::Yes) << two << saved;
}

void TestPageEditing::okAsksBeforeDroppingRows()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(int, result);
    const QString path = pagePath(u"Küche"_s);
    const QByteArray before = "@V=HTM100\r\n#001000=Küche\r\nFILEVERS=140\r\n#005000\r\nPAGEPOS=1x;2x;\r\n" + rows;
    writeBytes(path, before);
    openPage(u"Küche"_s, false);
    m_model->PageNameText = u"Bad2"_s; // a rename that is declined must not take the new name
    if (answer >= 0)
        m_prompt->expectYesNoDefaultNo(question, Prompt::Answer(answer));

    QCOMPARE(int(m_model->OKBtnClick(m_pages, *m_prompt)), result);

    verifyPrompt();
    if (result == int(PageModel::SaveResult::Declined)) {
        QCOMPARE(m_model->SiteName, u"Küche"_s);
        QVERIFY(!QFileInfo::exists(pagePath(u"Bad2"_s)));
        QCOMPARE(fileBytes(path), before);
        return;
    }
    const QByteArray written = fileBytes(pagePath(u"Bad2"_s));
    QVERIFY(written.contains("OBJROW=Licht_Decke@"));
    QVERIFY(written.contains("MACRO=Alles_Aus@") == rows.contains("MACRO=Alles_Aus@"));
    QVERIFY(!written.contains("Alt_"));
}

void TestPageEditing::closeQuestion_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer"); // -1: not asked
    QTest::addColumn<bool>("closes");
    QTest::newRow("unchanged closes at once") << false << -1 << true;
    QTest::newRow("changed, Yes closes") << true << int(Prompt::Answer::Yes) << true;
    QTest::newRow("changed, No stays open") << true << int(Prompt::Answer::No) << false;
}

void TestPageEditing::closeQuestion()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    m_model->IsChanged = changed;
    if (answer >= 0)
        m_prompt->expectYesNo(u"Änderungen werden nicht gespeichert. Ist das richtig?"_s, Prompt::Answer(answer));
    QCOMPARE(m_model->FormCloseQuery(*m_prompt), closes);
    QCOMPARE(m_model->IsChanged, changed);
    verifyPrompt();
}

void TestPageEditing::addButtonsFollowTheEntry_data()
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

void TestPageEditing::addButtonsFollowTheEntry()
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
    const PageModel::AddButtons buttons = PageModel::ObjBoxClick(entry);
    QCOMPARE(buttons.object, object);
    QCOMPARE(buttons.macro, macro);
}

void TestPageEditing::labelsRefuseFieldBreakers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::newRow("plain") << u"Licht Küche"_s << u"Licht Küche"_s;
    QTest::newRow("at sign") << u"a@b"_s << u"ab"_s;
    QTest::newRow("quotes") << u"\"Licht\""_s << u"Licht"_s;
    QTest::newRow("semicolon is harmless") << u"a;b"_s << u"a;b"_s;
}

void TestPageEditing::labelsRefuseFieldBreakers()
{
    QFETCH(QString, typed);
    QFETCH(QString, label);
    bool refused = false;
    QCOMPARE(PageModel::acceptedLabel(typed, &refused), label);
    QCOMPARE(refused, typed != label);
}

void TestPageEditing::linksRefuseFieldBreakers_data()
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

void TestPageEditing::linksRefuseFieldBreakers()
{
    QFETCH(QString, name);
    QFETCH(QString, target);
    QFETCH(QString, message);
    m_model->NaviLB = {u"Alt : Alt"_s};
    m_model->beginNewLink();
    if (!message.isEmpty())
        m_prompt->expectError(message);
    QCOMPARE(m_model->commitLink(-1, name, target, *m_prompt), message.isEmpty() ? 1 : -1);
    QCOMPARE(m_model->NaviLB.size(), message.isEmpty() ? 2 : 1);
    // A refused link keeps the panel's state: OK can be pressed again after a correction.
    QCOMPARE(m_model->ExtLink, !message.isEmpty());
    verifyPrompt();
}

void TestPageEditing::longNavigationLineWarnsAndSaves_data()
{
    QTest::addColumn<int>("links");
    QTest::addColumn<bool>("naviChecked");
    QTest::addColumn<bool>("warned");
    // "Seite00 : Seite00" is written as 16 characters with its two separators.
    QTest::newRow("fits") << 63 << true << false;
    QTest::newRow("too long") << 64 << true << true;
    QTest::newRow("too long but not written") << 64 << false << false;
}

void TestPageEditing::longNavigationLineWarnsAndSaves()
{
    QFETCH(int, links);
    QFETCH(bool, naviChecked);
    QFETCH(bool, warned);
    openPage(QString(), true);
    m_model->PageNameText = u"Neu"_s;
    for (int i = 0; i < links; ++i)
        m_model->NaviLB << u"Seite%1 : Seite%1"_s.arg(i % 100, 2, 10, QChar(u'0'));
    for (CheckEntry &entry : m_model->PagePosLB) {
        if (entry.text.startsWith(u"Navigationszeile"_s))
            entry.checked = naviChecked;
    }
    if (warned)
        m_prompt->expectWarning(PageMessages::NaviTooLong.arg(links * 16).arg(1023));
    QCOMPARE(m_model->OKBtnClick(m_pages, *m_prompt), PageModel::SaveResult::Saved);
    QVERIFY(QFileInfo::exists(pagePath(u"Neu"_s)));
    verifyPrompt();
}

void TestPageEditing::fontAndColourDialogsReachTheFile_data()
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

void TestPageEditing::fontAndColourDialogsReachTheFile()
{
    QFETCH(int, style);
    QFETCH(QString, suffix);
    QFETCH(bool, accept);
    openPage(QString(), true);
    const auto which = TextStyle(style);
    // Bold and underline, pure blue text on pure red.
    m_prompt->expectFont(accept, {u"Verdana"_s, 12, fsBold | fsUnderline, 0xFF0000}).expectColour(accept, 0x0000FF);
    QCOMPARE(m_model->chooseStyleFont(which, *m_prompt), accept);
    QCOMPARE(m_model->chooseStyleBackground(which, *m_prompt), accept);
    // The dialogs start at the style's values.
    const QString startFace = which == TextStyle::Head ? u"MS Sans Serif"_s : u"Arial"_s;
    QCOMPARE(m_prompt->lastFont, (Prompt::FontChoice{startFace, 8, which == TextStyle::Navi ? fsUnderline : fsBold, 0}));
    QCOMPARE(m_prompt->lastColour, clWhite);

    const QStringList lines = pageFileLines(*m_model);
    const QStringList expected = accept ? QStringList{u"FN%1=Verdana"_s, u"FS%1=12"_s, u"FST%1=5"_s, u"FC%1=0000FF"_s,
                                                      u"FCB%1=FF0000"_s}
                                        : QStringList{u"FN%1=Arial"_s, u"FS%1=8"_s, u"FST%1=1"_s, u"FC%1=000000"_s,
                                                      u"FCB%1=FFFFFF"_s};
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line.arg(suffix)), qPrintable(line.arg(suffix)));
    verifyPrompt();
}

void TestPageEditing::autoRefreshRule_data()
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

void TestPageEditing::autoRefreshRule()
{
    QFETCH(QString, place);
    QFETCH(bool, inputField);
    QFETCH(bool, ticked);
    QFETCH(bool, usable);
    QFETCH(bool, message);
    QFETCH(bool, autoAkt);
    QFETCH(bool, usableAfter);
    writeBytes(pagePath(u"Küche"_s), "#010000\r\nOBJROW=Licht_Decke@Decke@0@O@12@U@3@Aus&Ein\r\n");
    openPage(u"Küche"_s, false);
    m_model->SiteData.AutoAkt = false;
    if (inputField && place != u"input"_s)
        m_model->toggleInputState(1, *m_prompt);
    m_model->SiteData.AutoAkt = place != u"tick"_s && ticked;
    m_model->AutoAktCBEnabled = usable;
    if (message)
        m_prompt->expectError(PageMessages::AutoRefreshWithInput);

    if (place == u"tick"_s)
        m_model->AutoAktCBClick(ticked, *m_prompt);
    else if (place == u"input"_s)
        m_model->toggleInputState(1, *m_prompt);
    else if (place == u"save"_s)
        QCOMPARE(m_model->OKBtnClick(m_pages, *m_prompt), PageModel::SaveResult::Saved);
    else
        m_model->HTMLCodeEnter();

    QCOMPARE(m_model->hasInputFields(), inputField);
    QCOMPARE(m_model->SiteData.AutoAkt, autoAkt);
    QCOMPARE(m_model->AutoAktCBEnabled, usableAfter);
    verifyPrompt();
    // Only entering the HTML tab changes whether the box can be used, also for the next page.
    openPage(QString(), true);
    QCOMPARE(m_model->AutoAktCBEnabled, usableAfter);
}

QTEST_GUILESS_MAIN(TestPageEditing)
#include "TestPageEditing.moc"
