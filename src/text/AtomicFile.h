#pragma once

#include "text/TextFile.h"

#include <QByteArray>
#include <QString>

// Replaces a file so that at every moment it holds either its complete old or its complete new
// content, and an interrupted save (a crash, a kill) leaves nothing beside it that a user sees.
//
// The bytes are committed through QSaveFile under a hidden name beside the file (a dot, a tilde,
// the file's name), which then replaces the file in one rename. QSaveFile alone would be atomic as
// well, but where the file exists it links its finished temporary file under a visible name
// ("<name>.XXXXXX") for the moment before its own rename. A file reached through a symbolic link is
// written through QSaveFile alone, which writes the link's target.

// The hidden name the bytes for path are committed under before they replace it.
QString atomicStagingPath(const QString &path);

// Writes bytes to path as above. CreateFailed: the file could not be created (a missing folder, no
// access, a folder or a read-only file of that name); WriteFailed: writing, committing or the final
// rename failed. Either way the old file is untouched and nothing is left beside it; *errorNumber
// (may be nullptr) receives the number of "Fehler %d beim Schreiben der Datei %s" for CreateFailed
// (see fileErrorNumber) and the operating system's error number for WriteFailed.
WriteStatus writeFileAtomically(const QString &path, const QByteArray &bytes, int *errorNumber = nullptr);
