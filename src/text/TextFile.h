#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Reading and writing the system's text files: Windows-1252, lines ended by CR LF when written; LF
// alone and CR alone (as old editors write) accepted as line ends when read. Every file is written
// whole and atomically. Only regular files are read and written (text/RegularFile.h).

enum class ReadStatus {
    Ok,
    NotFound,   // missing, unreadable, a folder or an empty name: the caller's own "not found" text
    NotRegular, // a device, pipe, socket or a link out of its folder: not read, see readFailureMessage
    TooLong,    // a full name longer than 259 characters: see readFailureMessage
};

// How much of a line a reader keeps. The rest of a longer line is dropped while it is read, so a
// file of one endless line needs no more memory than this; the full length is still told.
struct LineLimit
{
    qsizetype maxChars = 1 << 20;
    bool keepTail = false; // keep the last maxChars characters instead of the first

    // Key=value lines: a key (its "=" lies within the first 255 characters) and a value of 1023.
    static LineLimit keyValue() { return {256 + 1023, false}; }
};

// Receives each line in order: text is one buffer used again for the next line (the callee may
// change it or swap it with a string of its own, and copies what it keeps), length the line's
// length before the limit cut it.
using LineHandler = std::function<void(QString &text, qsizetype length)>;

// Reads path line by line. Anything but Ok means nothing was read. An input/output failure after
// opening throws OperationError("E/A-Fehler <n>: <path>").
ReadStatus readTextFileLines(const QString &path, const LineHandler &line, LineLimit limit = {});

// readTextFileLines keeping every line (each cut to limit).
ReadStatus readTextFile(const QString &path, QStringList &lines, LineLimit limit = {});

// The message for a file that was not read: notFound (with %1 the path) for NotFound, the
// system's own text for the others.
QString readFailureMessage(ReadStatus status, const QString &path, const QString &notFound);

enum class WriteStatus {
    Ok,
    CreateFailed, // the file could not be created: nothing was written, the old file is untouched
    WriteFailed,  // writing or committing failed: the old file is untouched
    NotRegular,   // a device, pipe, socket or a link out of its folder is there: nothing was written
};

// Writes lines, each followed by CR LF, with writeFileAtomically (text/AtomicFile.h). On failure
// *errorNumber receives the number for "Fehler %d beim Schreiben der Datei %s" (see fileErrorNumber).
WriteStatus writeTextFile(const QString &path, const QStringList &lines, int *errorNumber = nullptr);

class Prompt;

// writeTextFile for a save: a file that cannot be created is reported with "Fehler %d beim
// Schreiben der Datei %s" (a name longer than 259 characters says so too) and gives false, as does
// a place that holds no regular file; a failure half-way throws OperationError("E/A-Fehler %d:
// <path>"). Either way the old file is untouched.
bool writeTextFileReported(const QString &path, const QStringList &lines, Prompt &prompt);

// Shows "Fehler %d beim Schreiben der Datei %s" for path; for a name longer than 259 characters a
// second line says that this is why.
void reportWriteFailed(Prompt &prompt, const QString &path, int errorNumber);
