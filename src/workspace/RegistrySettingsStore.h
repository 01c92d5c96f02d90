#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "workspace/SettingsStore.h"

#include <QString>

// The settings store on Windows: keys below HKEY_CURRENT_USER, strings as REG_SZ, binary values as
// REG_BINARY. Keys are opened with full access rights, also for reading.
class RegistrySettingsStore : public SettingsStore
{
public:
    // Keys lie below HKEY_CURRENT_USER\base when base is given (tests keep to a key of their own).
    explicit RegistrySettingsStore(const QString &base = QString()) : m_base(base) {}
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore &) = delete;
    RegistrySettingsStore &operator=(const RegistrySettingsStore &) = delete;

    bool openKey(const QString &path, bool create) override;
    bool hasValue(const QString &name) const override;
    bool readString(const QString &name, QString &value) const override;
    bool readBinary8(const QString &name, QByteArray &value) const override;
    bool writeString(const QString &name, const QString &value) override;
    bool writeBinary8(const QString &name, const QByteArray &value) override;
    void closeKey() override;

private:
    QString m_base;
    void *m_key = nullptr; // HKEY of the open key
};

#endif
