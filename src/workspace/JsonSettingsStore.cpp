#include "workspace/JsonSettingsStore.h"

#include "text/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QList>
#include <QStandardPaths>

#include <algorithm>

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

// The members of the top-level object of a file that breaks off or goes wrong at damageAt: every
// member whose value ended before that point, as if the object had been closed after it. Empty
// when not even the first member is complete.
QJsonObject completeMembersBefore(const QByteArray &bytes, qsizetype damageAt)
{
    // Where each member that is an object or a list ends: the object can be closed after it.
    QList<qsizetype> ends;
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < std::min(damageAt, bytes.size()); ++i) {
        const char c = bytes.at(i);
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth == 1)
                ends.append(i + 1);
        }
    }
    for (qsizetype k = ends.size() - 1; k >= 0; --k) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(bytes.left(ends.at(k)) + '}', &error);
        if (error.error == QJsonParseError::NoError && document.isObject())
            return document.object();
    }
    return QJsonObject();
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
    const QByteArray bytes = file.readAll();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError && document.isObject()) {
        m_root = document.object();
        return;
    }
    m_damaged = true;
    // A file cut short keeps the keys written before the cut, the last project among them.
    if (error.error != QJsonParseError::NoError)
        m_root = completeMembersBefore(bytes, error.offset);
}

bool JsonSettingsStore::save()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_damaged && QFile::exists(m_path)) {
        // Set aside as it is: whatever it held that could not be read stays there.
        QFile damaged(m_path);
        if (!damaged.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = damaged.readAll();
        if (damaged.error() != QFileDevice::NoError ||
            writeFileAtomically(m_path + u".bak"_s, bytes) != WriteStatus::Ok)
            return false;
    }
    if (writeFileAtomically(m_path, QJsonDocument(m_root).toJson(QJsonDocument::Indented)) != WriteStatus::Ok)
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
