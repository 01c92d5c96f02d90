#include "support/FileBytes.h"
#include "text/OleDate.h"
#include "workspace/AppState.h"
#include "workspace/MemorySettingsStore.h"
#include "workspace/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// One value placed in the store before reading: key, value name and the stored value (a QString
// or a QByteArray). An empty name only creates the key.
struct Placed
{
    QString key;
    QString name;
    QVariant value;
};
using Placement = QList<Placed>;

const QString Own = SettingsKeys::Own;
const QString Vellmoor = SettingsKeys::Vellmoor;
const QString Ostrilux = SettingsKeys::Ostrilux;
const QString Engine = SettingsKeys::Engine;

Placed str(const QString &key, const QString &name, const QString &value)
{
    return {key, name, value};
}

Placed bin(const QString &key, const QString &name, const QByteArray &value)
{
    return {key, name, value};
}

Placed emptyKey(const QString &key)
{
    return {key, QString(), QVariant()};
}

// 46000.75 as a little-endian IEEE 754 double.
const QByteArray Date46000_75 = QByteArray::fromHex("000000001876e640");
} // namespace

Q_DECLARE_METATYPE(Placement)

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readSettings_data();
    void readSettings();
    void writeSettingsStoresAllFourValues();
    void writeThenReadKeepsDatesExactly();
    void readCurrentExecFile_data();
    void readCurrentExecFile();

private:
    // "<tmp>" in text becomes the temporary folder.
    QString resolve(QString text) const { return text.replace(u"<tmp>"_s, m_dir.path()); }
    void place(MemorySettingsStore &store, const Placement &placement) const;

    QTemporaryDir m_dir;
};

void TestSettings::init()
{
    QVERIFY(m_dir.isValid());
    for (const QString &name : {u"proj.RVX"_s, u"proj.RVP"_s, u"other.RVP"_s, u"Demo.RVX"_s})
        QFile::remove(m_dir.filePath(name));
}

void TestSettings::place(MemorySettingsStore &store, const Placement &placement) const
{
    for (const Placed &p : placement) {
        if (p.name.isEmpty())
            store.addKey(p.key);
        else if (p.value.typeId() == QMetaType::QByteArray)
            store.setBinary(p.key, p.name, p.value.toByteArray());
        else
            store.setString(p.key, p.name, resolve(p.value.toString()));
    }
}

void TestSettings::readSettings_data()
{
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<QStringList>("files"); // created in the temporary folder before reading
    QTest::addColumn<QString>("projectName");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<QString>("execFileName");
    QTest::addColumn<double>("rvxDate");

    // Every row starts with ProjectName "Vorher", RVXDate 7 and no ExecFileName.
    QTest::newRow("no keys at all keeps name and date")
        << Placement{} << QStringList() << u"Vorher"_s << QString() << QString() << 7.0;
    QTest::newRow("own key with all values")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>/daten"_s), str(Own, u"LASTFILE"_s, u"Haus"_s),
                     bin(Own, u"RVXDATE"_s, Date46000_75)}
        << QStringList() << u"Haus"_s << u"<tmp>/daten"_s << QString() << 46000.75;
    QTest::newRow("own key without values")
        << Placement{emptyKey(Own)} << QStringList() << QString() << QString() << QString() << 0.0;
    QTest::newRow("no own key, Vellmoor guess RVX")
        << Placement{str(Vellmoor, u"DIRDAT"_s, u"<tmp>"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     emptyKey(Engine)}
        << QStringList{u"proj.RVX"_s, u"proj.RVP"_s} << u"Vorher"_s << u"<tmp>"_s << u"<tmp>/proj.RVX"_s << 7.0;
    QTest::newRow("no own key, Vellmoor guess RVP")
        << Placement{str(Vellmoor, u"DIRDAT"_s, u"<tmp>"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     emptyKey(Engine)}
        << QStringList{u"proj.RVP"_s} << u"Vorher"_s << u"<tmp>"_s << u"<tmp>/proj.RVP"_s << 7.0;
    QTest::newRow("no own key, Vellmoor guess finds nothing")
        << Placement{str(Vellmoor, u"DIRDAT"_s, u"<tmp>"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     emptyKey(Engine)}
        << QStringList{u"other.RVP"_s} << u"Vorher"_s << u"<tmp>"_s << QString() << 7.0;
    QTest::newRow("own DIRDAT beats sibling DIRDAT, LOADFILE still used")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>/eigen"_s), str(Own, u"LASTFILE"_s, u"Haus"_s),
                     str(Vellmoor, u"DIRDAT"_s, u"<tmp>/fremd"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.xyz"_s),
                     emptyKey(Engine)}
        << QStringList{u"proj.RVX"_s} << u"Haus"_s << u"<tmp>/eigen"_s << u"<tmp>/proj.RVX"_s << 0.0;
    QTest::newRow("empty own DIRDAT takes the sibling's")
        << Placement{str(Own, u"DIRDAT"_s, QString()), str(Vellmoor, u"DIRDAT"_s, u"<tmp>/fremd"_s)} << QStringList()
        << QString() << u"<tmp>/fremd"_s << QString() << 0.0;
    QTest::newRow("empty Vellmoor key hides Ostrilux")
        << Placement{emptyKey(Vellmoor), str(Ostrilux, u"DIRDAT"_s, u"<tmp>"_s),
                     str(Ostrilux, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s), emptyKey(Engine)}
        << QStringList{u"proj.RVX"_s} << u"Vorher"_s << QString() << QString() << 7.0;
    QTest::newRow("Ostrilux read when Vellmoor is missing")
        << Placement{str(Ostrilux, u"DIRDAT"_s, u"<tmp>"_s), str(Ostrilux, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     emptyKey(Engine)}
        << QStringList{u"proj.RVX"_s} << u"Vorher"_s << u"<tmp>"_s << u"<tmp>/proj.RVX"_s << 7.0;
    QTest::newRow("existing CUREXECFILE wins over LOADFILE")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     str(Engine, u"CUREXECFILE"_s, u"Demo.RVX"_s)}
        << QStringList{u"Demo.RVX"_s, u"proj.RVX"_s} << QString() << u"<tmp>"_s << u"<tmp>/Demo.RVX"_s << 0.0;
    QTest::newRow("missing CUREXECFILE falls back to LOADFILE")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>/"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     str(Engine, u"CUREXECFILE"_s, u"Demo.RVX"_s)}
        << QStringList{u"proj.RVP"_s} << QString() << u"<tmp>/"_s << u"<tmp>/proj.RVP"_s << 0.0;
    QTest::newRow("empty CUREXECFILE names the folder, which is no file")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>"_s), str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s),
                     str(Engine, u"CUREXECFILE"_s, QString())}
        << QStringList{u"proj.RVX"_s} << QString() << u"<tmp>"_s << u"<tmp>/proj.RVX"_s << 0.0;
    QTest::newRow("CUREXECFILE as a full path is taken as it stands")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>/web"_s), str(Engine, u"CUREXECFILE"_s, u"<tmp>/Demo.RVX"_s)}
        << QStringList{u"Demo.RVX"_s} << QString() << u"<tmp>/web"_s << u"<tmp>/Demo.RVX"_s << 0.0;
    QTest::newRow("missing CUREXECFILE without LOADFILE")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>"_s), str(Engine, u"CUREXECFILE"_s, u"Demo.RVX"_s)} << QStringList()
        << QString() << u"<tmp>"_s << QString() << 0.0;
    QTest::newRow("no engine key ignores LOADFILE")
        << Placement{str(Vellmoor, u"LOADFILE"_s, u"<tmp>/proj.PRJ"_s)} << QStringList{u"proj.RVX"_s} << u"Vorher"_s
        << QString() << QString() << 7.0;
    QTest::newRow("DIRDAT of three blanks")
        << Placement{str(Own, u"DIRDAT"_s, u"   "_s), str(Own, u"LASTFILE"_s, u"Haus"_s)} << QStringList() << u"Haus"_s
        << QString() << QString() << 0.0;
    QTest::newRow("RVXDATE stored as a string")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>"_s), str(Own, u"LASTFILE"_s, u"Haus"_s),
                     str(Own, u"RVXDATE"_s, u"46000.75"_s), str(Engine, u"CUREXECFILE"_s, u"Demo.RVX"_s)}
        << QStringList{u"Demo.RVX"_s} << QString() << QString() << QString() << 7.0;
    QTest::newRow("RVXDATE of four bytes")
        << Placement{str(Own, u"LASTFILE"_s, u"Haus"_s), bin(Own, u"RVXDATE"_s, QByteArray(4, '\1'))} << QStringList()
        << QString() << QString() << QString() << 7.0;
    QTest::newRow("LASTFILE stored as binary")
        << Placement{str(Own, u"DIRDAT"_s, u"<tmp>"_s), bin(Own, u"LASTFILE"_s, Date46000_75)} << QStringList()
        << QString() << QString() << QString() << 7.0;
    QTest::newRow("sibling DIRDAT of wrong type after own values were read")
        << Placement{str(Own, u"LASTFILE"_s, u"Haus"_s), bin(Own, u"RVXDATE"_s, Date46000_75),
                     bin(Vellmoor, u"DIRDAT"_s, Date46000_75), str(Engine, u"CUREXECFILE"_s, u"Demo.RVX"_s)}
        << QStringList{u"Demo.RVX"_s} << QString() << QString() << QString() << 46000.75;
    QTest::newRow("key paths and names without regard to case")
        << Placement{str(u"SOFTWARE\\quorvant\\fennaro\\initall"_s, u"lastfile"_s, u"Haus"_s)} << QStringList()
        << u"Haus"_s << QString() << QString() << 0.0;
}

void TestSettings::readSettings()
{
    QFETCH(Placement, placement);
    QFETCH(QStringList, files);
    QFETCH(QString, projectName);
    QFETCH(QString, dataFolder);
    QFETCH(QString, execFileName);
    QFETCH(double, rvxDate);

    for (const QString &name : files) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    MemorySettingsStore store;
    place(store, placement);
    AppState state;
    state.ProjectName = u"Vorher"_s;
    state.DataFolder = u"vorher"_s;
    state.DefData.RVXDate = 7.0;

    ReadSettings(state, store);

    QCOMPARE(state.ProjectName, projectName);
    // The folder and the file in the platform's own form, whatever the settings held.
    QCOMPARE(state.DataFolder, shown(resolve(dataFolder)));
    QCOMPARE(state.ExecFileName, shown(resolve(execFileName)));
    QCOMPARE(state.DefData.RVXDate, rvxDate);
    QVERIFY2(!store.hasValue(u"LASTFILE"_s), "the last key read is still open");
}

void TestSettings::writeSettingsStoresAllFourValues()
{
    MemorySettingsStore store;
    AppState state;
    state.ProjectName = u"Haus"_s;
    state.DataFolder = u"/daten/web"_s;
    state.ProgramFolder = u"/opt/webdef/"_s;
    state.ExecFileDate = 46000.75;

    WriteSettings(state, store);

    QCOMPARE(store.value(Own, u"LASTFILE"_s), QVariant(u"Haus"_s));
    QCOMPARE(store.value(Own, u"DIRDAT"_s), QVariant(u"/daten/web"_s));
    QCOMPARE(store.value(Own, u"DIRPGM"_s), QVariant(u"/opt/webdef/"_s));
    QCOMPARE(store.value(Own, u"RVXDATE"_s), QVariant(Date46000_75));
    QVERIFY2(!store.hasKey(Vellmoor) && !store.hasKey(Engine), "only the own key is written");
}

void TestSettings::writeThenReadKeepsDatesExactly()
{
    MemorySettingsStore store;
    AppState written;
    written.ProjectName = u"Wohnung Süd"_s;
    written.DataFolder = u"C:\\Daten\\"_s;
    written.ExecFileDate = toOleDate(QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 678)));
    WriteSettings(written, store);

    AppState read;
    ReadSettings(read, store);

    QCOMPARE(read.ProjectName, written.ProjectName);
    QCOMPARE(read.DataFolder, written.DataFolder);
    QVERIFY2(read.DefData.RVXDate == written.ExecFileDate, "the date must come back bit for bit");
}

void TestSettings::readCurrentExecFile_data()
{
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<QString>("execFileName");

    QTest::newRow("CUREXECFILE, folder without delimiter")
        << Placement{str(Engine, u"CUREXECFILE"_s, u"Neu.RVX"_s)} << u"/daten"_s << u"/daten/Neu.RVX"_s;
    QTest::newRow("CUREXECFILE, folder with delimiter")
        << Placement{str(Engine, u"CUREXECFILE"_s, u"Neu.RVX"_s)} << u"/daten/"_s << u"/daten/Neu.RVX"_s;
    QTest::newRow("CUREXECFILE as a full path")
        << Placement{str(Engine, u"CUREXECFILE"_s, u"/steuerung/Neu.RVX"_s)} << u"/daten"_s << u"/steuerung/Neu.RVX"_s;
    QTest::newRow("no engine key") << Placement{} << u"/daten"_s << u"/alt/Alt.RVX"_s;
    QTest::newRow("engine key without CUREXECFILE") << Placement{emptyKey(Engine)} << u"/daten"_s << u"/alt/Alt.RVX"_s;
    QTest::newRow("CUREXECFILE of wrong type")
        << Placement{bin(Engine, u"CUREXECFILE"_s, Date46000_75)} << u"/daten"_s << u"/alt/Alt.RVX"_s;
}

void TestSettings::readCurrentExecFile()
{
    QFETCH(Placement, placement);
    QFETCH(QString, dataFolder);
    QFETCH(QString, execFileName);

    MemorySettingsStore store;
    place(store, placement);
    AppState state;
    state.DataFolder = dataFolder;
    state.ExecFileName = shown(u"/alt/Alt.RVX"_s);

    ReadCurrentExecFile(state, store);

    QCOMPARE(state.ExecFileName, shown(execFileName));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
