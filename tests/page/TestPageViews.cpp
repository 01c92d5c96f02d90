#include "page/PageTestCatalogue.h"

#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "page/OfferedFilter.h"
#include "page/PageDocument.h"
#include "page/PageEditSession.h"
#include "page/PageFileReader.h"
#include "page/PageFileView.h"
#include "page/PageFileWriter.h"
#include "page/PagePreview.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/Cp1252.h"
#include "text/SearchFold.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Spans = QList<std::pair<qsizetype, qsizetype>>;

// What the editor shows beside its tabs: the search over the offered entries, the preview of the
// page and the page file as it would be written.
class TestPageViews : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchFindsNamesAndDescriptions_data();
    void searchFindsNamesAndDescriptions();
    void searchSpansMarkTheOriginalText_data();
    void searchSpansMarkTheOriginalText();
    void placeholders_data();
    void placeholders();
    void previewFollowsBuildOrderAndColumns_data();
    void previewFollowsBuildOrderAndColumns();
    void fileViewNotesLinesThatWouldBreak_data();
    void fileViewNotesLinesThatWouldBreak();
    void fileViewIsWhatOkWritesForTheDemoPages();

private:
    // Positions of the texts in the preview, -1 for a text it does not show.
    QList<qsizetype> positions(const QStringList &texts) const;
    PageDocument &page() { return m_session->document(); }

    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageEditSession> m_session;
};

void TestPageViews::init()
{
    m_catalogue = std::make_unique<Catalogue>();
    fillTestCatalogue(*m_catalogue);
    TPSObj *kitchen = m_catalogue->AddPSObj(u"Licht_Küche"_s, 9);
    kitchen->Source = u'O';
    kitchen->ObjKind = u'U';
    TPSObj *street = m_catalogue->AddPSObj(u"Straßenlampe"_s, 10);
    street->Source = u'O';
    street->ObjDescr = u"Außenlicht"_s;
    m_session = std::make_unique<PageEditSession>(*m_catalogue);
    buildExamplePage(*m_session);
}

void TestPageViews::cleanup()
{
    m_session.reset();
    m_catalogue.reset();
}

void TestPageViews::searchFindsNamesAndDescriptions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("empty finds all") << QString()
                                     << QStringList{u"Alles_Aus"_s, u"Kaputt"_s, u"Licht_Decke"_s, u"Licht_Küche"_s,
                                                    u"Modus_Wahl"_s, u"Pegel"_s, u"Pumpe"_s, u"Straßenlampe"_s,
                                                    u"Temperatur"_s};
    QTest::newRow("letter case, names and descriptions")
        << u"LICHT"_s << QStringList{u"Licht_Decke"_s, u"Licht_Küche"_s, u"Straßenlampe"_s};
    QTest::newRow("ue finds ü") << u"kueche"_s << QStringList{u"Licht_Küche"_s};
    QTest::newRow("ü finds ü") << u"Küche"_s << QStringList{u"Licht_Küche"_s};
    QTest::newRow("ss finds ß") << u"strasse"_s << QStringList{u"Straßenlampe"_s};
    QTest::newRow("description") << u"decken"_s << QStringList{u"Licht_Decke"_s};
    QTest::newRow("description with umlaut") << u"aussen"_s << QStringList{u"Straßenlampe"_s};
    QTest::newRow("nothing") << u"Garage"_s << QStringList();
}

void TestPageViews::searchFindsNamesAndDescriptions()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    const QList<OfferedEntry> &entries = m_session->offered().entries();
    OfferedFilter filter;
    filter.rebuild(entries);
    QStringList names;
    for (const qsizetype i : filter.matches(text))
        names << entries.at(i).text;
    QCOMPARE(names, found);
}

void TestPageViews::searchSpansMarkTheOriginalText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<Spans>("spans");
    QTest::newRow("plain") << u"Licht_Decke"_s << u"decke"_s << Spans{{6, 5}};
    QTest::newRow("umlaut typed as two letters") << u"Licht_Küche"_s << u"kue"_s << Spans{{6, 2}};
    QTest::newRow("ß typed as ss") << u"Straße"_s << u"asse"_s << Spans{{3, 3}};
    QTest::newRow("twice") << u"Aus_aus"_s << u"aus"_s << Spans{{0, 3}, {4, 3}};
    QTest::newRow("empty needle") << u"Aus"_s << QString() << Spans();
}

void TestPageViews::searchSpansMarkTheOriginalText()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(Spans, spans);
    QCOMPARE(searchSpans(text, needle), spans);
}

void TestPageViews::placeholders_data()
{
    QTest::addColumn<QChar>("kind");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typInfo");
    QTest::addColumn<int>("typeIndex"); // of a variable entry; the catalogue holds one type
    QTest::addColumn<QString>("value");
    QTest::newRow("temperature") << QChar(u'N') << -20.0 << 40.0 << 1 << QString() << -1 << u"21,5"_s;
    QTest::newRow("percent without decimals") << QChar(u'N') << 0.0 << 100.0 << 0 << QString() << -1 << u"22"_s;
    QTest::newRow("range below the sample") << QChar(u'N') << 0.0 << 10.0 << 2 << QString() << -1 << u"10,00"_s;
    QTest::newRow("states") << QChar(u'U') << 0.0 << 0.0 << 0 << u"1;Aus;Ein;"_s << -1 << u"Aus"_s;
    QTest::newRow("no states") << QChar(u'U') << 0.0 << 0.0 << 0 << QString() << -1 << u"Zustand"_s;
    QTest::newRow("text") << QChar(u'S') << 0.0 << 0.0 << 0 << QString() << -1 << u"Text"_s;
    QTest::newRow("variable of an enumeration type") << QChar(u'U') << 0.0 << 0.0 << 0 << QString() << 0
                                                     << u"trocken"_s;
    QTest::newRow("variable's type beyond the list") << QChar(u'U') << 0.0 << 0.0 << 0 << QString() << 1
                                                     << u"Zustand"_s;
}

void TestPageViews::placeholders()
{
    QFETCH(QChar, kind);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, decimals);
    QFETCH(QString, typInfo);
    QFETCH(int, typeIndex);
    QFETCH(QString, value);
    TPSObj entry;
    entry.ObjKind = kind;
    entry.minVal = min;
    entry.maxVal = max;
    entry.Format = quint8(decimals);
    entry.TypInfo = typInfo;
    Catalogue catalogue;
    auto type = std::make_unique<TStrObj>();
    type->s = u"2&trocken&Regen&"_s;
    catalogue.TypeList.push_back({u"Regen"_s, std::move(type)});
    if (typeIndex >= 0) {
        entry.Source = u'V';
        entry.VTypeIdx = typeIndex;
    }
    QCOMPARE(placeholderValue(&entry, &catalogue), value);
}

QList<qsizetype> TestPageViews::positions(const QStringList &texts) const
{
    const QString html = pagePreviewHtml(m_session->document(), *m_catalogue);
    QList<qsizetype> result;
    for (const QString &text : texts)
        result << html.indexOf(text);
    return result;
}

void TestPageViews::previewFollowsBuildOrderAndColumns_data()
{
    // The example page: headline "Wohnzimmer", link "Küche", object row "Deckenlicht" showing
    // "Aus", macro "Alles aus".
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("inOrder"); // texts that must appear, in this order
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("start order") << QString() << QStringList{u"Wohnzimmer"_s, u"Küche"_s, u"Deckenlicht"_s, u"Alles aus"_s}
                                 << QStringList();
    QTest::newRow("macros moved before the objects")
        << u"macros up"_s << QStringList{u"Küche"_s, u"Alles aus"_s, u"Deckenlicht"_s} << QStringList();
    QTest::newRow("objects unchecked") << u"no objects"_s << QStringList{u"Küche"_s, u"Alles aus"_s}
                                       << QStringList{u"Deckenlicht"_s};
    QTest::newRow("label column hidden, value shown") << u"no label column"_s << QStringList{u"Aus"_s}
                                                      << QStringList{u"Deckenlicht"_s};
    QTest::newRow("navigation lines unchecked") << u"no navigation"_s << QStringList{u"Deckenlicht"_s}
                                                << QStringList{u"Küche"_s};
    QTest::newRow("HTML insert checked") << u"html"_s << QStringList{u"Alles aus"_s, u"<b>Hallo</b>"_s}
                                         << QStringList();
}

void TestPageViews::previewFollowsBuildOrderAndColumns()
{
    QFETCH(QString, change);
    QFETCH(QStringList, inOrder);
    QFETCH(QStringList, absent);
    QList<CheckEntry> &parts = page().buildOrder;
    page().html1 = {u"<b>Hallo</b>"_s};
    if (change == u"macros up")
        moveEntry(parts, 2, 1);
    else if (change == u"no objects")
        parts[1].checked = false;
    else if (change == u"no label column")
        page().columnOrder[0].checked = false;
    else if (change == u"no navigation")
        parts[0].checked = parts[3].checked = false;
    else if (change == u"html")
        parts[4].checked = true;

    const QList<qsizetype> found = positions(inOrder);
    for (qsizetype i = 0; i < found.size(); ++i) {
        QVERIFY2(found.at(i) >= 0, qPrintable(inOrder.at(i)));
        if (i > 0)
            QVERIFY2(found.at(i) > found.at(i - 1), qPrintable(inOrder.at(i)));
    }
    for (const qsizetype p : positions(absent))
        QCOMPARE(p, -1);
}

void TestPageViews::fileViewNotesLinesThatWouldBreak_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QStringList>("notedKeys");
    QTest::newRow("nothing to note") << u"Deckenlicht"_s << u"Küche : Küche"_s << QStringList();
    QTest::newRow("label with @") << u"Decke@Licht"_s << u"Küche : Küche"_s << QStringList{u"OBJROW"_s};
    QTest::newRow("link with a quote") << u"Deckenlicht"_s << u"Start : \"x\""_s << QStringList{u"NAVI"_s, u"NAVI"_s};
}

void TestPageViews::fileViewNotesLinesThatWouldBreak()
{
    QFETCH(QString, label);
    QFETCH(QString, link);
    QFETCH(QStringList, notedKeys);
    page().objects[0].label = label;
    page().links = {link};
    const QList<PageFileViewLine> view = pageFileView(page(), *m_catalogue);
    QStringList texts;
    QStringList noted;
    for (const PageFileViewLine &line : view) {
        texts << line.text;
        if (!line.note.isEmpty())
            noted << line.key;
    }
    QCOMPARE(texts, pageFileLines(page(), *m_catalogue));
    QCOMPARE(noted, notedKeys);
    const auto navi = std::find_if(view.cbegin(), view.cend(), [](const auto &l) { return l.key == u"NAVI"; });
    QVERIFY(navi != view.cend());
    QCOMPARE(withVisibleSeparators(u"Start\x03Start\x0b"_s), u"Start\u2192Start\u00B6"_s);
}

void TestPageViews::fileViewIsWhatOkWritesForTheDemoPages()
{
    const QString demo = QStringLiteral(WEBDEF_BINARY_DIR "/demo/data");
    if (!QFileInfo::exists(demo + u"/Demo.RVX"_s))
        QSKIP("the demo data is built with the editor");
    Catalogue catalogue;
    ScriptedPrompt prompt;
    QVERIFY(ReadRVXFile(demo + u"/Demo.RVX"_s, catalogue, prompt, nullptr));
    OfferedEntries offered(catalogue);
    offered.rebuild();
    PageDocument doc;
    QTemporaryDir out;
    const QStringList pages = QDir(demo).entryList({u"DEMO_*.SHT"_s});
    QVERIFY(pages.size() >= 2);
    for (const QString &file : pages) {
        doc.clearContent();
        QCOMPARE(LoadHTMLSourcePage(doc, offered, demo + u'/' + file, prompt), PageRead::Read);
        doc.name = file.mid(5).chopped(4);
        QByteArray viewed;
        for (const PageFileViewLine &line : pageFileView(doc, catalogue))
            viewed += Cp1252::encode(line.text) + "\r\n";
        QVERIFY(CreateHTMLSourcePage(doc, catalogue, out.filePath(file), prompt));
        QCOMPARE(viewed, fileBytes(out.filePath(file)));
    }
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestPageViews)
#include "TestPageViews.moc"
