#include "workspace/Settings.h"

#include "text/FilePaths.h"
#include "workspace/AppState.h"
#include "workspace/SettingsStore.h"

#include <QDir>
#include <QtEndian>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString LastFile = u"LASTFILE"_s;
const QString DirDat = u"DIRDAT"_s;
const QString DirPgm = u"DIRPGM"_s;
const QString RvxDate = u"RVXDATE"_s;
const QString LoadFile = u"LOADFILE"_s;
const QString CurExecFile = u"CUREXECFILE"_s;

// Thrown inside ReadSettings when a value cannot be read; caught there (step 6).
struct ReadFailed
{
};

QString readString(const SettingsStore &store, const QString &name)
{
    QString value;
    if (!store.readString(name, value))
        throw ReadFailed();
    return value;
}

// RVXDATE: the OleDate double as 8 bytes, little-endian.
QByteArray rvxDateBytes(double date)
{
    quint64 bits = 0;
    std::memcpy(&bits, &date, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian(bits, bytes.data());
    return bytes;
}

double rvxDateFromBytes(const QByteArray &bytes)
{
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double date = 0;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}

// CUREXECFILE names the engine's file relative to the data folder; a value that is a full path
// already names the file itself.
QString engineFile(const QString &dataFolder, const QString &value)
{
    return QDir::isAbsolutePath(value) ? nativePath(value) : projectFilePath(dataFolder, value);
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

// Step 3: the sibling product's DIRDAT (only when there is none yet) and LOADFILE.
void readSibling(AppState &state, SettingsStore &store, QString &loadFile)
{
    if (!store.openKey(SettingsKeys::Vellmoor, false) && !store.openKey(SettingsKeys::Ostrilux, false)) {
        return;
    }
    if (state.DataFolder.isEmpty() && store.hasValue(DirDat))
        state.DataFolder = nativePath(readString(store, DirDat));
    if (store.hasValue(LoadFile))
        loadFile = readString(store, LoadFile);
    store.closeKey();
}

// Step 4: the execution engine's current file, else a guess from the sibling's last loaded file.
void readEngine(AppState &state, SettingsStore &store, const QString &loadFile)
{
    if (!store.openKey(SettingsKeys::Engine, false))
        return;
    if (store.hasValue(CurExecFile))
        state.ExecFileName = engineFile(state.DataFolder, readString(store, CurExecFile));
    if (!isExistingFile(state.ExecFileName)) {
        if (loadFile.isEmpty()) {
            state.ExecFileName.clear();
        } else {
            const QString stem = nativePath(loadFile.chopped(std::min<qsizetype>(3, loadFile.size())));
            state.ExecFileName = stem + u"RVX"_s;
            if (!isExistingFile(state.ExecFileName)) {
                state.ExecFileName = stem + u"RVP"_s;
                if (!isExistingFile(state.ExecFileName))
                    state.ExecFileName.clear();
            }
        }
    }
    store.closeKey();
}
} // namespace

void WriteSettings(const AppState &state, SettingsStore &store)
{
    if (!store.openKey(SettingsKeys::Own, true))
        return;
    store.writeString(LastFile, state.ProjectName);
    store.writeString(DirDat, state.DataFolder);
    store.writeString(DirPgm, state.ProgramFolder);
    store.writeBinary8(RvxDate, rvxDateBytes(state.ExecFileDate));
    store.closeKey();
}

void ReadSettings(AppState &state, SettingsStore &store)
{
    QString loadFile;
    try {
        state.DataFolder.clear();
        if (store.openKey(SettingsKeys::Own, false)) {
            state.DataFolder = nativePath(readString(store, DirDat));
            state.ProjectName = readString(store, LastFile);
            if (store.hasValue(RvxDate)) {
                QByteArray bytes;
                if (!store.readBinary8(RvxDate, bytes) || bytes.size() != 8)
                    throw ReadFailed();
                state.DefData.RVXDate = rvxDateFromBytes(bytes);
            } else {
                state.DefData.RVXDate = 0.0;
            }
            store.closeKey();
        }
        readSibling(state, store, loadFile);
        readEngine(state, store, loadFile);
        if (isBlank(state.DataFolder))
            state.DataFolder.clear();
    } catch (const ReadFailed &) {
        store.closeKey();
        state.ProjectName.clear();
        state.DataFolder.clear();
    }
}

void ReadCurrentExecFile(AppState &state, SettingsStore &store)
{
    if (!store.openKey(SettingsKeys::Engine, false))
        return;
    QString file;
    if (store.hasValue(CurExecFile) && store.readString(CurExecFile, file))
        state.ExecFileName = engineFile(state.DataFolder, file);
    store.closeKey();
}
