#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "page/PageDocument.h"
#include "page/PageEditSession.h"
#include "page/PageFileWriter.h"
#include "page/PageParts.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/FilePaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(InputState)

namespace {

void setBuildOrder(PageDocument &page, const QString &order)
{
    page.buildOrder.clear();
    for (const QString &field : order.split(u';', Qt::SkipEmptyParts))
        page.buildOrder.append({PageParts::PagePartNames[field.left(1).toInt()], field.size() > 1});
}

// The lines after the SHEAD line, the part sections.
QStringList sectionLines(const PageEditSession &session)
{
    const QStringList lines =
        pageFileLines(session.document(), session.catalogue(), QLocale(QLocale::German, QLocale::Germany));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u"SHEAD="))
            return lines.mid(i + 1);
    }
    return {};
}

} // namespace

class TestPageFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_catalogue = std::make_unique<Catalogue>();
        fillTestCatalogue(*m_catalogue);
        m_session = std::make_unique<PageEditSession>(*m_catalogue);
        buildExamplePage(*m_session);
    }

    void cleanup()
    {
        m_session.reset();
        m_catalogue.reset();
    }

    void examplePageByteForByte()
    {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        const QString path = projectFilePath(dir.path(), u"HAUS_Wohnzimmer.SHT"_s);
        QVERIFY(CreateHTMLSourcePage(page(), *m_catalogue, path, prompt, QLocale(QLocale::German, QLocale::Germany)));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(fileBytes(path), fileBytes(QFINDTESTDATA("../data/page/HAUS_Wohnzimmer.SHT")));
    }

    void partSections_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("withLinks");
        QTest::addColumn<bool>("withMacros");
        QTest::addColumn<QStringList>("expected");

        const QString objRow = u"OBJROW=Licht_Decke@Deckenlicht@0@O@12@U@3@1&Aus&Ein"_s;
        const QString navi = u"NAVI=K&uuml;che\u0003K&uuml;che\u000B"_s;
        QTest::newRow("only objects") << u"0;1x;2;3;4;5;"_s << true << true
                                      << QStringList{u"#010000"_s, objRow, u"#099000"_s};
        QTest::newRow("navigation without links")
            << u"0x;1;2;3;4;5;"_s << false << true << QStringList{u"#009000=0"_s, u"NAVI="_s, u"#099000"_s};
        QTest::newRow("macros without rows") << u"2x;1;0;3;4;5;"_s << true << false << QStringList{u"#099000"_s};
        QTest::newRow("build order decides the order")
            << u"3x;2x;1x;0;4;5;"_s << true << true
            << QStringList{u"#009001=1"_s, navi,   u"#011000"_s, u"MACRO=Alles_Aus@Alles aus@7"_s,
                           u"#010000"_s,   objRow, u"#099000"_s};
        QTest::newRow("HTML inserts as typed")
            << u"4x;5x;0;1;2;3;"_s << true << true
            << QStringList{u"#020000"_s, u"HTML1=<b>Größe</b>  "_s, u"HTML1="_s, u"#021000"_s, u"#099000"_s};
    }

    void partSections()
    {
        QFETCH(QString, order);
        QFETCH(bool, withLinks);
        QFETCH(bool, withMacros);
        QFETCH(QStringList, expected);
        setBuildOrder(page(), order);
        if (!withLinks)
            page().links.clear();
        if (!withMacros)
            page().macros.clear();
        page().html1 = QStringList{u"<b>Größe</b>  "_s, QString()};
        QCOMPARE(sectionLines(*m_session), expected);
    }

    void rowsWithoutEntryOrNameAreDropped()
    {
        TPSObj *pump = offered(u"Pumpe"_s);
        page().objects = {{u"Alt"_s, u"weg"_s, InputState::Error, {}, nullptr},
                          {u"   "_s, u"leer"_s, InputState::No, {}, pump},
                          {u"Pumpe"_s, u"P"_s, InputState::None, {}, pump}};
        page().macros = {{u"Alt"_s, u"weg"_s, InputState::None, {}, nullptr}};
        QCOMPARE(sectionLines(*m_session), (QStringList{u"#009000=1"_s, u"NAVI=K&uuml;che\u0003K&uuml;che\u000B"_s,
                                                        u"#010000"_s, u"OBJROW=Pumpe@P@3@O@30@B@9"_s, u"#009001=1"_s,
                                                        u"NAVI=K&uuml;che\u0003K&uuml;che\u000B"_s, u"#099000"_s}));
    }

    void entryData_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<InputState>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file object U") << u"Licht_Decke"_s << InputState::Yes
                                       << u"OBJROW=Licht_Decke@L@1@O@12@U@3@1&Aus&Ein"_s;
        QTest::newRow("file object N") << u"Temperatur"_s << InputState::None
                                       << u"OBJROW=Temperatur@L@3@O@20@N@4@1@-200,0@1.234,5"_s;
        QTest::newRow("file object other kind") << u"Pumpe"_s << InputState::No << u"OBJROW=Pumpe@L@0@O@30@B@9"_s;
        QTest::newRow("variable without type") << u"Pegel"_s << InputState::No << u"OBJROW=Pegel@L@0@V@5@N@2@"_s;
        QTest::newRow("variable with type, state of an older file")
            << u"Modus_Wahl"_s << InputState::Other << u"OBJROW=Modus_Wahl@L@3@V@6@U@Modus@2&Tag&Nacht&"_s;
        QTest::newRow("type beyond the list") << u"Kaputt"_s << InputState::None << u"OBJROW=Kaputt@L@3@V@7@U@0@"_s;
    }

    void entryData()
    {
        QFETCH(QString, name);
        QFETCH(InputState, input);
        QFETCH(QString, expected);
        const QString otherInput = input == InputState::Other ? u"x"_s : QString();
        page().objects = {{name, u"L"_s, input, otherInput, offered(name)}};
        const QStringList lines = sectionLines(*m_session);
        QCOMPARE(lines.value(3), expected);
    }

    void layoutValues()
    {
        TSiteData &d = page().layout;
        d.Headline = u"Größe"_s;
        d.HeadFontStyle = fsBold | fsItalic | fsUnderline;
        d.ObjFontStyle = 0;
        d.ValFontStyle = fsStrikeOut;
        d.BGCol = 0x563412;
        d.AutoWidth = true;
        d.NoAutoScale = true;
        d.BrowserWidth = -5;
        d.PictStretch = true;
        d.AutoAkt = true;
        const QStringList lines = pageFileLines(page(), *m_catalogue, QLocale::c());
        for (const QString &line : {u"SHEAD=Gr&ouml;&szuml;e"_s, u"FSTHEAD=7"_s, u"FSTOBJ=0"_s, u"FSTVAL=8"_s,
                                    u"BG=123456"_s, u"BW=-5"_s, u"PICSTR=1"_s, u"AutoAkt=1"_s})
            QVERIFY2(lines.contains(line), qPrintable(line));
        QCOMPARE(lines.mid(2, 4), (QStringList{u"FILEVERS=140"_s, u"AUTOWIDTH=1"_s, u"NOAUTOSCALE=1"_s, u"BW=-5"_s}));
    }

    void minMaxFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German grouping") << 1234.5 << 1 << true << u"1.234,5"_s;
        QTest::newRow("English grouping") << 1234.5 << 1 << false << u"1,234.5"_s;
        QTest::newRow("zero") << 0.0 << 0 << true << u"0"_s;
        QTest::newRow("zero with decimals") << 0.0 << 2 << true << u"0,00"_s;
        QTest::newRow("default max") << 999999999.0 << 0 << true << u"1E9"_s;
        QTest::newRow("8 digits German") << 12345678.0 << 0 << true << u"1,234568E7"_s;
        QTest::newRow("8 digits English") << 12345678.0 << 0 << false << u"1.234568E7"_s;
        QTest::newRow("tie rounds away 12345665") << 12345665.0 << 0 << true << u"1,234567E7"_s;
        QTest::newRow("tie rounds away 12345675") << 12345675.0 << 0 << true << u"1,234568E7"_s;
        QTest::newRow("negative exponent form") << -12345665.0 << 0 << true << u"-1,234567E7"_s;
        QTest::newRow("7 digits stay fixed") << -1234567.0 << 0 << true << u"-1.234.567"_s;
        QTest::newRow("7 significant digits") << 1234567.5 << 1 << true << u"1.234.568,0"_s;
        QTest::newRow("rounding carries into 8 digits") << 9999999.5 << 0 << true << u"1E7"_s;
        QTest::newRow("decimal tie") << 0.125 << 2 << false << u"0.13"_s;
        QTest::newRow("negative tie") << -2.5 << 0 << false << u"-3"_s;
        QTest::newRow("negative rounds to zero") << -0.004 << 2 << false << u"0.00"_s;
        QTest::newRow("whole value with decimals") << 200.0 << 3 << false << u"200.000"_s;
    }

    void minMaxFormat()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(bool, german);
        QFETCH(QString, expected);
        const QLocale locale =
            german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(formatMinMax(value, decimals, locale), expected);
    }

    void refusedFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("longFolder");
        QTest::addColumn<int>("error");
        QTest::newRow("slash") << u"a/b"_s << 0 << 123;
        QTest::newRow("colon") << u"a:b"_s << 0 << 123;
        QTest::newRow("control character") << u"a\u0001b"_s << 0 << 123;
        QTest::newRow("missing folder") << u"Bad"_s << -1 << 3;
        QTest::newRow("260 characters") << u"Bad"_s << 260 << 3;
    }

    void refusedFileNames()
    {
        QFETCH(QString, name);
        QFETCH(int, longFolder);
        QFETCH(int, error);
        QTemporaryDir dir;
        QString folder = dir.path();
        if (longFolder < 0)
            folder += u"/fehlt"_s;
        else if (longFolder > 0)
            folder += u'/' + QString(longFolder, u'x');
        page().name = name;
        const QString path = projectFilePath(folder, u"HAUS_"_s + name + u".SHT"_s);
        ScriptedPrompt prompt;
        QString message = u"Fehler %1 beim Schreiben der Datei %2"_s.arg(error).arg(path);
        // Windows' "path not found", and the reason said as such.
        if (longFolder > 0)
            message += u"\rDer Name der Datei %1 ist zu lang: Windows erlaubt höchstens 259 Zeichen."_s.arg(path);
        prompt.expectError(message);
        QVERIFY(!CreateHTMLSourcePage(page(), *m_catalogue, path, prompt));
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QFile::exists(projectFilePath(dir.path(), u"HAUS_a"_s)));
    }

private:
    PageDocument &page() { return m_session->document(); }
    TPSObj *offered(const QString &name) const { return m_session->offered().find(name); }

    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<PageEditSession> m_session;
};

QTEST_GUILESS_MAIN(TestPageFileWriter)
#include "TestPageFileWriter.moc"
