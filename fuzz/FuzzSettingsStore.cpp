// Settings file bytes -> settings read -> settings written -> settings read.
//
// Properties: whatever the file holds, reading the settings does not fail, writing them succeeds
// and the next read gives exactly what was written; a file that does not parse is kept byte for
// byte as the backup; the keys of the other programs survive the write unchanged; the memory held
// stays proportional to the file.

#include "FuzzSupport.h"

#include "workspace/AppState.h"
#include "workspace/JsonSettingsStore.h"
#include "workspace/Settings.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QtEndian>

#include <cstring>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QJsonObject> parsedObject(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// The members of root that are not the own key, whatever the letter case of their names.
QJsonObject otherKeys(QJsonObject root)
{
    for (const QString &name : root.keys()) {
        if (name.compare(SettingsKeys::Own, Qt::CaseInsensitive) == 0)
            root.remove(name);
    }
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = Fuzz::writeScratch(u"registry.json"_s, data, size);
    QFile::remove(path + u".bak"_s);
    const QByteArray original(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QJsonObject> before = parsedObject(original);

    AppState state;
    {
        Fuzz::AllocationBound bound(size);
        JsonSettingsStore store(path);
        ReadSettings(state, store);
        QString text;
        QByteArray bytes;
        // The first keys of the file, as another program would read them.
        for (const QString &key : before.value_or(QJsonObject()).keys().mid(0, 3)) {
            if (store.openKey(key, false)) {
                store.hasValue(u"LASTFILE"_s);
                store.readString(u"LASTFILE"_s, text);
                store.readBinary8(u"RVXDATE"_s, bytes);
                store.closeKey();
            }
        }
    }

    state.ProjectName = u"Haus Ä"_s;
    state.DataFolder = Fuzz::scratchFolder();
    state.ProgramFolder = u"/opt/webdef/"_s;
    state.ExecFileDate = 45678.5;
    JsonSettingsStore store(path);
    WriteSettings(state, store);
    Fuzz::check(store.lastWriteSucceeded(), "the settings are written");

    const QByteArray after = Fuzz::readFile(path);
    const std::optional<QJsonObject> written = parsedObject(after);
    Fuzz::check(written.has_value(), "the written settings parse");
    if (before) {
        Fuzz::check(otherKeys(*written) == otherKeys(*before), "the other programs' keys stay as they were",
                    QString::fromUtf8(original) + u"\n----\n"_s + QString::fromUtf8(after));
    } else {
        Fuzz::check(Fuzz::readFile(path + u".bak"_s) == original, "a file that does not parse is kept as the backup");
    }

    // The own values as the store holds them: a read error elsewhere (a value of another type in a
    // sibling's key) empties what ReadSettings gives, by the registry's rules.
    JsonSettingsStore reader(path);
    QString project;
    QString folder;
    QByteArray date;
    Fuzz::check(reader.openKey(SettingsKeys::Own, false) && reader.readString(u"LASTFILE"_s, project) &&
                    reader.readString(u"DIRDAT"_s, folder) && reader.readBinary8(u"RVXDATE"_s, date),
                "the own key reads", QString::fromUtf8(after));
    reader.closeKey();
    double dateValue = 0.0;
    if (date.size() == 8) {
        const quint64 bits = qFromLittleEndian<quint64>(date.constData());
        std::memcpy(&dateValue, &bits, sizeof dateValue);
    }
    Fuzz::check(project == state.ProjectName && folder == state.DataFolder && dateValue == state.ExecFileDate,
                "the settings read back as written", QString::fromUtf8(after));
    return 0;
}
