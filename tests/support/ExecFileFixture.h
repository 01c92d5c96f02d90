#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Execution files for tests, written into a folder the test owns (a QTemporaryDir).

// Writes readable lines as an execution file folder/name: the first line is the plain header,
// the others are scrambled with the key it carries. Returns the path, or an empty string (with
// *error) when a line cannot be scrambled or the file cannot be written.
QString writeExecFile(const QString &folder, const QString &name, const QStringList &lines, QString *error = nullptr);

// Writes bytes unchanged as folder/name and returns the path (empty on failure).
QString writeRawFile(const QString &folder, const QString &name, const QByteArray &bytes);

// A header line carrying key, e.g. "@QZR482 - Test" + key character + "*".
QString testHeader(quint8 key);
