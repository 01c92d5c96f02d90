#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "page/InputCaption.h"
#include "page/PageDocument.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/FilePaths.h"
#include "text/OperationError.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(InputState)

namespace {

QString checks(const QList<CheckEntry> &list)
{
    QStringList out;
    for (const CheckEntry &e : list)
        out << e.text + (e.checked ? u"+"_s : u"-"_s);
    return out.join(u'|');
}

// One value of the page as text, named as the table columns name it.
QString describe(const PageDocument &page, const QString &what)
{
    const TSiteData &d = page.layout;
    const auto flag = [](bool b) { return b ? u"1"_s : u"0"_s; };
    if (what == u"AutoWidth")
        return flag(d.AutoWidth);
    if (what == u"NoAutoScale")
        return flag(d.NoAutoScale);
    if (what == u"PictStretch")
        return flag(d.PictStretch);
    if (what == u"fileversion")
        return QString::number(page.fileVersion);
    if (what == u"ObjWidth")
        return QString::number(d.ObjWidth);
    if (what == u"AutoAktSec")
        return QString::number(d.AutoAktSec);
    if (what == u"HeadFontStyle")
        return QString::number(d.HeadFontStyle);
    if (what == u"PagePosLB")
        return checks(page.buildOrder);
    if (what == u"ObjSeqLB")
        return checks(page.columnOrder);
    if (what == u"NaviLB")
        return page.links.join(u'|');
    if (what == u"NaviCount")
        return QString::number(page.links.size());
    if (what == u"Headline")
        return d.Headline;
    if (what == u"HTML1")
        return page.html1.join(u'|');
    if (what == u"HTML1Length")
        return QString::number(page.html1.value(0).size());
    if (what == u"MG") {
        QStringList rows;
        for (const PageRow &r : page.macros)
            rows << QStringList{r.name, r.label, r.entry ? r.entry->ObjName : u"-"_s}.join(u'/');
        return rows.join(u'|');
    }
    return u"?"_s + what;
}

} // namespace

class TestPageFileReader : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_page = PageDocument();
        m_offered.reset();
        m_catalogue = std::make_unique<Catalogue>();
        fillTestCatalogue(*m_catalogue);
        m_offered = std::make_unique<OfferedEntries>(*m_catalogue);
        m_offered->rebuild();
        QVERIFY(m_dir.isValid());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("example page") << u"HAUS_Wohnzimmer.SHT"_s;
        QTest::newRow("every value, row kind and link kind") << u"HAUS_Alles.SHT"_s;
    }

    void roundTrip()
    {
        QFETCH(QString, fixture);
        const QString source = QFINDTESTDATA(u"../data/page/"_s + fixture);
        ScriptedPrompt prompt;
        QCOMPARE(LoadHTMLSourcePage(m_page, *m_offered, source, prompt), PageRead::Read);
        m_page.name = fixture.mid(5).chopped(4);
        const QString target = projectFilePath(m_dir.path(), fixture);
        QVERIFY(CreateHTMLSourcePage(m_page, *m_catalogue, target, prompt, QLocale(QLocale::German, QLocale::Germany)));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(fileBytes(target), fileBytes(source));
    }

    void storedValues_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");

        const QString nav1 = u"#009000=1"_s;
        QTest::newRow("AUTOWIDTH reset when absent") << QStringList{u"#001000=X"_s} << u"AutoWidth"_s << u"0"_s;
        QTest::newRow("NOAUTOSCALE reset when absent") << QStringList{u"#001000=X"_s} << u"NoAutoScale"_s << u"0"_s;
        QTest::newRow("AUTOWIDTH=0 switches on")
            << QStringList{u"#001000=X"_s, u"AUTOWIDTH=0"_s} << u"AutoWidth"_s << u"1"_s;
        QTest::newRow("FILEVERS not a number")
            << QStringList{u"#001000=X"_s, u"FILEVERS=neu"_s} << u"fileversion"_s << u"0"_s;
        QTest::newRow("PICSTR empty") << QStringList{u"#003000"_s, u"PICSTR="_s} << u"PictStretch"_s << u"1"_s;
        QTest::newRow("PICSTR=0") << QStringList{u"#003000"_s, u"PICSTR=1"_s, u"PICSTR=0"_s} << u"PictStretch"_s
                                  << u"0"_s;
        QTest::newRow("OBWIDTH below limit") << QStringList{u"#003000"_s, u"OBWIDTH=5"_s} << u"ObjWidth"_s << u"20"_s;
        QTest::newRow("OBWIDTH not a number")
            << QStringList{u"#003000"_s, u"OBWIDTH=abc"_s} << u"ObjWidth"_s << u"180"_s;
        QTest::newRow("OBWIDTH in another section")
            << QStringList{u"#001000"_s, u"OBWIDTH=500"_s} << u"ObjWidth"_s << u"180"_s;
        QTest::newRow("AutoAktSec=1") << QStringList{u"#007000"_s, u"AutoAktSec=1"_s} << u"AutoAktSec"_s << u"5"_s;
        QTest::newRow("AutoAktSec=999") << QStringList{u"#007000"_s, u"AutoAktSec=999"_s} << u"AutoAktSec"_s
                                        << u"300"_s;
        QTest::newRow("style not a number is plain")
            << QStringList{u"#003000"_s, u"FSTHEAD=fett"_s} << u"HeadFontStyle"_s << u"0"_s;
        QTest::newRow("style keeps four bits")
            << QStringList{u"#003000"_s, u"FSTHEAD=21"_s} << u"HeadFontStyle"_s << u"5"_s;
        QTest::newRow("PAGEPOS 2x;0;1x;") << QStringList{u"#005000"_s, u"PAGEPOS=2x;0;1x;"_s} << u"PagePosLB"_s
                                          << u"Makros+|Navigationszeile 1-|Objekte+"_s;
        QTest::newRow("PAGEPOS beyond six fields")
            << QStringList{u"#005000"_s, u"PAGEPOS=5;4;3;2;1;0x;1x;"_s} << u"PagePosLB"_s
            << u"HTML-Einfügung 2-|HTML-Einfügung 1-|Navigationszeile 2-|Makros-|Objekte-|Navigationszeile 1+"_s;
        QTest::newRow("stray line keeps the build order")
            << QStringList{u"#005000"_s, u"FOO=1"_s} << u"PagePosLB"_s
            << u"Navigationszeile 1+|Objekte+|Makros+|Navigationszeile 2+|HTML-Einfügung 1-|HTML-Einfügung 2-"_s;
        QTest::newRow("OBJCOLS") << QStringList{u"#006000"_s, u"OBJCOLS=2;0x;"_s} << u"ObjSeqLB"_s
                                 << u"Eingabe-|Bezeichnung+"_s;
        QTest::newRow("PAGEPOS naming a part twice keeps its first place")
            << QStringList{u"#005000"_s, u"PAGEPOS=1x;1x;0x;1;"_s} << u"PagePosLB"_s << u"Objekte+|Navigationszeile 1+"_s;
        QTest::newRow("OBJCOLS naming a column twice keeps its first place")
            << QStringList{u"#006000"_s, u"OBJCOLS=2;2x;0x;"_s} << u"ObjSeqLB"_s << u"Eingabe-|Bezeichnung+"_s;
        QTest::newRow("old link format") << QStringList{u"#001000=X"_s, u"FILEVERS=130"_s, u"#009000=2"_s,
                                                        u"NAVI=Start:Start@Hilfe:>hilfe.html"_s}
                                         << u"NaviLB"_s << u"Start : Start|Hilfe : >hilfe.html"_s;
        QTest::newRow("no FILEVERS is the old format")
            << QStringList{nav1, u"NAVI=a:b:c"_s} << u"NaviLB"_s << u"a : b:c"_s;
        QTest::newRow("new link format") << QStringList{u"#001000=X"_s, u"FILEVERS=140"_s, nav1,
                                                        u"NAVI=K&uuml;che\u0003K:&uuml;\u000B"_s}
                                         << u"NaviLB"_s << u"Küche : K:ü"_s;
        QTest::newRow("navigation line 2 only keeps its links")
            << QStringList{u"#001000=X"_s, u"FILEVERS=140"_s, u"#009001=1"_s, u"NAVI=A\u0003B\u000B"_s} << u"NaviLB"_s
            << u"A : B"_s;
        QTest::newRow("both navigation lines give the links once")
            << QStringList{nav1, u"NAVI=A:B"_s, u"#009001=1"_s, u"NAVI=A:B"_s} << u"NaviLB"_s << u"A : B"_s;
        // A count below 1 or beyond what the line holds is damaged: the links the line holds are read.
        QTest::newRow("count beyond the links")
            << QStringList{u"#009000=3"_s, u"NAVI=A:B"_s} << u"NaviLB"_s << u"A : B"_s;
        QTest::newRow("count 0 reads the links held")
            << QStringList{u"#009000=0"_s, u"NAVI=A:B@C:D"_s} << u"NaviLB"_s << u"A : B|C : D"_s;
        QTest::newRow("negative count reads the links held")
            << QStringList{u"#009000=-1"_s, u"NAVI=A:B@C:D"_s} << u"NaviLB"_s << u"A : B|C : D"_s;
        QTest::newRow("count below the links held is kept to")
            << QStringList{u"#009000=1"_s, u"NAVI=A:B@C:D"_s} << u"NaviLB"_s << u"A : B"_s;
        QTest::newRow("huge count makes up no empty links")
            << QStringList{u"#001000=X"_s, u"FILEVERS=140"_s, u"#009000=2147483647"_s,
                           u"NAVI=A\u0003B\u000BC\u0003D\u000B"_s}
            << u"NaviLB"_s << u"A : B|C : D"_s;
        QTest::newRow("no links, count 0") << QStringList{u"#009000=0"_s, u"NAVI="_s} << u"NaviCount"_s << u"0"_s;
        QTest::newRow("many NAVI lines are capped")
            << (QStringList{u"#009000=2000000000"_s} + QStringList(400, u"NAVI=a:b@c:d@e:f"_s)) << u"NaviCount"_s
            << u"1024"_s;
        QTest::newRow("empty macro name is read")
            << QStringList{u"#011000"_s, u"MACRO=@Alles aus@7"_s} << u"MG"_s << u"@Alles aus@7/Alles aus/-"_s;
        QTest::newRow("macro section empties the macro rows")
            << QStringList{u"#011000"_s, u"MACRO=Pumpe@P@4"_s, u"#011000"_s, u"MACRO=alles_aus@A&uuml;@7"_s} << u"MG"_s
            << u"alles_aus/Aü/Alles_Aus"_s;
        QTest::newRow("lines outside sections are ignored")
            << QStringList{u"SHEAD=vorher"_s, u"#008000"_s,  u"SHEAD=Gr&ouml;&szuml;e"_s, u"#123456"_s, u"SHEAD=x"_s,
                           u"#099000"_s,      u"#0080000"_s, u"SHEAD=nachher"_s}
            << u"Headline"_s << u"Größe"_s;
        QTest::newRow("short tag") << QStringList{u"#08000"_s, u"SHEAD=kurz"_s} << u"Headline"_s << u"kurz"_s;
        QTest::newRow("NUL bytes") << QStringList{u"#008000"_s, u"SHEAD=a\u0000b"_s} << u"Headline"_s << u"a\u0000b"_s;
        QTest::newRow("colour text with any characters")
            << QStringList{u"#001000"_s, u"BG=zz!€"_s, u"#003000"_s, u"FCHEAD=@"_s, u"#008000"_s, u"SHEAD=ok"_s}
            << u"Headline"_s << u"ok"_s;
        QTest::newRow("overlong line is cut")
            << QStringList{u"#020000"_s, u"HTML1="_s + QString(5000, u'x')} << u"HTML1Length"_s << u"1023"_s;
        QTest::newRow("HTML line that is a semicolon")
            << QStringList{u"#020000"_s, u"HTML1=;"_s, u"HTML1=a;  "_s} << u"HTML1"_s << u"|a;"_s;
    }

    void storedValues()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        m_page.layout.AutoWidth = true;
        m_page.layout.NoAutoScale = true;
        m_page.fileVersion = 140;
        QCOMPARE(describe(read(lines), what), expected);
    }

    void objectRows_data()
    {
        QTest::addColumn<QStringList>("lines"); // OBJROW values
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<InputState>("input");
        QTest::addColumn<QString>("caption"); // the text an older file held for the state (Other)
        QTest::addColumn<QString>("entry");   // "-" for none
        QTest::newRow("name in other letter case is linked")
            << QStringList{u" licht_DECKE @Decke &auml;@1@O@12@U@3@x"_s} << true << u"licht_DECKE"_s << u"Decke ä"_s
            << InputState::Yes << QString() << u"Licht_Decke"_s;
        QTest::newRow("unknown name is an error") << QStringList{u"Weg@L@1@O@1@U@3@"_s} << true << u"Weg"_s << u"L"_s
                                                  << InputState::Error << QString() << u"-"_s;
        QTest::newRow("rows without name or @ are skipped")
            << QStringList{u"Pumpe"_s, u"  @L@0@"_s, u"@x"_s} << false << QString() << QString() << InputState::None
            << QString() << QString();
        QTest::newRow("flag field missing keeps the text") << QStringList{u"Pumpe@L@xyz"_s} << true << u"Pumpe"_s
                                                           << u"L"_s << InputState::Other << u"xyz"_s << u"Pumpe"_s;
        QTest::newRow("older caption") << QStringList{u"Pumpe@L@nein"_s} << true << u"Pumpe"_s << u"L"_s
                                       << InputState::No << QString() << u"Pumpe"_s;
        QTest::newRow("label only") << QStringList{u"Pumpe@L"_s} << true << u"Pumpe"_s << u"L"_s << InputState::Other
                                    << QString() << u"Pumpe"_s;
        QTest::newRow("flag other than 0 and 1") << QStringList{u"Pumpe@L@7@O"_s} << true << u"Pumpe"_s << u"L"_s
                                                 << InputState::None << QString() << u"Pumpe"_s;
    }

    void objectRows()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, kept);
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(InputState, input);
        QFETCH(QString, caption);
        QFETCH(QString, entry);
        QStringList file{u"#010000"_s};
        for (const QString &line : lines)
            file << u"OBJROW="_s + line;
        const QList<PageRow> &rows = read(file).objects;
        QCOMPARE(rows.size(), kept ? 1 : 0);
        if (!kept)
            return;
        const PageRow &row = rows.first();
        QCOMPARE(row.name, name);
        QCOMPARE(row.label, label);
        QCOMPARE(row.input, input);
        if (input == InputState::Other)
            QCOMPARE(inputCaption(row), caption);
        QCOMPARE(row.entry ? row.entry->ObjName : u"-"_s, entry);
    }

    void conversionErrorStopsReading_data()
    {
        QTest::addColumn<QStringList>("bad");
        QTest::addColumn<QString>("message");
        QTest::newRow("AutoAkt") << QStringList{u"#007000"_s, u"AutoAkt=vielleicht"_s}
                                 << u"'vielleicht' ist kein gültiger boolescher Wert"_s;
        QTest::newRow("AutoAktSec") << QStringList{u"#007000"_s, u"AutoAktSec=zehn"_s}
                                    << u"'zehn' ist kein gültiger Integerwert"_s;
        QTest::newRow("PAGEPOS index beyond the list")
            << QStringList{u"#005000"_s, u"PAGEPOS=0x;7x;"_s} << u"'7' ist kein gültiger Integerwert"_s;
        QTest::newRow("PAGEPOS letter") << QStringList{u"#005000"_s, u"PAGEPOS=ax;"_s}
                                        << u"'a' ist kein gültiger Integerwert"_s;
        QTest::newRow("OBJCOLS index beyond the list")
            << QStringList{u"#006000"_s, u"OBJCOLS=3x;"_s} << u"'3' ist kein gültiger Integerwert"_s;
        QTest::newRow("tag not a number") << QStringList{u"#0abcde"_s} << u"'abcde' ist kein gültiger Integerwert"_s;
        QTest::newRow("lone #") << QStringList{u"#"_s} << u"'' ist kein gültiger Integerwert"_s;
        QTest::newRow("link count not a number")
            << QStringList{u"#009000=viele"_s} << u"'viele' ist kein gültiger Integerwert"_s;
    }

    void conversionErrorStopsReading()
    {
        QFETCH(QStringList, bad);
        QFETCH(QString, message);
        const QString path = writeFixture(QStringList{u"@V=HTM100"_s, u"#008000"_s, u"SHEAD=vorher"_s} + bad +
                                          QStringList{u"#020000"_s, u"HTML1=nachher"_s});
        ScriptedPrompt prompt;
        try {
            LoadHTMLSourcePage(m_page, *m_offered, path, prompt);
            QFAIL("no error");
        } catch (const OperationError &e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(m_page.layout.Headline, u"vorher"_s);
        QVERIFY(m_page.html1.isEmpty());
    }

    // A file that is no page is told to the caller and leaves nothing in the page; a page with
    // line ends of CR alone is a page.
    void notAPage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("page");
        QByteArray utf16("\xff\xfe");
        for (const char c : QByteArray("@V=HTM100\r\n#008000\r\nSHEAD=Bad\r\n")) {
            utf16 += c;
            utf16 += '\0';
        }
        QTest::newRow("UTF-16 with byte order mark") << utf16 << false;
        QTest::newRow("foreign text") << QByteArray("[Allgemein]\r\nSHEAD=Bad\r\nOBJROW=Pumpe@P@1\r\n") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("CR line ends") << QByteArray("@V=HTM100\r#008000\rSHEAD=Bad\r#010000\rOBJROW=Pumpe@P@1\r")
                                      << true;
        QTest::newRow("a tag without the header line") << QByteArray("#008000\nSHEAD=Bad\n") << true;
    }

    void notAPage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, page);
        m_page.layout.Headline = u"vorher"_s;
        const QString path = projectFilePath(m_dir.path(), u"HAUS_Bad.SHT"_s);
        writeBytes(path, bytes);
        ScriptedPrompt prompt;
        QCOMPARE(LoadHTMLSourcePage(m_page, *m_offered, path, prompt), page ? PageRead::Read : PageRead::NotAPage);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(m_page.layout.Headline, page ? u"Bad"_s : u"vorher"_s);
        QCOMPARE(m_page.objects.size(), page && bytes.contains("OBJROW") ? 1 : 0);
    }

    void missingFile_data()
    {
        QTest::addColumn<bool>("longName");
        QTest::newRow("missing") << false;
        QTest::newRow("existing file with a name longer than 259 characters") << true;
    }

    void missingFile()
    {
        QFETCH(bool, longName);
        QString folder = m_dir.path();
        if (longName) {
            for (int i = 0; i < 5; ++i)
                folder += u'/' + QString(60, QChar(u'a' + i));
            QVERIFY(QDir().mkpath(folder));
        }
        const QString path = projectFilePath(folder, u"HAUS_Seite.SHT"_s);
        if (longName) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("@V=HTM100\r\n#008000\r\nSHEAD=da\r\n");
        }
        m_page.layout.Headline = u"bleibt"_s;
        m_page.layout.AutoWidth = true;
        ScriptedPrompt prompt;
        prompt.expectError(longName ? u"Der Name der Datei %1 ist zu lang: Windows erlaubt höchstens 259 Zeichen."_s.arg(path)
                                    : u"Datei nicht gefunden: "_s + path);
        QCOMPARE(LoadHTMLSourcePage(m_page, *m_offered, path, prompt), PageRead::NotOpened);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(m_page.layout.Headline, u"bleibt"_s);
        QVERIFY(!m_page.layout.AutoWidth);
    }

private:
    QString writeFixture(const QStringList &lines)
    {
        const QString path = projectFilePath(m_dir.path(), u"HAUS_Test.SHT"_s);
        [&] { QVERIFY(writeTextFile(path, lines) == WriteStatus::Ok); }();
        return path;
    }

    // The page after reading a file of the header line and lines, which must read without a message.
    const PageDocument &read(const QStringList &lines)
    {
        const QString path = writeFixture(QStringList{u"@V=HTM100"_s} + lines);
        ScriptedPrompt prompt;
        [&] {
            QCOMPARE(LoadHTMLSourcePage(m_page, *m_offered, path, prompt), PageRead::Read);
            QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        }();
        return m_page;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<OfferedEntries> m_offered;
    PageDocument m_page;
};

QTEST_GUILESS_MAIN(TestPageFileReader)
#include "TestPageFileReader.moc"
