#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

// Raw file access for tests that compare or prepare files byte for byte.

// The file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes bytes as they stand (no line-end or encoding conversion).
inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// path as the program shows and stores it: with the platform's delimiters ("C:\\x\\HAUS.FNP" for
// "C:/x/HAUS.FNP" on Windows, unchanged elsewhere).
inline QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The bytes of a literal that holds NUL bytes, without its terminating NUL.
template <qsizetype N>
QByteArray withNul(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}
