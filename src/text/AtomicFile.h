#pragma once

#include "text/TextFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Replaces a file so that at every moment it holds either its complete old or its complete new
// content, and an interrupted save (a crash, a kill) leaves nothing beside it that a user sees.
//
// The bytes are committed through QSaveFile under a hidden name of this writer's own beside the
// file (".~" + the file's name + ".~" + this machine, process and write), which then replaces the
// file in one rename. QSaveFile alone would be atomic as well, but where the file exists it links
// its finished temporary file under a visible name ("<name>.XXXXXX") for the moment before its
// own rename. The name is this writer's alone, so two programs saving the same file at once never
// take each other's copy: the later rename wins, and each file stays whole. On Windows, where a
// leading dot hides nothing, the copy carries the hidden attribute while it exists.
//
// A file reached through a symbolic link into its own folder is replaced in its target's folder,
// and the link stays a link; any other place that holds no regular file is refused
// (text/RegularFile.h).

// The hidden names a write of path uses start with this: the folder, "/.~" and the file's name.
QString atomicStagingPrefix(const QString &path);
// The hidden name of write number write of path by process pid on this machine, or on the machine
// whose tag is given.
QString atomicStagingPath(const QString &path, qint64 pid, quint64 write, const QString &machine = QString());

// Writes bytes to path as above. CreateFailed: the file could not be created (a missing folder, no
// access, a folder or a read-only file of that name); WriteFailed: writing, committing or the final
// rename failed; NotRegular: a device, pipe, socket or foreign link is there. Either way the old
// file is untouched and nothing is left beside it; *errorNumber (may be nullptr) receives the
// number of "Fehler %d beim Schreiben der Datei %s" for CreateFailed (see fileErrorNumber) and the
// operating system's error number for WriteFailed.
WriteStatus writeFileAtomically(const QString &path, const QByteArray &bytes, int *errorNumber = nullptr);

// One file of writeFilesAtomically: its new bytes, and the bytes it holds now, which it gets back
// should the write fail for a file after it.
struct FileReplacement
{
    QString path;
    QByteArray bytes;
    QByteArray previous;
};

// Writes several files so that either every one holds its new bytes or every one keeps its old:
// each new file is written to its hidden copy first, as writeFileAtomically does, and only once
// every copy is complete do the copies replace the files, one rename each. Should a rename fail,
// the files replaced before it get their previous bytes back (a file that did not exist goes
// again). Returns Ok, or the status of the file that failed, its position in *failed and its error
// number in *errorNumber (either may be nullptr).
WriteStatus writeFilesAtomically(const QList<FileReplacement> &files, qsizetype *failed = nullptr,
                                 int *errorNumber = nullptr);

// Removes what interrupted writes of path left beside it: copies of writers that no longer run on
// this machine, of other machines once they are a day old, and the copies earlier versions named
// ".~NAME" and ".~NAME.XXXXXX". Copies of a write still under way elsewhere stay. Returns how many
// were removed.
int removeStagingLeftovers(const QString &path);
