#include "text/RegularFile.h"

#include "text/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

Qt::CaseSensitivity fileNameCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// Whether canonical (a resolved path) lies in folder or below it.
bool isBelow(const QString &canonical, const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    return canonical.startsWith(prefix, fileNameCase());
}

#ifdef Q_OS_WIN
FileCheck openChecked(const QString &target, QFile &file)
{
    const std::wstring name = QDir::toNativeSeparators(target).toStdWString();
    // Shared as editors and the web server share files; a handle to a pipe or device is refused below.
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FileCheck::Missing;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return FileCheck::NotRegular;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return FileCheck::Missing;
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return FileCheck::Missing;
    }
    return FileCheck::Regular;
}
#else
FileCheck openChecked(const QString &target, QFile &file)
{
    // Without O_NONBLOCK opening a pipe waits for a writer; the target is no link any more.
    const int fd = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ELOOP ? FileCheck::NotRegular : FileCheck::Missing;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return folder ? FileCheck::Missing : FileCheck::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileCheck::Missing;
    }
    return FileCheck::Regular;
}
#endif

} // namespace

FileCheck checkRegularFile(const QString &path, QString *target)
{
    if (path.isEmpty())
        return FileCheck::Missing;
    if (path.size() > MaxPathLength)
        return FileCheck::TooLong;
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    // "CON.SHT" and the like are devices in any folder.
    if (isReservedWindowsFileName(info.fileName()) && !info.fileName().endsWith(u'.') && !info.fileName().endsWith(u' '))
        return FileCheck::NotRegular;
#endif
    if (info.isSymbolicLink()) {
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty())
            return FileCheck::NotRegular; // a link to nothing
        const QFileInfo resolved(canonical);
        if (resolved.isDir())
            return FileCheck::Missing;
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (!resolved.isFile() || !isBelow(canonical, folder))
            return FileCheck::NotRegular;
        if (target)
            *target = canonical;
        return FileCheck::Regular;
    }
    if (!info.exists() || info.isDir())
        return FileCheck::Missing;
    if (!info.isFile())
        return FileCheck::NotRegular;
    if (target)
        *target = path;
    return FileCheck::Regular;
}

FileCheck openRegularFile(const QString &path, QFile &file)
{
    QString target;
    const FileCheck check = checkRegularFile(path, &target);
    if (check != FileCheck::Regular)
        return check;
    return openChecked(target, file);
}
