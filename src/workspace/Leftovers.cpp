#include "workspace/Leftovers.h"

#include "text/AtomicFile.h"
#include "text/FilePaths.h"

#include <QDir>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The file a hidden copy ".~<file>..." stands for, when it is one of the project's kinds of files:
// the part up to the last file suffix of the system.
QString copiedFile(const QString &copyName)
{
    const QString rest = copyName.mid(2);
    qsizetype end = -1;
    for (const QString &suffix : {ProjectFiles::ProjectSuffix, ProjectFiles::UserListSuffix, ProjectFiles::PageSuffix}) {
        const qsizetype at = rest.lastIndexOf(suffix, -1, Qt::CaseInsensitive);
        if (at >= 0)
            end = std::max(end, at + suffix.size());
    }
    return end < 0 ? QString() : rest.left(end);
}

} // namespace

int removeProjectLeftovers(const QString &dataFolder, const QString &project)
{
    if (project.isEmpty())
        return 0;
    const QDir folder(dataFolder.isEmpty() ? QDir::rootPath() : dataFolder);
    const QString pagePrefix = project + u'_';
    // Projects whose names begin with this one's and "_": their pages look like pages of this one.
    QStringList longerProjects;
    for (const QString &name : folder.entryList({u"*"_s + ProjectFiles::ProjectSuffix}, QDir::Files)) {
        const QString other = name.chopped(ProjectFiles::ProjectSuffix.size());
        if (other.startsWith(pagePrefix, Qt::CaseInsensitive))
            longerProjects << other + u'_';
    }
    const auto isProjectFile = [&](const QString &file) {
        if (file.compare(project + ProjectFiles::ProjectSuffix, Qt::CaseInsensitive) == 0 ||
            file.compare(project + ProjectFiles::UserListSuffix, Qt::CaseInsensitive) == 0)
            return true;
        if (!file.startsWith(pagePrefix, Qt::CaseInsensitive) ||
            !file.endsWith(ProjectFiles::PageSuffix, Qt::CaseInsensitive))
            return false;
        return std::none_of(longerProjects.cbegin(), longerProjects.cend(),
                            [&file](const QString &p) { return file.startsWith(p, Qt::CaseInsensitive); });
    };

    QSet<QString> files;
    const QStringList copies =
        folder.entryList({u".~"_s + project + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &copy : copies) {
        const QString file = copiedFile(copy);
        if (!file.isEmpty() && isProjectFile(file))
            files.insert(file);
    }
    int removed = 0;
    for (const QString &file : std::as_const(files))
        removed += removeStagingLeftovers(folder.filePath(file));
    return removed;
}
