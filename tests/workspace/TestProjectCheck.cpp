#include "catalogue/RvxScrambler.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"
#include "support/FileSystemFaults.h"
#include "support/ScriptedPrompt.h"
#include "workspace/ProjectCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A finding as one line: kind | page | detail | text.
QString describe(const CheckFinding &finding)
{
    return QStringList{checkKindName(finding.kind), finding.page, finding.detail, finding.text}.join(u" | "_s);
}

QStringList describe(const QList<CheckFinding> &findings)
{
    QStringList lines;
    for (const CheckFinding &finding : findings)
        lines << describe(finding);
    return lines;
}

// Every file below folder with its bytes, to show that checking wrote nothing.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, fileBytes(path));
    }
    return files;
}

const QString NotChecked = u"Objekt- und Makrozeilen wurden nicht geprüft."_s;
const QString DroppedAtSave = u"die Zeile fällt beim nächsten Speichern oder Aktualisieren weg."_s;

} // namespace

class TestProjectCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findings_data();
    void findings();
    void projectFileMissing();
    void pageThatCannotBeRead_data();
    void pageThatCannotBeRead();
    void kindNamesAreDistinct();

private:
    QTemporaryDir m_dir;
    QString m_program;
    QString m_empty; // an execution file of its header line only
    QString m_data;
};

void TestProjectCheck::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_data = QFINDTESTDATA("../data/check");
    QVERIFY(!m_data.isEmpty());
    const QByteArray listing = fileBytes(m_data + u"/Program.txt"_s);
    QString error;
    m_program = writeExecFile(m_dir.path(), u"Haus.RVX"_s,
                              QStringList{testHeader(27)} + listingLines(QString::fromUtf8(listing)), &error);
    QVERIFY2(!m_program.isEmpty(), qPrintable(error));
    m_empty = writeExecFile(m_dir.path(), u"Leer.RVX"_s, QStringList{testHeader(27)}, &error);
    QVERIFY2(!m_empty.isEmpty(), qPrintable(error));
}

void TestProjectCheck::findings_data()
{
    QTest::addColumn<QString>("project"); // folder of tests/data/check
    QTest::addColumn<QString>("exec"); // "program", "missing", "empty" or "none" (the project file names none)
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("clean project") << u"clean"_s << u"program"_s << QStringList();
    QTest::newRow("execution file missing")
        << u"clean"_s << u"missing"_s
        << QStringList{u"exec-file |  |  | Ausführungsdatei: Die Ausführungsdatei kann nicht gelesen werden (Datei "
                       u"{T}/Fehlt.RVX nicht gefunden); "_s +
                       NotChecked};
    QTest::newRow("execution file without objects")
        << u"clean"_s << u"empty"_s
        << QStringList{u"exec-file |  |  | Ausführungsdatei: Die Ausführungsdatei {T}/Leer.RVX enthält keine "
                       u"Objekte; "_s +
                       NotChecked};
    QTest::newRow("no execution file named")
        << u"clean"_s << u"none"_s
        << QStringList{u"exec-file |  |  | Ausführungsdatei: Das Projekt nennt keine Ausführungsdatei; "_s +
                       NotChecked};
    QTest::newRow("start page not a page")
        << u"start-page"_s << u"program"_s
        << QStringList{
               u"start-page |  |  | Projekt: Die Startseite ohne Anmeldung „Eingang“ steht nicht in der Seitenliste."_s};
    QTest::newRow("no start page")
        << u"start-page-empty"_s << u"program"_s
        << QStringList{u"start-page |  |  | Projekt: Es ist keine Startseite ohne Anmeldung angegeben."_s};
    QTest::newRow("user list missing")
        << u"user-file"_s << u"program"_s
        << QStringList{u"user-file |  |  | Benutzerliste: Die Benutzerliste fehlt: {D}/HAUS_WEBUSERS.USR"_s};
    QTest::newRow("user name twice in other letter case")
        << u"user-twice"_s << u"program"_s
        << QStringList{u"user-twice |  | Benutzer „Anna“ | Benutzer „Anna“: Der Benutzername steht schon als „anna“ in "
                       u"der Benutzerliste; Groß- und Kleinschreibung zählen dabei nicht."_s};
    // The line of one blank that a project without users holds is no user.
    QTest::newRow("user without password")
        << u"user-without-password"_s << u"program"_s
        << QStringList{
               u"user-without-password |  | Benutzer „ben“ | Benutzer „ben“: Der Benutzer hat kein Kennwort."_s};
    // "licht" finds the page Licht: page names are looked up without regard to letter case.
    QTest::newRow("user start page not a page")
        << u"user-start-page"_s << u"program"_s
        << QStringList{u"user-start-page |  | Benutzer „ben“ | Benutzer „ben“: Die Startseite „Keller“ steht nicht in "
                       u"der Seitenliste."_s};
    QTest::newRow("page without file")
        << u"page-file-missing"_s << u"program"_s
        << QStringList{u"page-file-missing | Bad |  | Seite „Bad“: Die Seitendatei fehlt: {D}/HAUS_Bad.SHT"_s};
    // HAUS_ALT_Bad.SHT belongs to the project HAUS_ALT beside it.
    QTest::newRow("page file not in the list")
        << u"page-file-not-listed"_s << u"program"_s
        << QStringList{u"page-file-not-listed | Alt | HAUS_Alt.SHT | Seitendatei HAUS_Alt.SHT: Die Seite „Alt“ steht "
                       u"nicht in der Seitenliste."_s};
    QTest::newRow("reading stops at a line")
        << u"page-unreadable"_s << u"program"_s
        << QStringList{u"page-unreadable | Licht | Zeile 13 | Seite „Licht“, Zeile 13: Das Lesen der Seite bricht hier "
                       u"ab ('oft' ist kein gültiger Integerwert); beim Aktualisieren wird die Seite nicht neu "
                       u"geschrieben."_s};
    // "licht" finds Licht; the external link is not checked.
    QTest::newRow("link to a page not in the list")
        << u"page-link"_s << u"program"_s
        << QStringList{u"page-link | Start | Link 2 („Keller : Keller“) | Seite „Start“, Link 2 („Keller : Keller“): "
                       u"Die Zielseite „Keller“ steht nicht in der Seitenliste."_s};
    QTest::newRow("object no longer offered")
        << u"object-row"_s << u"program"_s
        << QStringList{
               u"object-row | Licht | Objektzeile 2 („Lampe_alt“) | Seite „Licht“, Objektzeile 2 („Lampe_alt“): "
               u"Das Objekt wird nicht mehr angeboten; "_s +
               DroppedAtSave};
    QTest::newRow("rows not judged without a catalogue")
        << u"object-row"_s << u"missing"_s
        << QStringList{u"exec-file |  |  | Ausführungsdatei: Die Ausführungsdatei kann nicht gelesen werden (Datei "
                       u"{T}/Fehlt.RVX nicht gefunden); "_s +
                       NotChecked};
    QTest::newRow("macro no longer offered, macro without name")
        << u"macro-row"_s << u"program"_s
        << QStringList{u"macro-row | Licht | Makrozeile 2 („Party“) | Seite „Licht“, Makrozeile 2 („Party“): Das Makro "
                       u"wird nicht mehr angeboten; "_s +
                           DroppedAtSave,
                       u"macro-row | Licht | Makrozeile 3 | Seite „Licht“, Makrozeile 3: Die Makrozeile hat keinen "
                       u"Namen; sie fällt beim nächsten Speichern oder Aktualisieren weg."_s};
    QTest::newRow("labels that break their rows")
        << u"label"_s << u"program"_s
        << QStringList{u"label | Licht | Objektzeile 1 („Licht“) | Seite „Licht“, Objektzeile 1 („Licht“): Die "
                       u"Bezeichnung „Decken\"licht“ enthält \"@\" oder \", was die Zeile in der Seitendatei "
                       u"zerteilt."_s,
                       u"label | Licht | Objektzeile 2 („Licht“) | Seite „Licht“, Objektzeile 2 („Licht“): Die Zeile "
                       u"ist zerteilt: an der Stelle der Eingabe-Kennung steht „Bad“ (eine Bezeichnung mit \"@\"?); "
                       u"beim nächsten Speichern gehen der Rest der Bezeichnung und die Eingabe verloren."_s,
                       u"label | Licht | Makrozeile 1 („Alles_aus“) | Seite „Licht“, Makrozeile 1 („Alles_aus“): Die "
                       u"Bezeichnung „Alles \"aus@60\"“ enthält \"@\" oder \", was die Zeile in der Seitendatei "
                       u"zerteilt."_s};
    QTest::newRow("link name and target that break the navigation line")
        << u"link-text"_s << u"program"_s
        << QStringList{
               u"link-text | Start | Link 1 („Licht : Decke : Licht“) | Seite „Start“, Link 1 („Licht : Decke : "
               u"Licht“): Der Name eines Links darf die Zeichenfolge \" : \" nicht enthalten."_s,
               u"link-text | Start | Link 2 („Hilfe : >hilfe.html?\"x\"“) | Seite „Start“, Link 2 („Hilfe : "
               u">hilfe.html?\"x\"“): Name und Ziel eines Links dürfen kein Anführungszeichen (\") "
               u"enthalten."_s};
    // 100 links of 12 characters: only the 85 read whole are judged, and they are fine.
    QTest::newRow("navigation line longer than the reader takes")
        << u"navigation-length"_s << u"program"_s
        << QStringList{u"navigation-length | Start |  | Seite „Start“: Die Navigationszeile ist 1200 Zeichen lang; "
                       u"gelesen werden nur 1023, Links darüber hinaus gehen verloren."_s};
    // 1019 characters in the file; "Ü" becomes "&Uuml;" when the page is written.
    QTest::newRow("navigation line too long at the next save")
        << u"navigation-length-at-save"_s << u"program"_s
        << QStringList{u"navigation-length | Start |  | Seite „Start“: Die Navigationszeile wird beim nächsten "
                       u"Speichern 1024 Zeichen lang; gelesen werden nur 1023."_s};
    // Damaged counts: the links the line holds are read, and the check says what the file named.
    QTest::newRow("navigation counts that do not match the line")
        << u"navigation-count"_s << u"program"_s
        << QStringList{u"navigation-count | Start |  | Seite „Start“: Der Abschnitt der Navigationszeile nennt -1 "
                       u"Links, die Zeile enthält 2; gelesen werden 2."_s,
                       u"navigation-count | Licht |  | Seite „Licht“: Der Abschnitt der Navigationszeile nennt 7 "
                       u"Links, die Zeile enthält 1; gelesen werden 1."_s};
    QTest::newRow("build and column order naming an entry twice")
        << u"order"_s << u"program"_s
        << QStringList{u"order | Licht |  | Seite „Licht“: Die Aufbaureihenfolge nennt „Objekte“ mehrfach."_s,
                       u"order | Licht |  | Seite „Licht“: Die Spaltenreihenfolge nennt „Bezeichnung“ mehrfach."_s};
}

void TestProjectCheck::findings()
{
    QFETCH(QString, project);
    QFETCH(QString, exec);
    QFETCH(QStringList, expected);
    const QString folder = m_data + u'/' + project;
    const QMap<QString, QByteArray> before = snapshot(folder);

    QString execFile;
    if (exec == u"program")
        execFile = m_program;
    else if (exec == u"missing")
        execFile = m_dir.filePath(u"Fehlt.RVX"_s);
    else if (exec == u"empty")
        execFile = m_empty;
    ScriptedPrompt prompt;
    const CheckResult result = CheckProject(folder + u"/HAUS.FNP"_s, execFile, prompt);

    QVERIFY(result.projectRead);
    QCOMPARE(result.execFileRead, exec == u"program");
    for (QString &line : expected)
        line.replace(u"{D}/"_s, shown(folder + u'/')).replace(u"{T}/"_s, shown(m_dir.path() + u'/'));
    QCOMPARE(describe(result.findings), expected);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    QCOMPARE(snapshot(folder), before);
}

void TestProjectCheck::projectFileMissing()
{
    const QString path = m_dir.filePath(u"FEHLT.FNP"_s);
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei "_s + path + u" nicht gefunden"_s);
    const CheckResult result = CheckProject(path, m_program, prompt);
    QVERIFY(!result.projectRead);
    QVERIFY(result.findings.isEmpty());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

// A page file that opens but cannot be read (here one that fails with EIO at once) is reported, and
// the pages after it are checked all the same.
void TestProjectCheck::pageThatCannotBeRead_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("finding"); // {P}: the page file
    const QString unreadable = u"page-unreadable | Start |  | Seite „Start“: Die Seitendatei kann nicht gelesen werden: "_s;
    QTest::newRow("failing half-way") << u"failing half-way"_s << unreadable + u"E/A-Fehler 5: {P}"_s;
    QTest::newRow("link out of the folder")
        << u"link out"_s
        << unreadable + u"{P} ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder eine Verknüpfung, die aus ihrem "
                        u"Ordner hinaus oder ins Leere zeigt); sie wird weder gelesen noch geschrieben."_s;
    QTest::newRow("not a page")
        << u"UTF-16"_s
        << u"page-not-a-page | Start |  | Seite „Start“: Die Seitendatei enthält keine Seite (keine Kopfzeile und kein "
           u"Abschnitt: ein anderes Format oder eine andere Zeichenkodierung); beim Aktualisieren wird sie "
           u"übersprungen."_s;
}

// A page file that cannot be read is reported, and the pages after it are checked all the same.
void TestProjectCheck::pageThatCannotBeRead()
{
    QFETCH(QString, fault);
    QFETCH(QString, finding);
#ifndef Q_OS_UNIX
    if (fault != u"UTF-16"_s)
        QSKIP("needs a mount or a symbolic link");
#endif
    const QString folder = m_dir.filePath(u"failing-"_s + fault);
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : QDir(m_data + u"/object-row"_s).entryList(QDir::Files))
        QVERIFY(QFile::copy(m_data + u"/object-row/"_s + name, folder + u'/' + name));
    const QString start = folder + u"/HAUS_Start.SHT"_s;
    std::unique_ptr<FailingRead> failing;
    if (fault == u"failing half-way"_s) {
        failing = std::make_unique<FailingRead>(start);
        QVERIFY(failing->isActive());
    } else if (fault == u"link out"_s) {
        QVERIFY(QFile::remove(start));
        QVERIFY(QFile::link(m_program, start));
    } else {
        QByteArray utf16("\xff\xfe");
        for (const char c : fileBytes(start)) {
            utf16 += c;
            utf16 += '\0';
        }
        writeBytes(start, utf16);
    }

    ScriptedPrompt prompt;
    const CheckResult result = CheckProject(folder + u"/HAUS.FNP"_s, m_program, prompt);
    QCOMPARE(describe(result.findings),
             (QStringList{finding.replace(u"{P}"_s, shown(start)),
                          u"object-row | Licht | Objektzeile 2 („Lampe_alt“) | Seite „Licht“, Objektzeile 2 "
                          u"(„Lampe_alt“): Das Objekt wird nicht mehr angeboten; "_s +
                              DroppedAtSave}));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

// Scripts tell the kinds apart by these names.
void TestProjectCheck::kindNamesAreDistinct()
{
    QSet<QString> names;
    for (int k = int(CheckFinding::Kind::ExecFile); k <= int(CheckFinding::Kind::NaviCount); ++k) {
        const QString name = checkKindName(CheckFinding::Kind(k));
        QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
        names.insert(name);
    }
}

QTEST_GUILESS_MAIN(TestProjectCheck)
#include "TestProjectCheck.moc"
