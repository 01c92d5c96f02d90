#pragma once

#include <QChar>
#include <QString>

// Path conventions shared by every file operation.

// The platform's path delimiter: "\" on Windows, "/" elsewhere.
QChar pathDelimiter();

// folder + delimiter when folder does not end with one + name. An empty folder gives the bare
// delimiter, i.e. the file-system root.
QString projectFilePath(const QString &folder, const QString &name);

// folder with a trailing delimiter (added when missing).
QString withTrailingDelimiter(const QString &folder);

// Whether name (a file name without folder) can be a file name on Windows: none of \ / : * ? " < > |
// and no control character.
bool isValidWindowsFileName(QStringView name);

// The number shown in "Fehler %d beim Schreiben der Datei %s" for a file that could not be
// written, the same on every platform: 123 for a name a Windows file name cannot hold, 3 for a
// missing folder or a full name longer than 259 characters, 5 for access denied, otherwise the
// operating system's number (osError, or errno when 0).
int fileErrorNumber(const QString &path, int osError = 0);
