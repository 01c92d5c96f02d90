#include "workspace/JsonSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString TypeField = u"type"_s;
const QString ValueField = u"value"_s;
const QString StringType = u"string"_s;
const QString BinaryType = u"binary"_s;

// The member of object whose name equals name without regard to letter case; empty when none.
QString findMember(const QJsonObject &object, const QString &name)
{
    if (object.contains(name))
        return name;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return QString();
}

bool isHexDigits(const QString &text)
{
    for (const QChar c : text) {
        if (!(c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}
} // namespace

JsonSettingsStore::JsonSettingsStore(QString filePath) : m_path(std::move(filePath)) {}

JsonSettingsStore::~JsonSettingsStore()
{
    closeKey();
}

QString JsonSettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Quorvant/registry.json"_s;
}

void JsonSettingsStore::load()
{
    m_root = QJsonObject();
    m_damaged = false;
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = true;
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        m_damaged = true;
        return;
    }
    m_root = document.object();
}

bool JsonSettingsStore::save()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_damaged && QFile::exists(m_path)) {
        const QString backup = m_path + u".bak"_s;
        QFile::remove(backup);
        if (!QFile::copy(m_path, backup))
            return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QJsonDocument(m_root).toJson(QJsonDocument::Indented);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    m_damaged = false;
    return true;
}

bool JsonSettingsStore::openKey(const QString &path, bool create)
{
    closeKey();
    load();
    QString name = findMember(m_root, path);
    if (name.isEmpty() || !m_root.value(name).isObject()) {
        if (!create)
            return false;
        if (name.isEmpty())
            name = path;
        m_root.insert(name, QJsonObject());
        m_dirty = true;
    }
    m_openKey = name;
    return true;
}

QJsonObject JsonSettingsStore::openValues() const
{
    return m_root.value(m_openKey).toObject();
}

bool JsonSettingsStore::hasValue(const QString &name) const
{
    return !m_openKey.isEmpty() && !findMember(openValues(), name).isEmpty();
}

bool JsonSettingsStore::readString(const QString &name, QString &value) const
{
    if (m_openKey.isEmpty())
        return false;
    const QJsonObject values = openValues();
    const QString member = findMember(values, name);
    if (member.isEmpty()) {
        value.clear();
        return true;
    }
    const QJsonObject entry = values.value(member).toObject();
    if (entry.value(TypeField).toString() != StringType || !entry.value(ValueField).isString())
        return false;
    value = entry.value(ValueField).toString();
    return true;
}

bool JsonSettingsStore::readBinary8(const QString &name, QByteArray &value) const
{
    if (m_openKey.isEmpty())
        return false;
    const QJsonObject values = openValues();
    const QString member = findMember(values, name);
    if (member.isEmpty()) {
        value.clear();
        return true;
    }
    const QJsonObject entry = values.value(member).toObject();
    const QString hex = entry.value(ValueField).toString();
    if (entry.value(TypeField).toString() != BinaryType || hex.size() != 16 || !isHexDigits(hex))
        return false;
    value = QByteArray::fromHex(hex.toLatin1());
    return true;
}

bool JsonSettingsStore::writeValue(const QString &name, const QString &type, const QString &value)
{
    if (m_openKey.isEmpty())
        return false;
    QJsonObject values = openValues();
    QString member = findMember(values, name);
    if (member.isEmpty())
        member = name;
    values.insert(member, QJsonObject{{TypeField, type}, {ValueField, value}});
    m_root.insert(m_openKey, values);
    m_dirty = true;
    return true;
}

bool JsonSettingsStore::writeString(const QString &name, const QString &value)
{
    return writeValue(name, StringType, value);
}

bool JsonSettingsStore::writeBinary8(const QString &name, const QByteArray &value)
{
    if (value.size() != 8)
        return false;
    return writeValue(name, BinaryType, QString::fromLatin1(value.toHex()));
}

void JsonSettingsStore::closeKey()
{
    if (m_dirty)
        m_writeOk = save();
    m_dirty = false;
    m_openKey.clear();
}
