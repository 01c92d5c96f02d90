#pragma once

#include "workspace/SettingsStore.h"

#include <QMap>
#include <QVariant>

// A settings store held in memory, for tests. Key paths and value names are compared without
// regard to letter case, as in the registry. Tests place other programs' keys with setString /
// setBinary / addKey, including values of an unexpected type.
class MemorySettingsStore : public SettingsStore
{
public:
    bool openKey(const QString &path, bool create) override;
    bool hasValue(const QString &name) const override;
    bool readString(const QString &name, QString &value) const override;
    bool readBinary8(const QString &name, QByteArray &value) const override;
    bool writeString(const QString &name, const QString &value) override;
    bool writeBinary8(const QString &name, const QByteArray &value) override;
    void closeKey() override;

    // Direct access without opening a key, for tests: creates the key when missing.
    void addKey(const QString &path);
    void setString(const QString &path, const QString &name, const QString &value);
    void setBinary(const QString &path, const QString &name, const QByteArray &value); // any length
    bool hasKey(const QString &path) const;
    // The stored value (QString or QByteArray), or an invalid QVariant when missing.
    QVariant value(const QString &path, const QString &name) const;

private:
    using Values = QMap<QString, QVariant>; // lower-case name -> QString or QByteArray
    QMap<QString, Values> m_keys;           // lower-case path -> values
    QString m_open;                         // lower-case path of the open key; empty when none
};
