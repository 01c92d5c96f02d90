#include "workspace/RegistrySettingsStore.h"

#ifdef Q_OS_WIN

#include <qt_windows.h>

#ifdef _MSC_VER
#pragma comment(lib, "advapi32.lib")
#endif

namespace {
HKEY handle(void *key)
{
    return static_cast<HKEY>(key);
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}
} // namespace

RegistrySettingsStore::~RegistrySettingsStore()
{
    closeKey();
}

bool RegistrySettingsStore::openKey(const QString &path, bool create)
{
    closeKey();
    const QString full = m_base.isEmpty() ? path : m_base + u'\\' + path;
    HKEY key = nullptr;
    LONG result;
    if (create) {
        result = RegCreateKeyExW(HKEY_CURRENT_USER, wide(full), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr);
    } else {
        result = RegOpenKeyExW(HKEY_CURRENT_USER, wide(full), 0, KEY_ALL_ACCESS, &key);
    }
    if (result != ERROR_SUCCESS)
        return false;
    m_key = key;
    return true;
}

bool RegistrySettingsStore::hasValue(const QString &name) const
{
    return m_key && RegQueryValueExW(handle(m_key), wide(name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::readString(const QString &name, QString &value) const
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(handle(m_key), wide(name), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) {
        value.clear();
        return true;
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    QByteArray buffer(qsizetype(size), '\0');
    result =
        RegQueryValueExW(handle(m_key), wide(name), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &size);
    if (result != ERROR_SUCCESS)
        return false;
    // The stored text may or may not end with its terminating zero.
    QString text(reinterpret_cast<const QChar *>(buffer.constData()), qsizetype(size / sizeof(wchar_t)));
    while (text.endsWith(QChar(0)))
        text.chop(1);
    value = text;
    return true;
}

bool RegistrySettingsStore::readBinary8(const QString &name, QByteArray &value) const
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(handle(m_key), wide(name), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) {
        value.clear();
        return true;
    }
    if (result != ERROR_SUCCESS || type != REG_BINARY || size != 8)
        return false;
    QByteArray buffer(8, '\0');
    result =
        RegQueryValueExW(handle(m_key), wide(name), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &size);
    if (result != ERROR_SUCCESS || size != 8)
        return false;
    value = buffer;
    return true;
}

bool RegistrySettingsStore::writeString(const QString &name, const QString &value)
{
    if (!m_key)
        return false;
    const DWORD size = DWORD((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(handle(m_key), wide(name), 0, REG_SZ, reinterpret_cast<const BYTE *>(wide(value)), size) ==
           ERROR_SUCCESS;
}

bool RegistrySettingsStore::writeBinary8(const QString &name, const QByteArray &value)
{
    if (!m_key || value.size() != 8)
        return false;
    return RegSetValueExW(handle(m_key), wide(name), 0, REG_BINARY, reinterpret_cast<const BYTE *>(value.constData()),
                          8) == ERROR_SUCCESS;
}

void RegistrySettingsStore::closeKey()
{
    if (m_key)
        RegCloseKey(handle(m_key));
    m_key = nullptr;
}

#endif
