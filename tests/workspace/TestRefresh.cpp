#include "page/PageTestCatalogue.h"

#include "page/PageEditSession.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "text/FilePaths.h"
#include "text/TextFile.h"
#include "workspace/AppState.h"
#include "workspace/Refresh.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList fileLines(const QString &path)
{
    QStringList lines;
    readTextFile(path, lines);
    return lines;
}

} // namespace

class TestRefresh : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_state = std::make_unique<AppState>();
        m_state->ProjectName = u"HAUS"_s;
        m_state->DataFolder = m_dir->path();
        m_state->ExecFileDate = 45000.5;
        m_state->DefData.RVXDate = 44000.25;
        fillTestCatalogue(m_state->catalogue);
        m_session = std::make_unique<PageEditSession>(m_state->catalogue);
        m_session->InitAll();
    }

    void valuesCarryOverAndRowsFollowTheCatalogue()
    {
        writePage(u"A"_s, {u"#001000=A"_s, u"AUTOWIDTH=1"_s, u"#003000"_s, u"OBWIDTH=500"_s, u"#010000"_s,
                           u"OBJROW=licht_decke@Licht@1@O@99@U@3@Alt"_s, u"OBJROW=Weg@W@0@O@1@B@1"_s});
        writePage(u"B"_s, {u"#001000=B"_s, u"#008000"_s, u"SHEAD=Bad"_s});
        ScriptedPrompt prompt;
        const RefreshResult result = refresh({u"A"_s, u"B"_s}, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(result.status, RefreshResult::Status::Completed);
        QCOMPARE(m_state->DefData.RVXDate, 45000.5);

        const QStringList a = fileLines(pagePath(u"A"_s));
        QVERIFY(a.contains(u"OBJROW=licht_decke@Licht@1@O@12@U@3@1&Aus&Ein"_s));
        QVERIFY(!a.join(u'\n').contains(u"Weg"_s));
        const QStringList b = fileLines(pagePath(u"B"_s));
        QCOMPARE(b.value(1), u"#001000=B"_s);
        QVERIFY(b.contains(u"OBWIDTH=500"_s));
        QVERIFY(!b.contains(u"AUTOWIDTH=1"_s));
        QVERIFY(!b.join(u'\n').contains(u"OBJROW"_s));
    }

    void missingPageIsWrittenAnew()
    {
        ScriptedPrompt prompt;
        prompt.expectError(u"Datei nicht gefunden: "_s + pagePath(u"Neu"_s));
        const RefreshResult result = refresh({u"Neu"_s}, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(result.status, RefreshResult::Status::Completed);
        const QStringList lines = fileLines(pagePath(u"Neu"_s));
        QCOMPARE(lines.mid(0, 2), (QStringList{u"@V=HTM100"_s, u"#001000=Neu"_s}));
        QCOMPARE(lines.last(), u"#099000"_s);
    }

    void conversionErrorStopsAtThePage()
    {
        writePage(u"A"_s, {u"#008000"_s, u"SHEAD=a"_s});
        writePage(u"B"_s, {u"#007000"_s, u"AutoAktSec=oft"_s});
        writePage(u"C"_s, {u"#008000"_s, u"SHEAD=c"_s});
        const QByteArray before = fileBytes(pagePath(u"B"_s));
        const QByteArray beforeC = fileBytes(pagePath(u"C"_s));
        ScriptedPrompt prompt;
        prompt.expectError(u"'oft' ist kein gültiger Integerwert"_s);
        const RefreshResult result = refresh({u"A"_s, u"B"_s, u"C"_s}, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(result.status, RefreshResult::Status::Stopped);
        QCOMPARE(result.stoppedAt, 1);
        QCOMPARE(m_state->DefData.RVXDate, 44000.25);
        QVERIFY(fileLines(pagePath(u"A"_s)).contains(u"FILEVERS=140"_s));
        QCOMPARE(fileBytes(pagePath(u"B"_s)), before);
        QCOMPARE(fileBytes(pagePath(u"C"_s)), beforeC);
    }

    void pageThatCannotBeWrittenIsSkipped()
    {
        ScriptedPrompt prompt;
        const QString bad = pagePath(u"a/b"_s);
        prompt.expectError(u"Datei nicht gefunden: "_s + bad)
            .expectError(u"Fehler 123 beim Schreiben der Datei "_s + bad)
            .expectError(u"Datei nicht gefunden: "_s + pagePath(u"C"_s));
        const RefreshResult result = refresh({u"a/b"_s, u"C"_s}, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(result.status, RefreshResult::Status::Completed);
        QCOMPARE(result.pagesNotWritten, 1);
        QVERIFY(QFile::exists(pagePath(u"C"_s)));
    }

    // A file that holds no page is told and left as it is; the pages after it are refreshed.
    void fileWithoutAPageIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray utf16("\xff\xfe");
        for (const char c : QByteArray("@V=HTM100\r\n#010000\r\nOBJROW=Licht_Decke@L@1@O@1@U@3@\r\n")) {
            utf16 += c;
            utf16 += '\0';
        }
        QTest::newRow("UTF-16") << utf16;
        QTest::newRow("other text") << QByteArray("Notizen zur Seite\r\nOBJROW=Licht_Decke@L@1\r\n");
    }

    void fileWithoutAPageIsSkipped()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(pagePath(u"A"_s), bytes);
        writePage(u"B"_s, {u"#008000"_s, u"SHEAD=b"_s});
        ScriptedPrompt prompt;
        prompt.expectError(u"Die Datei %1 enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes "
                           u"Format oder eine andere Zeichenkodierung).\rDie Seite wird beim Aktualisieren "
                           u"übersprungen; die Datei bleibt unverändert."_s.arg(pagePath(u"A"_s)));
        const RefreshResult result = refresh({u"A"_s, u"B"_s}, prompt);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(result.status, RefreshResult::Status::Completed);
        QCOMPARE(result.pagesSkipped, 1);
        QCOMPARE(fileBytes(pagePath(u"A"_s)), bytes);
        QVERIFY(fileLines(pagePath(u"B"_s)).contains(u"FILEVERS=140"_s));
    }

    void emptyPageListSetsTheDate()
    {
        ScriptedPrompt prompt;
        QCOMPARE(refresh({}, prompt).status, RefreshResult::Status::Completed);
        QCOMPARE(m_state->DefData.RVXDate, 45000.5);
    }

    void refusesToRun_data()
    {
        QTest::addColumn<int>("condition");
        QTest::newRow("no object in the catalogue") << 0;
        QTest::newRow("no project name") << 1;
        QTest::newRow("incomplete catalogue") << 2;
    }

    void refusesToRun()
    {
        QFETCH(int, condition);
        writePage(u"A"_s, {u"#010000"_s, u"OBJROW=Licht_Decke@L@1@O@1@U@3@"_s});
        const QByteArray before = fileBytes(pagePath(u"A"_s));
        if (condition == 0)
            m_state->catalogue.ClearCatalogue();
        else if (condition == 1)
            m_state->ProjectName.clear();
        else
            m_state->catalogue.setComplete(false);
        ScriptedPrompt prompt;
        QCOMPARE(refresh({u"A"_s}, prompt).status, RefreshResult::Status::NotRun);
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QCOMPARE(fileBytes(pagePath(u"A"_s)), before);
        QCOMPARE(m_state->DefData.RVXDate, 44000.25);
    }

private:
    // Through the one page of the editing session, as the main window refreshes.
    RefreshResult refresh(const QStringList &pages, Prompt &prompt)
    {
        return RefreshAllPages(*m_state, pages, m_session->document(), m_session->offered(), prompt);
    }

    QString pagePath(const QString &page) const
    {
        return projectFilePath(m_dir->path(), u"HAUS_"_s + page + u".SHT"_s);
    }

    void writePage(const QString &page, const QStringList &lines)
    {
        QCOMPARE(writeTextFile(pagePath(page), QStringList{u"@V=HTM100"_s} + lines), WriteStatus::Ok);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<PageEditSession> m_session;
};

QTEST_GUILESS_MAIN(TestRefresh)
#include "TestRefresh.moc"
