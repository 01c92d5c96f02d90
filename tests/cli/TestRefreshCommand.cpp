#include "support/FileBytes.h"
#include "catalogue/RvxScrambler.h"
#include "cli/CliRunner.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
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

// A small control program: a switch, a dimmer with a large range and a macro (or no object).
QStringList programLines(bool withObjects)
{
    QStringList lines{execFileHeader(27, u"Test"_s), u"@PROGRAM=1"_s, u"PN=Test"_s};
    if (withObjects)
        lines << u"@OBJECT=1"_s << u"NA=Licht"_s << u"OD=Deckenlicht"_s << u"OK=U"_s << u"IV=1001"_s << u"HT=1"_s
              << u"DC=1"_s << u"TI=Licht;0Z:Aus;1Z:Ein"_s << u"@ENDOBJ"_s << u"@OBJECT=2"_s << u"NA=Dimmer"_s
              << u"OK=N"_s << u"IV=1002"_s << u"OF=1"_s << u"MI=0"_s << u"MA=1234567"_s << u"HT=1"_s << u"DC=2"_s
              << u"@ENDOBJ"_s << u"@OBJECT=60"_s << u"NA=Alles_aus"_s << u"OK=M"_s << u"@ENDOBJ"_s;
    lines << u"@END"_s;
    return lines;
}

} // namespace

class TestRefreshCommand : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void refresh_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("stderrLines");
        QTest::addColumn<QStringList>("written");

        const QStringList both{u"A"_s, u"B"_s};
        QTest::newRow("pages refreshed, missing page written anew")
            << u""_s << QStringList{u"{P}"_s} << 0 << QStringList{u"Datei nicht gefunden: {B}"_s} << both;
        QTest::newRow("--exec instead of RVXFile") << u"noRvx"_s << QStringList{u"{P}"_s, u"--exec"_s, u"{X}"_s} << 0
                                                   << QStringList{u"Datei nicht gefunden: {B}"_s} << both;
        QTest::newRow("no execution file") << u"noRvx"_s << QStringList{u"{P}"_s} << 1
                                           << QStringList{u"Keine Ausführungsdatei angegeben"_s} << QStringList();
        QTest::newRow("project file missing") << u"noProject"_s << QStringList{u"{P}"_s} << 1
                                              << QStringList{u"Datei {P} nicht gefunden"_s} << QStringList();
        QTest::newRow("execution file missing")
            << u""_s << QStringList{u"{P}"_s, u"--exec"_s, u"{D}/Fehlt.RVX"_s} << 1
            << QStringList{u"Datei {D}/Fehlt.RVX nicht gefunden"_s} << QStringList();
        QTest::newRow("no object in the catalogue")
            << u"noObjects"_s << QStringList{u"{P}"_s} << 0
            << QStringList{u"Der Objektkatalog enthält keine Objekte: keine Seite aktualisiert"_s} << QStringList();
        QTest::newRow("conversion error stops at the page")
            << u"badA"_s << QStringList{u"{P}"_s} << 1 << QStringList{u"'oft' ist kein gültiger Integerwert"_s}
            << QStringList();
        QTest::newRow("file without a page is left alone")
            << u"foreignA"_s << QStringList{u"{P}"_s} << 1
            << QStringList{u"Die Datei {A} enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes Format "
                           u"oder eine andere Zeichenkodierung)."_s,
                           u"Die Seite wird beim Aktualisieren übersprungen; die Datei bleibt unverändert."_s,
                           u"Datei nicht gefunden: {B}"_s}
            << QStringList{u"B"_s};
        QTest::newRow("project file in another encoding")
            << u"utf16Project"_s << QStringList{u"{P}"_s} << 1
            << QStringList{u"Die Datei {P} ist keine Projektdatei (ein anderes Format oder eine andere "
                           u"Zeichenkodierung)."_s}
            << QStringList();
#ifdef Q_OS_UNIX
        // What the link points to outside the data folder stays as it is.
        const QString refused = u"{A} ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder eine Verknüpfung, die "
                                u"aus ihrem Ordner hinaus oder ins Leere zeigt); sie wird weder gelesen noch "
                                u"geschrieben."_s;
        QTest::newRow("page linked out of the folder")
            << u"linkOutA"_s << QStringList{u"{P}"_s} << 1
            << QStringList{refused, refused, u"Datei nicht gefunden: {B}"_s} << QStringList{u"B"_s};
#endif
        QTest::newRow("page that cannot be written")
            << u"badName"_s << QStringList{u"{P}"_s} << 1
            << QStringList{u"Datei nicht gefunden: {D}/P_a:b.SHT"_s,
                           u"Fehler 123 beim Schreiben der Datei {D}/P_a:b.SHT"_s, u"Datei nicht gefunden: {B}"_s}
            << both;
    }

    void refresh()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QStringList, stderrLines);
        QFETCH(QStringList, written);
        writeProject(setup);
        const QByteArray pageA = fileBytes(page(u"A"_s));

        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        QCOMPARE(CliRunner(out, err).run(QStringList{u"refresh"_s} + expand(args)), status);
        QCOMPARE(QString::fromUtf8(err.data()), expand(stderrLines).join(u'\n') + u'\n');
        QVERIFY(out.data().isEmpty());

        QCOMPARE(fileBytes(page(u"A"_s)) != pageA, written.contains(u"A"_s));
        if (setup == u"linkOutA"_s)
            QCOMPARE(fileBytes(m_outside.filePath(u"Notiz.txt"_s)), QByteArray("Notiz\r\n"));
        QCOMPARE(QFile::exists(page(u"B"_s)), written.contains(u"B"_s));
        if (written.contains(u"A"_s)) {
            const QStringList lines = fileLines(page(u"A"_s));
            QVERIFY(lines.contains(u"OBJROW=licht@Decke@1@O@1001@U@1@1&Aus&Ein"_s));
            QVERIFY(lines.contains(u"OBJROW=Dimmer@D@0@O@1002@N@2@1@0.0@1,234,567.0"_s) ||
                    lines.contains(u"OBJROW=Dimmer@D@0@O@1002@N@2@1@0,0@1.234.567,0"_s));
            QVERIFY(lines.contains(u"MACRO=Alles_aus@Alle aus@60"_s));
            // Values the file of B lacks carry over from A.
            QVERIFY(fileLines(page(u"B"_s)).contains(u"OBWIDTH=700"_s));
        }
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no project file") << QStringList();
        QTest::newRow("two project files") << QStringList{u"a.FNP"_s, u"b.FNP"_s};
        QTest::newRow("--exec without a file") << QStringList{u"a.FNP"_s, u"--exec"_s};
        QTest::newRow("unknown option") << QStringList{u"a.FNP"_s, u"--fast"_s};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        QCOMPARE(CliRunner(out, err).run(QStringList{u"refresh"_s} + args), 2);
        QVERIFY(QString::fromUtf8(err.data()).contains(u"webdef-cli refresh PROJEKTDATEI"_s));
    }

    void binaryWithGermanSettings()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows takes the number format from the user's regional settings, which a test must not change; "
              "refreshesAtTheSameTime runs the program there");
#endif
        const QString program = QStringLiteral(WEBDEF_CLI_PROGRAM);
        QVERIFY2(QFile::exists(program), "webdef-cli is not built");
        writeProject(QString());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"de_DE"_s);
        QByteArray first;
        for (int run = 0; run < 2; ++run) {
            QProcess process;
            process.setProcessEnvironment(env);
            process.start(program, {u"refresh"_s, m_project});
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitCode(), 0);
            QCOMPARE(process.readAllStandardError().isEmpty(), run == 1);
            if (run == 0)
                first = fileBytes(page(u"A"_s)) + fileBytes(page(u"B"_s));
        }
        QVERIFY(fileLines(page(u"A"_s)).contains(u"OBJROW=Dimmer@D@0@O@1002@N@2@1@0,0@1.234.567,0"_s));
        QCOMPARE(fileBytes(page(u"A"_s)) + fileBytes(page(u"B"_s)), first);
    }

    // Refreshes of one project at the same time, as two programs may run them: each ends well and
    // every page file is whole.
    void refreshesAtTheSameTime()
    {
        const QString program = QStringLiteral(WEBDEF_CLI_PROGRAM);
        QVERIFY2(QFile::exists(program), "webdef-cli is not built");
        writeProject(QString());
        QProcess first;
        first.start(program, {u"refresh"_s, m_project});
        QVERIFY(first.waitForFinished(60000));
        const QByteArray a = fileBytes(page(u"A"_s));
        const QByteArray b = fileBytes(page(u"B"_s));
        for (int pair = 0; pair < 5; ++pair) {
            QProcess one, two;
            one.start(program, {u"refresh"_s, m_project});
            two.start(program, {u"refresh"_s, m_project});
            QVERIFY(one.waitForFinished(60000) && two.waitForFinished(60000));
            QCOMPARE(one.exitCode(), 0);
            QCOMPARE(two.exitCode(), 0);
            QCOMPARE(one.readAllStandardError() + two.readAllStandardError(), QByteArray());
            QCOMPARE(fileBytes(page(u"A"_s)), a);
            QCOMPARE(fileBytes(page(u"B"_s)), b);
        }
        QCOMPARE(QDir(m_dir->path()).entryList({u".~*"_s}, QDir::Files | QDir::Hidden), QStringList());
    }

private:
    QString page(const QString &name) const { return shown(projectFilePath(m_dir->path(), u"P_"_s + name + u".SHT"_s)); }

    QStringList expand(const QStringList &texts) const
    {
        QStringList out;
        for (QString t : texts)
            out << t.replace(u"{P}"_s, m_project)
                       .replace(u"{X}"_s, m_exec)
                       .replace(u"{A}"_s, page(u"A"_s))
                       .replace(u"{B}"_s, page(u"B"_s))
                       .replace(u"{D}/"_s, shown(m_dir->path() + u'/'));
        return out;
    }

    void writeProject(const QString &setup)
    {
        m_project = shown(projectFilePath(m_dir->path(), u"P.FNP"_s));
        m_exec = shown(projectFilePath(m_dir->path(), u"Test.RVX"_s));
        QStringList exec;
        QVERIFY(scrambleExecFile(programLines(setup != u"noObjects"), exec));
        QCOMPARE(writeTextFile(m_exec, exec), WriteStatus::Ok);

        QStringList project{u"FILEVERS=140"_s};
        if (setup == u"badName")
            project << u"*Site=a:b"_s;
        project << u"*Site=A"_s << u"*Site=B"_s;
        if (setup != u"noRvx")
            project << u"RVXFile="_s + m_exec;
        if (setup == u"utf16Project") {
            QByteArray utf16("\xff\xfe");
            for (const char c : Cp1252::encode(project.join(u"\r\n"_s))) {
                utf16 += c;
                utf16 += '\0';
            }
            writeBytes(m_project, utf16);
        } else if (setup != u"noProject") {
            QCOMPARE(writeTextFile(m_project, project), WriteStatus::Ok);
        }

        QStringList a{u"@V=HTM100"_s, u"#001000=A"_s, u"#003000"_s, u"OBWIDTH=700"_s};
        if (setup == u"badA")
            a << u"#007000"_s << u"AutoAktSec=oft"_s;
        a << u"#010000"_s << u"OBJROW=licht@Decke@1@O@1@U@9@alt"_s << u"OBJROW=Dimmer@D@0@O@1@N@2@"_s
          << u"OBJROW=Weg@W@0@O@5@U@1@"_s << u"#011000"_s << u"MACRO=Alles_aus@Alle aus@1"_s << u"#099000"_s;
        QCOMPARE(writeTextFile(page(u"A"_s), a), WriteStatus::Ok);
        if (setup == u"foreignA") {
            writeBytes(page(u"A"_s), "Seite A: noch zu machen\r\nOBJROW=licht@Decke@1\r\n");
        } else if (setup == u"linkOutA") {
            writeBytes(m_outside.filePath(u"Notiz.txt"_s), "Notiz\r\n");
            QVERIFY(QFile::remove(page(u"A"_s)));
            QVERIFY(QFile::link(m_outside.filePath(u"Notiz.txt"_s), page(u"A"_s)));
        }
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_outside; // a folder beside the data folder
    QString m_project;
    QString m_exec;
};

QTEST_GUILESS_MAIN(TestRefreshCommand)
#include "TestRefreshCommand.moc"
