#include "workspace/MemorySettingsStore.h"

bool MemorySettingsStore::openKey(const QString &path, bool create)
{
    closeKey();
    const QString key = path.toLower();
    if (!m_keys.contains(key)) {
        if (!create)
            return false;
        m_keys.insert(key, Values());
    }
    m_open = key;
    return true;
}

bool MemorySettingsStore::hasValue(const QString &name) const
{
    return !m_open.isEmpty() && m_keys.value(m_open).contains(name.toLower());
}

bool MemorySettingsStore::readString(const QString &name, QString &value) const
{
    if (m_open.isEmpty())
        return false;
    const QVariant stored = m_keys.value(m_open).value(name.toLower());
    if (!stored.isValid()) {
        value.clear();
        return true;
    }
    if (stored.typeId() != QMetaType::QString)
        return false;
    value = stored.toString();
    return true;
}

bool MemorySettingsStore::readBinary8(const QString &name, QByteArray &value) const
{
    if (m_open.isEmpty())
        return false;
    const QVariant stored = m_keys.value(m_open).value(name.toLower());
    if (!stored.isValid()) {
        value.clear();
        return true;
    }
    if (stored.typeId() != QMetaType::QByteArray || stored.toByteArray().size() != 8)
        return false;
    value = stored.toByteArray();
    return true;
}

bool MemorySettingsStore::writeString(const QString &name, const QString &value)
{
    if (m_open.isEmpty())
        return false;
    m_keys[m_open].insert(name.toLower(), value);
    return true;
}

bool MemorySettingsStore::writeBinary8(const QString &name, const QByteArray &value)
{
    if (m_open.isEmpty() || value.size() != 8)
        return false;
    m_keys[m_open].insert(name.toLower(), value);
    return true;
}

void MemorySettingsStore::closeKey()
{
    m_open.clear();
}

void MemorySettingsStore::addKey(const QString &path)
{
    m_keys[path.toLower()];
}

void MemorySettingsStore::setString(const QString &path, const QString &name, const QString &value)
{
    m_keys[path.toLower()].insert(name.toLower(), value);
}

void MemorySettingsStore::setBinary(const QString &path, const QString &name, const QByteArray &value)
{
    m_keys[path.toLower()].insert(name.toLower(), value);
}

bool MemorySettingsStore::hasKey(const QString &path) const
{
    return m_keys.contains(path.toLower());
}

QVariant MemorySettingsStore::value(const QString &path, const QString &name) const
{
    return m_keys.value(path.toLower()).value(name.toLower());
}
