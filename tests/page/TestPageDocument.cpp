#include "page/PageTestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "page/PageDocument.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "page/PageParts.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The page as a value: what clearing keeps, and that every page file read, written and read again
// gives the same page.
class TestPageDocument : public QObject
{
    Q_OBJECT

private slots:
    void clearContentKeepsLayout();
    void writesLinks_data();
    void writesLinks();
    void roundTrip_data();
    void roundTrip();
};

void TestPageDocument::clearContentKeepsLayout()
{
    PageDocument page;
    page.layout.ObjWidth = 333;
    page.layout.AutoAkt = true;
    page.layout.Headline = u"Wohnen"_s;
    page.layout.BGPict = u"bild.jpg"_s;
    page.buildOrder.swapItemsAt(0, 1);
    page.objects.append({u"A"_s, u"A"_s, InputState::No, {}, nullptr});
    page.macros.append({u"M"_s, u"M"_s, InputState::None, {}, nullptr});
    page.links << u"A : A"_s;
    page.html1 << u"x"_s;
    page.html2 << u"y"_s;
    page.name = u"Wohnen"_s;
    page.fileVersion = 140;
    PageDocument expected = page;
    page.clearContent();

    expected.objects.clear();
    expected.macros.clear();
    expected.links.clear();
    expected.html1.clear();
    expected.html2.clear();
    expected.layout.Headline.clear();
    expected.layout.BGPict.clear();
    QCOMPARE(page, expected);
    QCOMPARE(page.buildOrder.first().text, u"Objekte"_s);
}

void TestPageDocument::writesLinks_data()
{
    QTest::addColumn<QString>("ticked"); // the build order's ticked parts, by position
    QTest::addColumn<bool>("writes");
    QTest::newRow("start state") << u"0123"_s << true;
    QTest::newRow("only the second line") << u"3"_s << true;
    QTest::newRow("neither line") << u"1245"_s << false;
}

void TestPageDocument::writesLinks()
{
    QFETCH(QString, ticked);
    QFETCH(bool, writes);
    PageDocument page;
    page.links << u"Küche : Küche"_s;
    for (qsizetype i = 0; i < page.buildOrder.size(); ++i)
        page.buildOrder[i].checked = ticked.contains(QString::number(i));
    QCOMPARE(page.writesLinks(), writes);
    QCOMPARE(naviWrittenLength(page) > 0, writes);
}

void TestPageDocument::roundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("program"); // its listing; empty: the test catalogue
    for (const QFileInfo &file : QDir(QStringLiteral(WEBDEF_TEST_DATA "/page")).entryInfoList({u"*.SHT"_s}))
        QTest::newRow(qPrintable(file.fileName())) << file.filePath() << QString();
    for (const QFileInfo &file :
         QDir(QStringLiteral(WEBDEF_TEST_DATA "/check/clean")).entryInfoList({u"*.SHT"_s}))
        QTest::newRow(qPrintable(u"check/"_s + file.fileName()))
            << file.filePath() << QStringLiteral(WEBDEF_TEST_DATA "/check/Program.txt");
    const QDir demo(QStringLiteral(WEBDEF_TEST_DATA "/../../demo/data"));
    for (const QFileInfo &file : demo.entryInfoList({u"DEMO_*.SHT"_s}))
        QTest::newRow(qPrintable(u"demo/"_s + file.fileName()))
            << file.filePath() << QStringLiteral(WEBDEF_TEST_DATA "/../../demo/DemoProgram.txt");
}

void TestPageDocument::roundTrip()
{
    QFETCH(QString, file);
    QFETCH(QString, program);
    Catalogue catalogue;
    ScriptedPrompt prompt;
    QTemporaryDir dir;
    if (program.isEmpty()) {
        fillTestCatalogue(catalogue);
    } else {
        QString error;
        const QString exec = writeExecFile(dir.path(), u"Program.RVX"_s,
                                           QStringList{testHeader(27)} + listingLines(QString::fromUtf8(fileBytes(program))),
                                           &error);
        QVERIFY2(!exec.isEmpty(), qPrintable(error));
        QVERIFY(ReadRVXFile(exec, catalogue, prompt, nullptr));
    }
    OfferedEntries offered(catalogue);
    offered.rebuild();

    PageDocument read;
    QCOMPARE(LoadHTMLSourcePage(read, offered, file, prompt), PageRead::Read);
    read.name = QFileInfo(file).completeBaseName().section(u'_', 1);
    const QStringList lines = pageFileLines(read, catalogue, QLocale::c());

    const QString copy = dir.filePath(u"copy.SHT"_s);
    QCOMPARE(writeTextFile(copy, lines), WriteStatus::Ok);
    PageDocument again;
    QCOMPARE(LoadHTMLSourcePage(again, offered, copy, prompt), PageRead::Read);
    again.name = read.name;
    // The file written carries the writer's version, and the system colour of a file without a
    // background as white; everything else is the page read.
    read.fileVersion = again.fileVersion;
    if (read.layout.BGCol == clWindow)
        read.layout.BGCol = clWhite;
    QCOMPARE(again, read);
    QCOMPARE(pageFileLines(again, catalogue, QLocale::c()), lines);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestPageDocument)
#include "TestPageDocument.moc"
