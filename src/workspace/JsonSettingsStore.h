#pragma once

#include "workspace/SettingsStore.h"

#include <QJsonObject>
#include <QString>

// The settings store on systems without the Windows registry: one JSON file holding every key of
// every program of the maker, so other programs' keys can be placed there by a user or a test:
//
//   { "Software\\Quorvant\\FENNARO\\INITALL": { "LASTFILE": {"type": "string", "value": "Haus"},
//                                               "RVXDATE": {"type": "binary", "value": "<16 hex digits>"} } }
//
// A key is an object (present even when empty). Key paths and value names are compared without
// regard to letter case, as in the registry. The file is read when a key is opened and written
// atomically (text/AtomicFile.h) when a key that was changed is closed, so a crash leaves the old
// or the new file. A file that does not parse reads as the keys it completes before the damage
// (none when it is no object at all); before the next write it is copied to "registry.json.bak"
// beside it as it is, and when that copy fails nothing is written.
class JsonSettingsStore : public SettingsStore
{
public:
    explicit JsonSettingsStore(QString filePath = defaultFilePath());
    ~JsonSettingsStore() override;

    // "Quorvant/registry.json" in the user's configuration folder.
    static QString defaultFilePath();
    const QString &filePath() const { return m_path; }

    bool openKey(const QString &path, bool create) override;
    bool hasValue(const QString &name) const override;
    bool readString(const QString &name, QString &value) const override;
    bool readBinary8(const QString &name, QByteArray &value) const override;
    bool writeString(const QString &name, const QString &value) override;
    bool writeBinary8(const QString &name, const QByteArray &value) override;
    void closeKey() override;

    // Whether the last write of the file succeeded (true before any write).
    bool lastWriteSucceeded() const { return m_writeOk; }

private:
    void load();
    bool save();
    QJsonObject openValues() const;
    bool writeValue(const QString &name, const QString &type, const QString &value);

    QString m_path;
    QJsonObject m_root;
    QString m_openKey; // the key's name as spelled in the file; empty when none is open
    bool m_dirty = false;
    bool m_damaged = false; // the file exists but could not be read as a JSON object
    bool m_writeOk = true;
};
