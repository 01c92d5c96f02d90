#include "catalogue/RvxScrambler.h"
#include "cli/CliRunner.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"

#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct RunResult
{
    int status = -1;
    QString out;
    QString err;
};

RunResult runCli(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    RunResult result;
    result.status = CliRunner(out, err).run(arguments);
    result.out = QString::fromUtf8(out.data());
    result.err = QString::fromUtf8(err.data());
    return result;
}

const QString ObjectRowFinding =
    u"Seite „Licht“, Objektzeile 2 („Lampe_alt“): Das Objekt wird nicht mehr angeboten; die "
    u"Zeile fällt beim nächsten Speichern oder Aktualisieren weg.\n"_s;

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void json();
    void usage_data();
    void usage();
    void realBinary();

private:
    // {C}: tests/data/check, {X}: the execution file, {T}: the temporary folder.
    QStringList expand(QStringList texts) const;

    QTemporaryDir m_dir;
    QString m_data;
    QString m_program;
};

void TestCheckCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_data = QFINDTESTDATA("../data/check");
    QVERIFY(!m_data.isEmpty());
    QString error;
    m_program = writeExecFile(
        m_dir.path(), u"Haus.RVX"_s,
        QStringList{testHeader(27)} + listingLines(QString::fromUtf8(fileBytes(m_data + u"/Program.txt"_s))), &error);
    QVERIFY2(!m_program.isEmpty(), qPrintable(error));
}

QStringList TestCheckCommand::expand(QStringList texts) const
{
    for (QString &t : texts)
        t.replace(u"{C}/"_s, shown(m_data + u'/')).replace(u"{X}"_s, shown(m_program)).replace(u"{T}/"_s, shown(m_dir.path() + u'/'));
    return texts;
}

void TestCheckCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("nothing found") << QStringList{u"{C}/clean/HAUS.FNP"_s, u"--exec"_s, u"{X}"_s} << 0 << QString()
                                   << QString();
    QTest::newRow("something found") << QStringList{u"--exec"_s, u"{X}"_s, u"{C}/object-row/HAUS.FNP"_s} << 3
                                     << ObjectRowFinding << QString();
    QTest::newRow("execution file missing")
        << QStringList{u"{C}/clean/HAUS.FNP"_s, u"--exec"_s, u"{T}/Fehlt.RVX"_s} << 1
        << u"Ausführungsdatei: Die Ausführungsdatei kann nicht gelesen werden (Datei {T}/Fehlt.RVX nicht gefunden); "
           u"Objekt- und Makrozeilen wurden nicht geprüft.\n"_s
        << QString();
    QTest::newRow("no execution file named")
        << QStringList{u"{C}/clean/HAUS.FNP"_s} << 1
        << u"Ausführungsdatei: Das Projekt nennt keine Ausführungsdatei; Objekt- und Makrozeilen wurden nicht "
           u"geprüft.\n"_s
        << QString();
    QTest::newRow("project file missing") << QStringList{u"{T}/FEHLT.FNP"_s, u"--exec"_s, u"{X}"_s} << 1 << QString()
                                          << u"Datei {T}/FEHLT.FNP nicht gefunden\n"_s;
}

void TestCheckCommand::exitStatus()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const RunResult result = runCli(QStringList{u"check"_s} + expand(args));
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, expand({out}).first());
    QCOMPARE(result.err, expand({err}).first());
}

void TestCheckCommand::json()
{
    const RunResult found =
        runCli(expand({u"check"_s, u"{C}/macro-row/HAUS.FNP"_s, u"--json"_s, u"--exec"_s, u"{X}"_s}));
    QCOMPARE(found.status, 3);
    QJsonParseError error;
    const QJsonArray findings = QJsonDocument::fromJson(found.out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(findings.size(), 2);
    QCOMPARE(findings.at(0).toObject(),
             (QJsonObject{{u"kind"_s, u"macro-row"_s},
                          {u"page"_s, u"Licht"_s},
                          {u"detail"_s, u"Makrozeile 2 („Party“)"_s},
                          {u"text"_s, u"Seite „Licht“, Makrozeile 2 („Party“): Das Makro wird nicht mehr angeboten; "
                                      u"die Zeile fällt beim nächsten Speichern oder Aktualisieren weg."_s}}));
    // One finding per line, for tools that read lines.
    QCOMPARE(found.out.count(u'\n'), 4);

    const RunResult clean = runCli(expand({u"check"_s, u"--json"_s, u"{C}/clean/HAUS.FNP"_s, u"--exec"_s, u"{X}"_s}));
    QCOMPARE(clean.status, 0);
    QCOMPARE(clean.out, u"[]\n"_s);
}

void TestCheckCommand::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no project file") << QStringList();
    QTest::newRow("two project files") << QStringList{u"a.FNP"_s, u"b.FNP"_s};
    QTest::newRow("--json twice") << QStringList{u"a.FNP"_s, u"--json"_s, u"--json"_s};
    QTest::newRow("--exec without a file") << QStringList{u"a.FNP"_s, u"--exec"_s};
    QTest::newRow("unknown option") << QStringList{u"a.FNP"_s, u"--quiet"_s};
}

void TestCheckCommand::usage()
{
    QFETCH(QStringList, args);
    const RunResult result = runCli(QStringList{u"check"_s} + args);
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY(result.err.contains(u"webdef-cli check PROJEKTDATEI [--exec AUSFÜHRUNGSDATEI] [--json]"_s));
}

void TestCheckCommand::realBinary()
{
    const QString binary = QStringLiteral(WEBDEF_CLI_PROGRAM);
    if (!QFileInfo::exists(binary))
        QSKIP("webdef-cli is not built");
    QProcess process;
    process.start(binary, expand({u"check"_s, u"{C}/object-row/HAUS.FNP"_s, u"--exec"_s, u"{X}"_s}));
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 3);
    // A console program on Windows ends its lines with CR LF.
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).replace(u"\r\n"_s, u"\n"_s), ObjectRowFinding);
    QCOMPARE(process.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "TestCheckCommand.moc"
