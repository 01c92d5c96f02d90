#pragma once

#include <QString>

class QFile;

// Files that come from elsewhere (archives, shares, sticks) are read and replaced only when they
// are regular files. A symbolic link counts when its target is a regular file in the link's own
// folder or below it; the target is then what is read or replaced, and the link stays. Devices,
// pipes, sockets, links that point out of their folder or nowhere are refused; a folder counts as
// no file at all. Opening never waits: a pipe without a writer would block for ever.

// Windows keeps full file names below this length (MAX_PATH without its terminating zero); no
// platform opens a longer one, so a project behaves the same everywhere.
inline constexpr qsizetype MaxPathLength = 259;

enum class FileCheck {
    Regular,    // a regular file, or a link to one in its folder
    Missing,    // nothing there, an empty name, or a folder
    NotRegular, // a device, pipe or socket, or a link to one, out of the folder, or to nothing
    TooLong,    // a full name longer than MaxPathLength
};

// What path names. *target (may be nullptr) receives the file to use for a regular one: path
// itself, or the link's target.
FileCheck checkRegularFile(const QString &path, QString *target = nullptr);

// Opens path for reading as checkRegularFile allows, unbuffered, without waiting. The opened file
// is checked once more, so a file swapped for a pipe after the check is refused all the same. A file
// that is there but cannot be opened counts as Missing.
FileCheck openRegularFile(const QString &path, QFile &file);
