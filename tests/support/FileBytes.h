#pragma once

#include <QByteArray>
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

// The bytes of a literal that holds NUL bytes, without its terminating NUL.
template <qsizetype N>
QByteArray withNul(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}
