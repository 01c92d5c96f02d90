#include "text/FilePaths.h"

#include "text/RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace {

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

bool isExistingFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString withTrailingDelimiter(const QString &folder)
{
    const QString native = nativePath(folder);
    if (native.endsWith(pathDelimiter()))
        return native;
    return native + pathDelimiter();
}

QString projectFilePath(const QString &folder, const QString &name)
{
    return withTrailingDelimiter(folder) + name;
}

namespace ProjectFiles {
QString projectFile(const QString &folder, const QString &project)
{
    return projectFilePath(folder, project + ProjectSuffix);
}

QString userListFile(const QString &folder, const QString &project)
{
    return projectFilePath(folder, project + UserListSuffix);
}

QString pageFile(const QString &folder, const QString &project, const QString &page)
{
    return projectFilePath(folder, pageFileName(project, page));
}

QString pageFileName(const QString &project, const QString &page)
{
    return project + u'_' + page + PageSuffix;
}
} // namespace ProjectFiles

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

bool isReservedWindowsFileName(QStringView name)
{
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return true;
    const QStringView stem = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    static const QStringList Devices = {u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    if (Devices.contains(stem, Qt::CaseInsensitive))
        return true;
    return stem.size() == 4 && (stem.startsWith(u"COM", Qt::CaseInsensitive) || stem.startsWith(u"LPT", Qt::CaseInsensitive)) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

int fileErrorNumber(const QString &path, int osError)
{
    const qsizetype delimiter = lastDelimiter(path);
    const QString name = path.mid(delimiter + 1);
    if (!isValidWindowsFileName(name) || isReservedWindowsFileName(name))
        return FileError::InvalidName;
    if (path.size() > MaxPathLength)
        return FileError::PathNotFound;
    const QString folder = delimiter < 0 ? QDir::currentPath() : path.left(delimiter + 1);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists() || !folderInfo.isDir())
        return FileError::PathNotFound;
    if (osError == 0)
        osError = errno;
    const QFileInfo fileInfo(path);
    if (osError == EACCES || osError == EPERM || osError == EROFS || !folderInfo.isWritable()
        || (fileInfo.exists() && (!fileInfo.isWritable() || fileInfo.isDir())))
        return FileError::AccessDenied;
    if (osError == ENOENT || osError == ENOTDIR)
        return FileError::PathNotFound;
    return osError != 0 ? osError : FileError::AccessDenied;
}
