#include "text/AtomicFile.h"

#include "text/FilePaths.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace {

int errnoOr(QFileDevice::FileError fallback)
{
    return errno != 0 ? errno : int(fallback);
}

// QSaveFile, opened unbuffered: write, check, commit. The caller has set errno to 0.
WriteStatus commitThroughSaveFile(QSaveFile &file, const QByteArray &bytes, int &number)
{
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        number = errnoOr(file.error());
        file.cancelWriting();
        return WriteStatus::WriteFailed;
    }
    if (!file.commit()) {
        number = errnoOr(file.error());
        return WriteStatus::WriteFailed;
    }
    return WriteStatus::Ok;
}

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

QString atomicStagingPath(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + u"/.~"_s + info.fileName();
}

WriteStatus writeFileAtomically(const QString &path, const QByteArray &bytes, int *errorNumber)
{
    int number = 0;
    const auto result = [&](WriteStatus status) {
        if (errorNumber)
            *errorNumber = status == WriteStatus::Ok ? 0 : number;
        return status;
    };

    const QFileInfo target(path);
    // QSaveFile refuses to replace these; the staged write must refuse them as well.
    if (target.isDir() || (target.exists() && !target.isWritable())) {
        number = fileErrorNumber(path, EACCES);
        return result(WriteStatus::CreateFailed);
    }
    const bool staged = !target.isSymLink();
    const QString staging = staged ? atomicStagingPath(path) : path;
    // A copy that an interrupted save left behind.
    if (staged)
        QFile::remove(staging);

    QSaveFile file(staging);
    errno = 0;
    // Unbuffered: a write that fails (a full disk) fails here. Buffered, the bytes would only be
    // written while committing, and QSaveFile commits a file whose last write failed as if all
    // were well, putting an empty or cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        number = fileErrorNumber(path, errno);
        return result(WriteStatus::CreateFailed);
    }
    errno = 0;
    const WriteStatus committed = commitThroughSaveFile(file, bytes, number);
    if (committed != WriteStatus::Ok || !staged)
        return result(committed);

    if (target.exists())
        QFile::setPermissions(staging, target.permissions());
    std::error_code error;
    std::filesystem::rename(nativePath(staging), nativePath(path), error);
    if (error) {
        number = error.value();
        QFile::remove(staging);
        return result(WriteStatus::WriteFailed);
    }
    return result(WriteStatus::Ok);
}
