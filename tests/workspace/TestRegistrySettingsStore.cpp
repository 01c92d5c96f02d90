#include "workspace/AppState.h"
#include "workspace/Settings.h"

#include <QTest>

#ifdef Q_OS_WIN
#include "workspace/RegistrySettingsStore.h"

#include <QRandomGenerator>

#include <windows.h>
#endif

using namespace Qt::Literals::StringLiterals;

// The settings store of Windows against the registry itself (under Wine, Wine's registry), in a key
// of the test's own below HKEY_CURRENT_USER: values written come back with their types, a key that
// is not there does not open, and a value of another type than expected is a read error.
class TestRegistrySettingsStore : public QObject
{
    Q_OBJECT

private slots:
#ifdef Q_OS_WIN
    void init();
    void cleanup();
    void valuesComeBackWithTheirTypes();
    void missingKeysAndValues();
    void valuesOfAnotherType_data();
    void valuesOfAnotherType();
    void settingsRoundTrip();
#else
    void onlyOnWindows() { QSKIP("the registry exists on Windows only"); }
#endif

#ifdef Q_OS_WIN
private:
    // Sets a value of any type below the test's key, as another program might have written it.
    void setRaw(const QString &key, const QString &name, DWORD type, const QByteArray &bytes) const;

    QString m_base;
#endif
};

#ifdef Q_OS_WIN

namespace {
const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}
} // namespace

void TestRegistrySettingsStore::init()
{
    m_base = u"Software\\WebDefTest\\%1"_s.arg(QRandomGenerator::global()->generate());
}

void TestRegistrySettingsStore::cleanup()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, wide(m_base));
}

void TestRegistrySettingsStore::setRaw(const QString &key, const QString &name, DWORD type,
                                       const QByteArray &bytes) const
{
    HKEY handle = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, wide(m_base + u'\\' + key), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &handle, nullptr),
             LONG(ERROR_SUCCESS));
    QCOMPARE(RegSetValueExW(handle, wide(name), 0, type, reinterpret_cast<const BYTE *>(bytes.constData()),
                            DWORD(bytes.size())),
             LONG(ERROR_SUCCESS));
    RegCloseKey(handle);
}

void TestRegistrySettingsStore::valuesComeBackWithTheirTypes()
{
    const QByteArray date("\x00\x00\x00\x00\x18\x76\xe6\x40", 8);
    {
        RegistrySettingsStore store(m_base);
        QVERIFY(store.openKey(SettingsKeys::Own, true));
        QVERIFY(store.writeString(u"LASTFILE"_s, u"Wohnung Süd"_s));
        QVERIFY(store.writeString(u"DIRDAT"_s, QString()));
        QVERIFY(store.writeBinary8(u"RVXDATE"_s, date));
        QVERIFY2(!store.writeBinary8(u"KURZ"_s, QByteArray(4, 'x')), "only 8 bytes are a date");
    }
    RegistrySettingsStore store(m_base);
    QVERIFY(store.openKey(SettingsKeys::Own, false));
    QString text;
    QVERIFY(store.readString(u"LASTFILE"_s, text));
    QCOMPARE(text, u"Wohnung Süd"_s);
    QVERIFY(store.readString(u"DIRDAT"_s, text));
    QCOMPARE(text, QString());
    QByteArray bytes;
    QVERIFY(store.readBinary8(u"RVXDATE"_s, bytes));
    QCOMPARE(bytes, date);
    // The types the registry holds them with.
    HKEY key = nullptr;
    QCOMPARE(RegOpenKeyExW(HKEY_CURRENT_USER, wide(m_base + u'\\' + SettingsKeys::Own), 0, KEY_READ, &key),
             LONG(ERROR_SUCCESS));
    DWORD type = 0;
    QCOMPARE(RegQueryValueExW(key, L"LASTFILE", nullptr, &type, nullptr, nullptr), LONG(ERROR_SUCCESS));
    QCOMPARE(type, DWORD(REG_SZ));
    QCOMPARE(RegQueryValueExW(key, L"RVXDATE", nullptr, &type, nullptr, nullptr), LONG(ERROR_SUCCESS));
    QCOMPARE(type, DWORD(REG_BINARY));
    RegCloseKey(key);
}

void TestRegistrySettingsStore::missingKeysAndValues()
{
    RegistrySettingsStore store(m_base);
    QVERIFY(!store.openKey(SettingsKeys::Engine, false));
    QVERIFY(!store.hasValue(u"CUREXECFILE"_s));
    QVERIFY(store.openKey(SettingsKeys::Engine, true));
    QVERIFY(!store.hasValue(u"CUREXECFILE"_s));
    // A value that is not there reads as empty.
    QString text = u"vorher"_s;
    QVERIFY(store.readString(u"CUREXECFILE"_s, text));
    QCOMPARE(text, QString());
    QByteArray bytes = "vorher";
    QVERIFY(store.readBinary8(u"RVXDATE"_s, bytes));
    QVERIFY(bytes.isEmpty());
}

void TestRegistrySettingsStore::valuesOfAnotherType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("asString");
    QTest::newRow("binary where a string is expected") << u"LASTFILE"_s << int(REG_BINARY) << QByteArray(8, 'x')
                                                        << true;
    QTest::newRow("number where a string is expected")
        << u"DIRDAT"_s << int(REG_DWORD) << QByteArray("\x01\x00\x00\x00", 4) << true;
    QTest::newRow("string where 8 bytes are expected")
        << u"RVXDATE"_s << int(REG_SZ) << QByteArray("4\x006\x00\x00\x00", 6) << false;
    QTest::newRow("4 bytes where 8 are expected") << u"RVXDATE"_s << int(REG_BINARY) << QByteArray(4, 'x') << false;
}

// What the settings store reports as a read error, which empties project and folder at start-up.
void TestRegistrySettingsStore::valuesOfAnotherType()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, asString);
    setRaw(SettingsKeys::Own, name, DWORD(type), bytes);
    RegistrySettingsStore store(m_base);
    QVERIFY(store.openKey(SettingsKeys::Own, false));
    QString text;
    QByteArray binary;
    QVERIFY(store.hasValue(name));
    QVERIFY(asString ? !store.readString(name, text) : !store.readBinary8(name, binary));
    store.closeKey();

    AppState state;
    state.ProjectName = u"Vorher"_s;
    if (name != u"LASTFILE"_s)
        setRaw(SettingsKeys::Own, u"LASTFILE"_s, REG_SZ, QByteArray("H\x00" "a\x00" "u\x00" "s\x00\x00\x00", 10));
    ReadSettings(state, store);
    QCOMPARE(state.ProjectName, QString());
    QCOMPARE(state.DataFolder, QString());
}

void TestRegistrySettingsStore::settingsRoundTrip()
{
    AppState written;
    written.ProjectName = u"Haus"_s;
    written.DataFolder = u"C:\\Daten\\Web"_s;
    written.ProgramFolder = u"C:\\Programme\\WebDef\\"_s;
    written.ExecFileDate = 46000.75;
    {
        RegistrySettingsStore store(m_base);
        WriteSettings(written, store);
    }
    RegistrySettingsStore store(m_base);
    AppState read;
    ReadSettings(read, store);
    QCOMPARE(read.ProjectName, u"Haus"_s);
    QCOMPARE(read.DataFolder, u"C:\\Daten\\Web"_s);
    QVERIFY2(read.DefData.RVXDate == 46000.75, "the date comes back bit for bit");
}

#endif

QTEST_GUILESS_MAIN(TestRegistrySettingsStore)
#include "TestRegistrySettingsStore.moc"
