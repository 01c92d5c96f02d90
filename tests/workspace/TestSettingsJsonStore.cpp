#include "support/FileBytes.h"
#include "workspace/AppState.h"
#include "workspace/JsonSettingsStore.h"
#include "workspace/Settings.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QJsonObject parse(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}
} // namespace

class TestSettingsJsonStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readValue_data();
    void readValue();
    void openKeyWithoutCreating();
    void writtenFileHoldsTypedValues();
    void damagedFileIsKeptAsBackup_data();
    void damagedFileIsKeptAsBackup();
    void damagedFileWithoutBackupIsNotOverwritten();
    void cutFileKeepsItsCompleteKeys_data();
    void cutFileKeepsItsCompleteKeys();
    void unwritableFolderIsReported();
    void settingsRoundTripKeepsOtherPrograms();
    void defaultFileInConfigFolder();

private:
    QString m_file;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsJsonStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = m_dir->filePath(u"Quorvant/registry.json"_s);
}

void TestSettingsJsonStore::readValue_data()
{
    QTest::addColumn<QByteArray>("entries"); // the members of key "A\\B"
    QTest::addColumn<bool>("has");
    QTest::addColumn<bool>("stringOk");
    QTest::addColumn<QString>("string");
    QTest::addColumn<bool>("binaryOk");
    QTest::addColumn<QByteArray>("binary");

    QTest::newRow("string") << QByteArray(R"("V": {"type": "string", "value": "Wohnzimmer ä"})") << true << true
                            << u"Wohnzimmer ä"_s << false << QByteArray();
    QTest::newRow("missing value") << QByteArray() << false << true << QString() << true << QByteArray();
    QTest::newRow("binary of 8 bytes") << QByteArray(R"("V": {"type": "binary", "value": "000000001876e640"})") << true
                                       << false << QString() << true << QByteArray::fromHex("000000001876e640");
    QTest::newRow("binary in upper-case hex")
        << QByteArray(R"("V": {"type": "binary", "value": "000000001876E640"})") << true << false << QString() << true
        << QByteArray::fromHex("000000001876e640");
    QTest::newRow("binary of 7 bytes") << QByteArray(R"("V": {"type": "binary", "value": "0000001876e640"})") << true
                                       << false << QString() << false << QByteArray();
    QTest::newRow("binary with a non-hex digit")
        << QByteArray(R"("V": {"type": "binary", "value": "000000001876e64g"})") << true << false << QString() << false
        << QByteArray();
    QTest::newRow("string value that is a number")
        << QByteArray(R"("V": {"type": "string", "value": 42})") << true << false << QString() << false << QByteArray();
    QTest::newRow("entry that is not an object")
        << QByteArray(R"("V": "Haus")") << true << false << QString() << false << QByteArray();
    QTest::newRow("unknown type") << QByteArray(R"("V": {"type": "dword", "value": "1"})") << true << false << QString()
                                  << false << QByteArray();
    QTest::newRow("name in other letter case")
        << QByteArray(R"("v": {"type": "string", "value": "x"})") << true << true << u"x"_s << false << QByteArray();
}

void TestSettingsJsonStore::readValue()
{
    QFETCH(QByteArray, entries);
    QFETCH(bool, has);
    QFETCH(bool, stringOk);
    QFETCH(QString, string);
    QFETCH(bool, binaryOk);
    QFETCH(QByteArray, binary);

    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QVERIFY(writeAll(m_file, "{\"a\\\\b\": {" + entries + "}}"));
    JsonSettingsStore store(m_file);
    QVERIFY(store.openKey(u"A\\B"_s, false));

    QCOMPARE(store.hasValue(u"V"_s), has);
    QString text = u"vorher"_s;
    QCOMPARE(store.readString(u"V"_s, text), stringOk);
    QCOMPARE(text, stringOk ? string : u"vorher"_s);
    QByteArray bytes = "vorher";
    QCOMPARE(store.readBinary8(u"V"_s, bytes), binaryOk);
    QCOMPARE(bytes, binaryOk ? binary : QByteArray("vorher"));
}

void TestSettingsJsonStore::openKeyWithoutCreating()
{
    JsonSettingsStore store(m_file);
    QVERIFY(!store.openKey(u"Software\\Quorvant\\FENNARO\\INITALL"_s, false));
    QVERIFY(!store.hasValue(u"LASTFILE"_s));
    QString text;
    QVERIFY(!store.readString(u"LASTFILE"_s, text));
    QVERIFY(!store.writeString(u"LASTFILE"_s, u"x"_s));
    store.closeKey();
    QVERIFY2(!QFile::exists(m_file), "reading must not create the file");

    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QVERIFY(writeAll(m_file, R"({"K": "kein Objekt"})"));
    QVERIFY2(!store.openKey(u"K"_s, false), "a key that is not an object does not open");
    QVERIFY2(store.openKey(u"K"_s, true), "creating replaces it");
}

void TestSettingsJsonStore::writtenFileHoldsTypedValues()
{
    {
        JsonSettingsStore store(m_file);
        QVERIFY(store.openKey(u"Software\\Quorvant\\Leer"_s, true));
        QVERIFY(store.openKey(u"Software\\Quorvant\\FENNARO\\INITALL"_s, true));
        QVERIFY(store.writeString(u"LASTFILE"_s, u"Haus"_s));
        QVERIFY(store.writeBinary8(u"RVXDATE"_s, QByteArray::fromHex("000000001876e640")));
        QVERIFY2(!store.writeBinary8(u"KURZ"_s, QByteArray(4, '\0')), "only 8-byte binary values");
        store.closeKey();
        QVERIFY(store.lastWriteSucceeded());
    }
    const QJsonObject expected = parse(R"({
        "Software\\Quorvant\\Leer": {},
        "Software\\Quorvant\\FENNARO\\INITALL": {
            "LASTFILE": {"type": "string", "value": "Haus"},
            "RVXDATE": {"type": "binary", "value": "000000001876e640"}
        }})");
    QCOMPARE(parse(readAll(m_file)), expected);

    JsonSettingsStore again(m_file);
    QVERIFY(again.openKey(u"Software\\Quorvant\\FENNARO\\INITALL"_s, false));
    QString name;
    QByteArray date;
    QVERIFY(again.readString(u"LASTFILE"_s, name));
    QVERIFY(again.readBinary8(u"RVXDATE"_s, date));
    QCOMPARE(name, u"Haus"_s);
    QCOMPARE(date, QByteArray::fromHex("000000001876e640"));
}

void TestSettingsJsonStore::damagedFileIsKeptAsBackup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not JSON") << QByteArray("{\"Software\\\\Quorvant\": {");
    QTest::newRow("an array") << QByteArray("[1, 2]");
    QTest::newRow("empty file") << QByteArray();
}

void TestSettingsJsonStore::damagedFileIsKeptAsBackup()
{
    QFETCH(QByteArray, content);
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QVERIFY(writeAll(m_file, content));

    JsonSettingsStore store(m_file);
    QVERIFY2(!store.openKey(u"Software\\Quorvant"_s, false), "a damaged file reads as no keys");
    QVERIFY(store.openKey(u"Software\\Quorvant\\FENNARO\\INITALL"_s, true));
    QVERIFY(store.writeString(u"LASTFILE"_s, u"Haus"_s));
    store.closeKey();

    QVERIFY(store.lastWriteSucceeded());
    QCOMPARE(readAll(m_file + u".bak"_s), content);
    QVERIFY(QFile::exists(m_file + u".bak"_s));
    QVERIFY(parse(readAll(m_file)).contains(u"Software\\Quorvant\\FENNARO\\INITALL"_s));
}

void TestSettingsJsonStore::damagedFileWithoutBackupIsNotOverwritten()
{
    QDir().mkpath(m_file + u".bak"_s); // a folder in the way: the backup cannot be made
    QVERIFY(writeAll(m_file, "kaputt"));

    JsonSettingsStore store(m_file);
    QVERIFY(store.openKey(u"K"_s, true));
    QVERIFY(store.writeString(u"V"_s, u"x"_s));
    store.closeKey();

    QVERIFY(!store.lastWriteSucceeded());
    QCOMPARE(readAll(m_file), QByteArray("kaputt"));
}

void TestSettingsJsonStore::cutFileKeepsItsCompleteKeys_data()
{
    const QByteArray own = R"({
    "Software\\Quorvant\\FENNARO\\INITALL": {
        "DIRDAT": {"type": "string", "value": "/daten/haus \"x\" }"},
        "LASTFILE": {"type": "string", "value": "Haus"}
    },
    "Software\\Quorvant\\Vellmoor\\INITALL": {
        "LOADFILE": {"type": "string", "value": "/daten/v/Haus.PRJ"}
    }
})";
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("lastProject"); // empty: lost with the damage
    QTest::addColumn<bool>("siblingKept");
    const qsizetype sibling = own.indexOf("\"Software\\\\Quorvant\\\\Vellmoor");
    QTest::newRow("cut inside the second key") << own.left(sibling + 50) << u"Haus"_s << false;
    QTest::newRow("cut after the last key") << own.left(own.size() - 2) << u"Haus"_s << true;
    QTest::newRow("garbage in the second key") << QByteArray(own).replace("\"LOADFILE\"", "LOADFILE") << u"Haus"_s
                                               << false;
    QTest::newRow("cut inside the own key") << own.left(120) << QString() << false;
    QTest::newRow("garbage before everything") << "x" + own << QString() << false;
}

void TestSettingsJsonStore::cutFileKeepsItsCompleteKeys()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, lastProject);
    QFETCH(bool, siblingKept);
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QVERIFY(writeAll(m_file, content));

    JsonSettingsStore store(m_file);
    AppState state;
    ReadSettings(state, store);
    QCOMPARE(state.ProjectName, lastProject);
    QCOMPARE(state.DataFolder, lastProject.isEmpty() ? QString() : shown(u"/daten/haus \"x\" }"_s));
    QCOMPARE(store.openKey(u"Software\\Quorvant\\Vellmoor\\INITALL"_s, false), siblingKept);

    // The next write sets the damaged file aside as it was and keeps what was read.
    state.ProjectName = u"Garten"_s;
    WriteSettings(state, store);
    QVERIFY(store.lastWriteSucceeded());
    QCOMPARE(readAll(m_file + u".bak"_s), content);
    AppState again;
    ReadSettings(again, store);
    QCOMPARE(again.ProjectName, u"Garten"_s);
    QCOMPARE(again.DataFolder, state.DataFolder);
}

void TestSettingsJsonStore::unwritableFolderIsReported()
{
    QVERIFY(writeAll(m_dir->filePath(u"Quorvant"_s), "a file where the folder should be"));
    JsonSettingsStore store(m_file);
    AppState state;
    state.ProjectName = u"Haus"_s;
    WriteSettings(state, store); // reports nothing and must not crash
    QVERIFY(!store.lastWriteSucceeded());
}

void TestSettingsJsonStore::settingsRoundTripKeepsOtherPrograms()
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    const QByteArray placed = R"({
        "Software\\Quorvant\\Vellmoor\\INITALL": {
            "DIRDAT": {"type": "string", "value": "/daten/vellmoor"},
            "LOADFILE": {"type": "string", "value": "/daten/vellmoor/Haus.PRJ"}
        },
        "Software\\Quorvant\\RunvaultWin\\FILES": {}
    })";
    QVERIFY(writeAll(m_file, placed));

    JsonSettingsStore store(m_file);
    AppState first;
    ReadSettings(first, store);
    QCOMPARE(first.DataFolder, shown(u"/daten/vellmoor"_s));
    first.ProjectName = u"Haus"_s;
    first.ExecFileDate = 46000.75;
    WriteSettings(first, store);

    AppState second;
    ReadSettings(second, store);
    QCOMPARE(second.ProjectName, u"Haus"_s);
    QCOMPARE(second.DataFolder, shown(u"/daten/vellmoor"_s));
    QCOMPARE(second.DefData.RVXDate, 46000.75);
    const QJsonObject root = parse(readAll(m_file));
    QCOMPARE(root.value(u"Software\\Quorvant\\Vellmoor\\INITALL"_s),
             parse(placed).value(u"Software\\Quorvant\\Vellmoor\\INITALL"_s));
    QVERIFY(root.contains(u"Software\\Quorvant\\RunvaultWin\\FILES"_s));
}

void TestSettingsJsonStore::defaultFileInConfigFolder()
{
    // The test environment points the configuration folder into the build tree (on Windows the
    // configuration folder of the test's own Wine prefix or user).
    QVERIFY(JsonSettingsStore::defaultFilePath().endsWith(u"/Quorvant/registry.json"_s));
    QVERIFY(JsonSettingsStore::defaultFilePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
#ifndef Q_OS_WIN
    QVERIFY(JsonSettingsStore::defaultFilePath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
#endif
}

QTEST_GUILESS_MAIN(TestSettingsJsonStore)
#include "TestSettingsJsonStore.moc"
