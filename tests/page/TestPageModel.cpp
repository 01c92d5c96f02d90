#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "page/LinkText.h"
#include "page/PageFileWriter.h"
#include "page/PageModel.h"
#include "page/PageParts.h"
#include "support/ScriptedPrompt.h"

#include <QTest>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString AutoRefreshMessage =
    u"Automatische Aktualisierung ist nur möglich wenn die Seite keine Eingabefelder hat, da Eingaben sonst durch "
    "die Aktualisierung gelöscht würden.\rAutomatische Aktualisierung wird deaktiviert."_s;

} // namespace

class TestPageModel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_catalogue = std::make_unique<Catalogue>();
        fillTestCatalogue(*m_catalogue);
        m_catalogue->AddPSObj(u"Haus.Licht"_s, 9)->Source = u'O';
        m_model = std::make_unique<PageModel>(*m_catalogue);
        m_model->InitAll();
    }

    void startState()
    {
        const TSiteData &d = m_model->SiteData;
        QCOMPARE(m_model->PagePosLB.size(), 6);
        for (qsizetype i = 0; i < 6; ++i)
            QCOMPARE(m_model->PagePosLB[i], (CheckEntry{PageParts::PagePartNames[i], i < 4}));
        QCOMPARE(m_model->ObjSeqLB,
                 (QList<CheckEntry>{{u"Bezeichnung"_s, true}, {u"Zustand/Wert"_s, true}, {u"Eingabe"_s, true}}));
        QCOMPARE(d.BGCol, clWindow);
        QCOMPARE(m_model->HeadPreview, u"Überschrift"_s);
        QCOMPARE(m_model->NaviPreview, u"home"_s);
        const QStringList lines = pageFileLines(*m_model, QLocale::c());
        QVERIFY(lines.contains(u"BG=FFFFFF"_s));
        QVERIFY(lines.contains(u"PAGEPOS=0x;1x;2x;3x;4;5;"_s));
        QVERIFY(lines.contains(u"OBJCOLS=0x;1x;2x;"_s));
    }

    void initDataKeepsLayout()
    {
        buildExamplePage(*m_model);
        m_model->SiteData.ObjWidth = 333;
        m_model->SiteData.AutoAkt = true;
        m_model->PagePosLB.swapItemsAt(0, 1);
        m_model->HTMLCode1MB << u"x"_s;
        m_model->SeitenLB << u"A"_s;
        m_model->SGBlank.label = u"getippt"_s;
        m_model->InitData();
        QVERIFY(m_model->SGRows.isEmpty() && m_model->MGRows.isEmpty() && m_model->NaviLB.isEmpty());
        QVERIFY(m_model->HTMLCode1MB.isEmpty() && m_model->SeitenLB.isEmpty());
        QVERIFY(m_model->SiteData.Headline.isEmpty());
        QCOMPARE(m_model->sgRowCount(), 2);
        QCOMPARE(m_model->sgRow(1).label, QString());
        QCOMPARE(m_model->SiteData.ObjWidth, 333);
        QVERIFY(m_model->SiteData.AutoAkt);
        QCOMPARE(m_model->PagePosLB.first().text, u"Objekte"_s);
    }

    void gridOperations_data()
    {
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("selection");
        QTest::addColumn<bool>("changed");
        // Operations on the object grid ("add", "del", "up", "down") or on the macro grid ("m" prefix).
        QTest::newRow("delete on an empty grid") << QStringList{u"del:1"_s} << QString() << 1 << false;
        QTest::newRow("same entry twice")
            << QStringList{u"add:Pumpe"_s, u"add:Pumpe"_s} << u"Pumpe|Pumpe"_s << 2 << true;
        QTest::newRow("delete the only row") << QStringList{u"add:Pumpe"_s, u"del:1"_s} << QString() << 1 << true;
        QTest::newRow("delete the blank row") << QStringList{u"add:Pumpe"_s, u"del:2"_s} << u"Pumpe"_s << 2 << true;
        QTest::newRow("delete in the middle")
            << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"add:Tor"_s, u"add:Pumpe"_s, u"del:2"_s}
            << u"Pumpe|Tor|Pumpe"_s << 2 << true;
        QTest::newRow("first row up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:1"_s} << u"Pumpe|Pegel"_s << 1
                                      << true;
        QTest::newRow("last row down") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"down:2"_s} << u"Pumpe|Pegel"_s
                                       << 2 << true;
        QTest::newRow("blank row up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:3"_s} << u"Pumpe|Pegel"_s << 3
                                      << true;
        QTest::newRow("down") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"down:1"_s} << u"Pegel|Pumpe"_s << 2
                              << true;
        QTest::newRow("up") << QStringList{u"add:Pumpe"_s, u"add:Pegel"_s, u"up:2"_s} << u"Pegel|Pumpe"_s << 1 << true;
        QTest::newRow("macro: added rows do not set changed")
            << QStringList{u"madd:Pumpe"_s, u"madd:Alles_Aus"_s, u"mup:2"_s} << u"Alles_Aus|Pumpe"_s << 1 << false;
        QTest::newRow("macro: blank row")
            << QStringList{u"madd:Pumpe"_s, u"mdel:2"_s, u"mup:2"_s, u"mdown:1"_s} << u"Pumpe"_s << 1 << false;
        QTest::newRow("macro: delete") << QStringList{u"madd:Pumpe"_s, u"madd:Alles_Aus"_s, u"mdel:1"_s}
                                       << u"Alles_Aus"_s << 1 << true;
    }

    void gridOperations()
    {
        QFETCH(QStringList, ops);
        QFETCH(QString, rows);
        QFETCH(int, selection);
        QFETCH(bool, changed);
        m_catalogue->AddPSObj(u"Tor"_s, 11)->Source = u'O';
        m_model->FillObjBox();
        ScriptedPrompt prompt;
        int sel = -1;
        bool macro = false;
        for (const QString &op : ops) {
            const QString verb = op.section(u':', 0, 0);
            const QString arg = op.section(u':', 1);
            macro = verb.startsWith(u'm');
            const QString v = macro ? verb.mid(1) : verb;
            if (v == u"add")
                sel = macro ? m_model->appendMacroRow(m_model->findOffered(arg), prompt)
                            : m_model->appendObjRow(m_model->findOffered(arg), prompt);
            else if (v == u"del")
                sel = macro ? m_model->deleteMacroRow(arg.toInt()) : m_model->deleteObjRow(arg.toInt());
            else if (v == u"up")
                sel = macro ? m_model->moveMacroRowUp(arg.toInt()) : m_model->moveObjRowUp(arg.toInt());
            else if (v == u"down")
                sel = macro ? m_model->moveMacroRowDown(arg.toInt()) : m_model->moveObjRowDown(arg.toInt());
        }
        QStringList names;
        if (macro) {
            for (const MacroRow &r : m_model->MGRows)
                names << r.name;
            QVERIFY(m_model->MGBlank.name.isEmpty() && !m_model->MGBlank.entry);
        } else {
            for (const ObjRow &r : m_model->SGRows)
                names << r.name;
            QVERIFY(m_model->SGBlank.name.isEmpty() && !m_model->SGBlank.entry);
        }
        QCOMPARE(names.join(u'|'), rows);
        QCOMPARE(sel, selection);
        QCOMPARE(m_model->IsChanged, changed);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    }

    void newObjectRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("input");
        QTest::newRow("file object, hardware type 0") << u"Licht_Decke"_s << u"Deckenlicht"_s << u"nein"_s;
        QTest::newRow("file object, hardware type 2") << u"Temperatur"_s << u"Temperatur"_s << u"###"_s;
        QTest::newRow("variable of kind 3") << u"Pegel"_s << u"Pegel"_s << u"nein"_s;
        QTest::newRow("variable of another kind") << u"Modus_Wahl"_s << u"Modus_Wahl"_s << u"###"_s;
    }

    void newObjectRow()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(QString, input);
        ScriptedPrompt prompt;
        m_model->SGBlank.label = u"getippt"_s;
        QCOMPARE(m_model->appendObjRow(m_model->findOffered(name), prompt), 1);
        const ObjRow &row = m_model->sgRow(1);
        QCOMPARE(row.name, name);
        QCOMPARE(row.label, label);
        QCOMPARE(row.input, input);
        QCOMPARE(row.entry->ObjDescr, label);
        QCOMPARE(m_model->sgRowCount(), 3);
    }

    void toggleInputState()
    {
        ScriptedPrompt prompt;
        m_model->appendObjRow(m_model->findOffered(u"Licht_Decke"_s), prompt);
        m_model->appendObjRow(m_model->findOffered(u"Temperatur"_s), prompt);
        m_model->appendReadObjRow({u"Weg"_s, u"W"_s, u"Fehler"_s, nullptr});
        m_model->SiteData.AutoAkt = true;
        prompt.expectError(AutoRefreshMessage);
        for (int row : {1, 2, 3, 4})
            m_model->toggleInputState(row, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QVERIFY(!m_model->SiteData.AutoAkt);
        QCOMPARE(m_model->sgRow(1).input, u"ja"_s);
        QCOMPARE(m_model->sgRow(2).input, u"###"_s);
        QCOMPARE(m_model->sgRow(3).input, u"Fehler"_s);
        QVERIFY(m_model->hasInputFields());

        m_model->SiteData.AutoAkt = true;
        prompt.expectError(AutoRefreshMessage);
        QVERIFY(m_model->enforceAutoRefreshRule(prompt));
        QVERIFY(!m_model->SiteData.AutoAkt);
        m_model->toggleInputState(1, prompt); // back to "nein": no message
        QCOMPARE(m_model->sgRow(1).input, u"nein"_s);
        m_model->SiteData.AutoAkt = true;
        QVERIFY(!m_model->enforceAutoRefreshRule(prompt));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    }

    void refusedAdditions()
    {
        ScriptedPrompt prompt;
        prompt.expectError(u"Kein Eintrag ausgewählt"_s)
            .expectError(u"Kein Eintrag ausgewählt"_s)
            .expectError(u"Nur Objekte zulässig"_s)
            .expectError(u"Kein Eintrag ausgewählt"_s)
            .expectError(u"Kein Eintrag ausgewählt"_s);
        QCOMPARE(m_model->appendObjRow(-1, prompt), -1);
        QCOMPARE(m_model->appendMacroRow(m_model->ObjBox().size(), prompt), -1);
        QCOMPARE(m_model->appendMacroRow(m_model->findOffered(u"Haus.Licht"_s), prompt), -1);
        QVERIFY(!m_model->appendPageLink(0, prompt));
        QVERIFY(!m_model->deleteLink(-1, prompt));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(m_model->sgRowCount(), 2);
        QCOMPARE(m_model->mgRowCount(), 2);
        QVERIFY(!m_model->IsChanged);
    }

    void links()
    {
        ScriptedPrompt prompt;
        m_model->SiteName = u"Bad"_s;
        m_model->fillOtherPages({u"küche"_s, u"Bad"_s, u"Arbeit"_s, u"bad"_s, u"Zimmer"_s});
        QCOMPARE(m_model->SeitenLB, (QStringList{u"Arbeit"_s, u"bad"_s, u"küche"_s, u"Zimmer"_s}));
        QVERIFY(m_model->appendPageLink(2, prompt));
        QVERIFY(m_model->appendPageLink(0, prompt));
        QCOMPARE(m_model->NaviLB, (QStringList{u"küche : küche"_s, u"Arbeit : Arbeit"_s}));
        QVERIFY(m_model->IsChanged);
        QCOMPARE(m_model->moveLinkUp(0), 0);
        QCOMPARE(m_model->moveLinkDown(1), 1);
        QCOMPARE(m_model->moveLinkUp(-1), -1);
        QCOMPARE(m_model->moveLinkDown(-1), -1);
        QCOMPARE(m_model->moveLinkDown(0), 1);
        QCOMPARE(m_model->NaviLB.first(), u"Arbeit : Arbeit"_s);
        QVERIFY(m_model->deleteLink(1, prompt));
        QCOMPARE(m_model->NaviLB, QStringList{u"Arbeit : Arbeit"_s});
    }

    void editLinks()
    {
        ScriptedPrompt prompt;
        m_model->NaviLB = QStringList{u"Start : Start"_s, u" Hilfe  : >http://h/x"_s};
        QString name, target;
        QVERIFY(m_model->beginEditLink(1, prompt, name, target));
        QVERIFY(m_model->ExtLink && !m_model->NewLink && m_model->IsChanged);
        QCOMPARE(name, u"Hilfe"_s);
        QCOMPARE(target, u"http://h/x"_s);
        QCOMPARE(m_model->commitLink(1, u"Doku "_s, u"http://d"_s, prompt), 1);
        QVERIFY(!m_model->ExtLink);

        QVERIFY(m_model->beginEditLink(0, prompt, name, target));
        QVERIFY(!m_model->ExtLink);
        QCOMPARE(m_model->commitLink(0, u"Home"_s, target, prompt), 0);

        m_model->beginNewLink();
        QVERIFY(m_model->ExtLink && m_model->NewLink);
        QCOMPARE(m_model->commitLink(0, u"Neu"_s, u"n.html"_s, prompt), 2);
        QCOMPARE(m_model->NaviLB, (QStringList{u"Home : Start"_s, u"Doku  : >http://d"_s, u"Neu : >n.html"_s}));

        prompt.expectError(u"Kein Eintrag ausgewählt"_s);
        QVERIFY(!m_model->beginEditLink(-1, prompt, name, target));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    }

    void splitLink_data()
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

    void splitLink()
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

    void moveOrderEntries()
    {
        QList<CheckEntry> &order = m_model->PagePosLB;
        order[1].checked = false;
        QCOMPARE(PageModel::moveEntryUp(order, 1), 0);
        QCOMPARE(order[0], (CheckEntry{u"Objekte"_s, false}));
        QCOMPARE(order[1], (CheckEntry{u"Navigationszeile 1"_s, true}));
        QCOMPARE(PageModel::moveEntryUp(order, 0), 0);
        QCOMPARE(PageModel::moveEntryUp(order, -1), -1);
        QCOMPARE(PageModel::moveEntryDown(order, 5), 5);
        QCOMPARE(PageModel::moveEntryDown(order, -1), -1);
        QCOMPARE(PageModel::moveEntryDown(m_model->ObjSeqLB, 0), 1);
        QCOMPARE(m_model->ObjSeqLB[1].text, u"Bezeichnung"_s);
    }

    // A row, link or order entry moved to another place, with the same rows for each list. Places
    // are list positions: a grid row is one more (row 0 is the header), and the blank row of a grid
    // is place 3, just past the last entry of the other lists. Upper case build parts are ticked.
    void moveToPlace_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("selection"); // returned, as a place
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
        for (const QString &list : {u"SG"_s, u"MG"_s, u"NaviLB"_s, u"PagePosLB"_s}) {
            for (const auto &[name, from, to, order, selection, changed] : cases)
                QTest::addRow("%s: %s", qPrintable(list), name)
                    << list << from << to << QString::fromLatin1(order) << selection << changed;
        }
    }

    void moveToPlace()
    {
        QFETCH(QString, list);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, order);
        QFETCH(int, selection);
        QFETCH(bool, changed);
        for (const QString &text : {u"A"_s, u"b"_s, u"C"_s}) {
            m_model->appendReadObjRow({text, text, u"nein"_s, nullptr});
            m_model->appendReadMacroRow({text, text, nullptr});
            m_model->NaviLB << text;
        }
        m_model->PagePosLB = {{u"A"_s, true}, {u"b"_s, false}, {u"C"_s, true}};
        m_model->IsChanged = changed;
        QString shown;
        qsizetype selected = 0;
        if (list == u"SG"_s) {
            selected = m_model->moveObjRow(from + 1, to + 1) - 1;
            for (int row = 1; row < m_model->sgRowCount() - 1; ++row)
                shown += m_model->sgRow(row).name;
        } else if (list == u"MG"_s) {
            selected = m_model->moveMacroRow(from + 1, to + 1) - 1;
            for (int row = 1; row < m_model->mgRowCount() - 1; ++row)
                shown += m_model->mgRow(row).name;
        } else if (list == u"NaviLB"_s) {
            selected = m_model->moveLink(from, to);
            shown = m_model->NaviLB.join(QString());
        } else {
            selected = PageModel::moveEntry(m_model->PagePosLB, from, to);
            for (const CheckEntry &e : std::as_const(m_model->PagePosLB))
                shown += e.checked ? e.text.toUpper() : e.text.toLower();
        }
        QCOMPARE(shown, order);
        QCOMPARE(selected, qsizetype(selection));
        QCOMPARE(m_model->IsChanged, changed);
    }

    void catalogueClearDropsReferences()
    {
        buildExamplePage(*m_model);
        QVERIFY(m_model->SGRows.first().entry);
        m_model->MGBlank.entry = m_model->MGRows.first().entry;
        m_catalogue->ClearCatalogue();
        QVERIFY(m_model->ObjBox().isEmpty());
        QVERIFY(!m_model->SGRows.first().entry);
        QVERIFY(!m_model->MGRows.first().entry);
        QVERIFY(!m_model->MGBlank.entry);
        QCOMPARE(m_model->findOffered(u"Licht_Decke"_s), -1);
        // The page can still be written; the rows without entry are dropped.
        const QStringList lines = pageFileLines(*m_model, QLocale::c());
        QVERIFY(!lines.join(u'\n').contains(u"OBJROW="_s));
        QVERIFY(!lines.contains(u"#011000"_s));
    }

private:
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageModel> m_model;
};

QTEST_GUILESS_MAIN(TestPageModel)
#include "TestPageModel.moc"
