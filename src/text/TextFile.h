#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Reading and writing the system's text files: Windows-1252, lines ended by CR LF when written,
// LF alone accepted when read. Every file is written whole and atomically.

// Reads all lines of path. Returns false when the file cannot be opened (missing, unreadable, a
// folder, or a full name longer than 259 characters); the caller reports that with its own text.
// An input/output failure after opening throws OperationError("E/A-Fehler <n>").
bool readTextFile(const QString &path, QStringList &lines);

// readTextFile without keeping the lines: line(text) is called for each line in order. text is
// one buffer used again for the next line: the callee may change it or swap it with a string of
// its own, and copies what it keeps. Same results and failures as readTextFile.
bool readTextFileLines(const QString &path, const std::function<void(QString &text)> &line);

enum class WriteStatus {
    Ok,
    CreateFailed, // the file could not be created: nothing was written, the old file is untouched
    WriteFailed,  // writing or committing failed: the old file is untouched
};

// Writes lines, each followed by CR LF, with writeFileAtomically (text/AtomicFile.h). On failure
// *errorNumber receives the number for "Fehler %d beim Schreiben der Datei %s" (see fileErrorNumber).
WriteStatus writeTextFile(const QString &path, const QStringList &lines, int *errorNumber = nullptr);

class Prompt;

// writeTextFile for a save: a file that cannot be created is reported with "Fehler %d beim
// Schreiben der Datei %s" and gives false; a failure half-way throws OperationError("E/A-Fehler %d").
// Either way the old file is untouched.
bool writeTextFileReported(const QString &path, const QStringList &lines, Prompt &prompt);

// Shows "Fehler %d beim Schreiben der Datei %s" for path.
void reportWriteFailed(Prompt &prompt, const QString &path, int errorNumber);
