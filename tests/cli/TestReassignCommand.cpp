#include "catalogue/RvxScrambler.h"
#include "cli/CliRunner.h"
#include "support/ExecFileFixture.h"
#include "support/FileBytes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// webdef-cli reassign on the project of tests/data/reassign: its exit statuses, what it writes and
// what it leaves.
class TestReassignCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exitStatus_data();
    void exitStatus();
    void json();

private:
    int run(const QStringList &arguments, QString *out = nullptr, QString *err = nullptr);
    QByteArray pages() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_before;
    QString m_after;
};

namespace {
const QStringList Files = {u"HAUS.FNP"_s, u"HAUS_Kueche.SHT"_s, u"HAUS_Bad.SHT"_s, u"HAUS_Garten.SHT"_s};
} // namespace

void TestReassignCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString data = QFINDTESTDATA("../data/reassign");
    for (const QString &file : Files)
        QVERIFY(QFile::copy(data + u'/' + file, m_dir->filePath(file)));
    for (const auto &[listing, path] : {std::pair{u"Before.txt"_s, &m_before}, std::pair{u"After.txt"_s, &m_after}}) {
        QString error;
        *path = writeExecFile(m_dir->path(), listing.chopped(4) + u".RVX"_s,
                              listingLines(QString::fromUtf8(fileBytes(data + u'/' + listing))), &error);
        QVERIFY2(!path->isEmpty(), qPrintable(error));
    }
}

int TestReassignCommand::run(const QStringList &arguments, QString *out, QString *err)
{
    QBuffer outBuffer;
    QBuffer errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    const int status = CliRunner(outBuffer, errBuffer).run(QStringList{u"reassign"_s} + arguments);
    if (out)
        *out = QString::fromUtf8(outBuffer.data());
    if (err)
        *err = QString::fromUtf8(errBuffer.data());
    return status;
}

QByteArray TestReassignCommand::pages() const
{
    QByteArray all;
    for (const QString &file : Files)
        all += fileBytes(m_dir->filePath(file));
    return all;
}

void TestReassignCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("args"); // {B}: the program before, {A}: after
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("writes");
    QTest::addColumn<int>("lostAfter"); // names still lost afterwards

    QTest::newRow("nothing lost") << QStringList{u"--exec"_s, u"{B}"_s} << 0 << false << 8;
    QTest::newRow("names listed, nothing assigned") << QStringList{u"--exec"_s, u"{A}"_s} << 3 << false << 8;
    // Kuechenlicht and Alles_aus_Haus by their place, LichtBad by its name.
    QTest::newRow("the sure proposals") << QStringList{u"--exec"_s, u"{A}"_s, u"--auto"_s} << 3 << true << 5;
    QTest::newRow("a dry run writes nothing")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--auto"_s, u"--dry-run"_s} << 3 << false << 8;
    QTest::newRow("every name assigned")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--auto"_s, u"--map"_s, u"Steckdose_Flur=Flur_Dose"_s, u"--map"_s,
                       u"Licht_1=Licht_2"_s, u"--map"_s, u"Gute_Nacht=Gute_Nacht_Modus"_s, u"--map"_s,
                       u"Pumpe_Garten=Sirene"_s, u"--map"_s, u"Temperatur_Wohnen=Temperaturwahl_Wohnen"_s}
        << 0 << true << 0;
    QTest::newRow("an entry that is not offered")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--map"_s, u"Licht_Bad=Licht_Keller"_s} << 2 << false << 8;
    QTest::newRow("a macro for an object")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--map"_s, u"Licht_Bad=Alles_aus_Haus"_s} << 2 << false << 8;
    QTest::newRow("a name that is not lost")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--map"_s, u"Sirene=Kuechenlicht"_s} << 2 << false << 8;
    QTest::newRow("a pair without its new name")
        << QStringList{u"--exec"_s, u"{A}"_s, u"--map"_s, u"Licht_Bad"_s} << 2 << false << 8;
    QTest::newRow("--map without its pair") << QStringList{u"--exec"_s, u"{A}"_s, u"--map"_s} << 2 << false << 8;
    QTest::newRow("no execution file") << QStringList{u"--exec"_s, u"{T}/Fehlt.RVX"_s} << 1 << false << 8;
}

void TestReassignCommand::exitStatus()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(bool, writes);
    QFETCH(int, lostAfter);
    for (QString &arg : args)
        arg.replace(u"{B}"_s, m_before).replace(u"{A}"_s, m_after).replace(u"{T}"_s, m_dir->path());
    const QByteArray before = pages();
    QString out, err;
    QCOMPARE(run(QStringList{m_dir->filePath(u"HAUS.FNP"_s)} + args, &out, &err), status);
    QCOMPARE(pages() != before, writes);
    QString listed;
    QCOMPARE(run({m_dir->filePath(u"HAUS.FNP"_s), u"--exec"_s, m_after}, &listed), lostAfter > 0 ? 3 : 0);
    QCOMPARE(int(listed.count(u'\n')), lostAfter);
}

void TestReassignCommand::json()
{
    QString out;
    QCOMPARE(run({m_dir->filePath(u"HAUS.FNP"_s), u"--exec"_s, m_after, u"--json"_s, u"--map"_s,
                  u"Licht_1=Licht_2"_s, u"--dry-run"_s},
                 &out),
             3);
    QJsonParseError error;
    const QJsonArray names = QJsonDocument::fromJson(out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(names.size(), 8);
    QCOMPARE(names.at(0).toObject(),
             (QJsonObject{{u"name"_s, u"Licht_Kueche"_s},
                          {u"kind"_s, u"object"_s},
                          {u"recorded"_s, u"Zustände, Aus/Ein"_s},
                          {u"rows"_s, 2},
                          {u"pages"_s, QJsonArray{u"Kueche"_s, u"Bad"_s}},
                          {u"proposal"_s, QJsonObject{{u"name"_s, u"Kuechenlicht"_s}, {u"score"_s, 100}, {u"basis"_s, u"place"_s}}},
                          {u"assigned"_s, QJsonValue()}}));
    const auto assigned = [&names](const QString &name) {
        for (const QJsonValue &v : names) {
            if (v.toObject().value(u"name"_s) == name)
                return v.toObject().value(u"assigned"_s);
        }
        return QJsonValue(QJsonValue::Undefined);
    };
    QCOMPARE(assigned(u"Licht_1"_s), QJsonValue(u"Licht_2"_s));
    QCOMPARE(assigned(u"Pumpe_Garten"_s), QJsonValue());
}

QTEST_GUILESS_MAIN(TestReassignCommand)
#include "TestReassignCommand.moc"
