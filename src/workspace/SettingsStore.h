#pragma once

#include <QByteArray>
#include <QString>

// The per-user settings store: keys named by a path below the current user's root (parts separated
// by "\"), each holding named values that keep their type (string or binary). One key is open at a
// time, as with the operating system's registry; opening another key closes the one open.
//
// Reading a value that is missing is no error: it reads as an empty string. Reading a value of the
// other type, or a binary value that is not exactly 8 bytes long, is a read error (false).
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Opens the key at path; with create, a missing key is created (empty). Returns whether a key
    // is open afterwards.
    virtual bool openKey(const QString &path, bool create) = 0;
    // Whether the open key has a value of that name (of any type). False when no key is open.
    virtual bool hasValue(const QString &name) const = 0;
    // False on a read error (see above) or when no key is open; value is then unchanged.
    virtual bool readString(const QString &name, QString &value) const = 0;
    virtual bool readBinary8(const QString &name, QByteArray &value) const = 0;
    // Returns false when the value could not be written (no key open, the store refused it).
    virtual bool writeString(const QString &name, const QString &value) = 0;
    // value must be 8 bytes long.
    virtual bool writeBinary8(const QString &name, const QByteArray &value) = 0;
    // Closes the open key; stores that write lazily write now. Closing with no key open does nothing.
    virtual void closeKey() = 0;
};
