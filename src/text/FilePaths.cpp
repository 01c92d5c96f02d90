#include "text/FilePaths.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {
// Windows keeps full file names below this length (MAX_PATH including the terminating zero).
constexpr qsizetype MaxPathLength = 259;

constexpr int ErrorPathNotFound = 3;
constexpr int ErrorAccessDenied = 5;
constexpr int ErrorInvalidName = 123;

qsizetype lastDelimiter(const QString &path)
{
    qsizetype p = path.lastIndexOf(pathDelimiter());
#ifdef Q_OS_WIN
    p = std::max(p, path.lastIndexOf(u'/'));
#endif
    return p;
}
} // namespace

QChar pathDelimiter()
{
#ifdef Q_OS_WIN
    return u'\\';
#else
    return u'/';
#endif
}

QString withTrailingDelimiter(const QString &folder)
{
    if (folder.endsWith(pathDelimiter()))
        return folder;
    return folder + pathDelimiter();
}

QString projectFilePath(const QString &folder, const QString &name)
{
    return withTrailingDelimiter(folder) + name;
}

bool isValidWindowsFileName(QStringView name)
{
    for (const QChar c : name) {
        if (c.unicode() < 32)
            return false;
        switch (c.unicode()) {
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|':
            return false;
        default:
            break;
        }
    }
    return true;
}

int fileErrorNumber(const QString &path, int osError)
{
    const qsizetype delimiter = lastDelimiter(path);
    const QString name = path.mid(delimiter + 1);
    if (!isValidWindowsFileName(name))
        return ErrorInvalidName;
    if (path.size() > MaxPathLength)
        return ErrorPathNotFound;
    const QString folder = delimiter < 0 ? QDir::currentPath() : path.left(delimiter + 1);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists() || !folderInfo.isDir())
        return ErrorPathNotFound;
    if (osError == 0)
        osError = errno;
    const QFileInfo fileInfo(path);
    if (osError == EACCES || osError == EPERM || osError == EROFS || !folderInfo.isWritable()
        || (fileInfo.exists() && (!fileInfo.isWritable() || fileInfo.isDir())))
        return ErrorAccessDenied;
    if (osError == ENOENT || osError == ENOTDIR)
        return ErrorPathNotFound;
    return osError != 0 ? osError : ErrorAccessDenied;
}
