#pragma once

#include <QChar>
#include <QString>

// Path conventions shared by every file operation.

// The platform's path delimiter: "\" on Windows, "/" elsewhere.
QChar pathDelimiter();

// Every path the program shows or stores uses the platform's delimiters: a folder typed or stored
// with "/" on Windows becomes one with "\", so a message or a file never mixes the two.
QString nativePath(const QString &path);

// folder (in native form) + delimiter when folder does not end with one + name. An empty folder
// gives the bare delimiter, i.e. the file-system root.
QString projectFilePath(const QString &folder, const QString &name);

// The files of a project in its data folder: project + ".FNP", project + "_WEBUSERS.USR",
// project + "_" + page + ".SHT".
namespace ProjectFiles {
inline const QString ProjectSuffix = QStringLiteral(".FNP");
inline const QString UserListSuffix = QStringLiteral("_WEBUSERS.USR");
inline const QString PageSuffix = QStringLiteral(".SHT");

QString projectFile(const QString &folder, const QString &project);
QString userListFile(const QString &folder, const QString &project);
QString pageFile(const QString &folder, const QString &project, const QString &page);
// The page file's name without a folder.
QString pageFileName(const QString &project, const QString &page);
} // namespace ProjectFiles

// Whether path names an existing file (a folder of that name does not count).
bool isExistingFile(const QString &path);

// folder in native form with a trailing delimiter (added when missing).
QString withTrailingDelimiter(const QString &folder);

// Whether name (a file name without folder) can be a file name on Windows: none of \ / : * ? " < > |
// and no control character.
bool isValidWindowsFileName(QStringView name);

// Whether name (a file name without folder) names a device on Windows or is changed by it: CON,
// PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 with any extension ("CON.FNP" is the console), or a
// name ending in a dot or a blank (Windows drops them). Such a file is never written.
bool isReservedWindowsFileName(QStringView name);

// Numbers of "Fehler %d beim Schreiben der Datei %s" that are the same on every platform.
namespace FileError {
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int InvalidName = 123;
} // namespace FileError

// The number shown in "Fehler %d beim Schreiben der Datei %s" for a file that could not be
// written, the same on every platform: 123 for a name a Windows file name cannot hold (or a
// reserved one), 3 for a
// missing folder or a full name longer than 259 characters, 5 for access denied, otherwise the
// operating system's number (osError, or errno when 0).
int fileErrorNumber(const QString &path, int osError = 0);
