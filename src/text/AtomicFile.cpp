#include "text/AtomicFile.h"

#include "text/FilePaths.h"
#include "text/RegularFile.h"
#include "text/SystemError.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>

#include <atomic>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <cstdio>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

// Between the file's name and the writer's mark in a hidden copy's name.
const QString WriterMark = u".~"_s;
constexpr qint64 ForeignLeftoverAgeSecs = 24 * 60 * 60;

int errnoOr(QFileDevice::FileError fallback)
{
    return lastSystemError(int(fallback));
}

// This machine in a few characters: copies of other machines (a shared folder) are told apart.
const QString &machineTag()
{
    static const QString tag = QString::fromLatin1(
        QCryptographicHash::hash(QSysInfo::machineHostName().toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    return tag;
}

qint64 processId()
{
#ifdef Q_OS_WIN
    return qint64(GetCurrentProcessId());
#else
    return qint64(::getpid());
#endif
}

bool isProcessRunning(qint64 pid)
{
    if (pid == processId())
        return true;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#endif
}

// A name of this writer's own for one write of path.
QString stagingPath(const QString &path)
{
    static std::atomic<quint64> writes{0};
    return atomicStagingPath(path, processId(), ++writes);
}

#ifdef Q_OS_WIN
std::wstring nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The hidden attribute of the open file, set through its handle as soon as it exists.
void hideOpenFile(QSaveFile &file)
{
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    FILE_BASIC_INFO info{};
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info))
        return;
    info.FileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info);
}

bool replaceFile(const QString &from, const QString &to, int &number)
{
    // The copy shows again before it takes the file's place: a rename keeps the attributes.
    const std::wstring source = nativeName(from);
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(source.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN));
    if (MoveFileExW(source.c_str(), nativeName(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    number = int(GetLastError());
    return false;
}
#else
void hideOpenFile(QSaveFile &)
{
    // The leading dot hides it.
}

bool replaceFile(const QString &from, const QString &to, int &number)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    number = errno;
    return false;
}
#endif

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

// The writer's mark of a copy's name: machine tag and process id; false for a name without one.
bool writerOf(const QString &mark, QString &machine, qint64 &pid)
{
    const QStringList parts = mark.split(u'-');
    if (parts.size() < 3)
        return false;
    bool ok = false;
    pid = parts[1].toLongLong(&ok);
    machine = parts[0];
    return ok;
}

} // namespace

QString atomicStagingPath(const QString &path, qint64 pid, quint64 write, const QString &machine)
{
    return atomicStagingPrefix(path) + WriterMark + (machine.isEmpty() ? machineTag() : machine) + u'-' +
           QString::number(pid) + u'-' + QString::number(write);
}

QString atomicStagingPrefix(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + u"/.~"_s + info.fileName();
}

int removeStagingLeftovers(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString prefix = u".~"_s + name;
    QDir folder(info.path());
    int removed = 0;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto entries = folder.entryInfoList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString rest = entry.fileName().mid(prefix.size());
        bool stale = true;
        if (rest.startsWith(WriterMark)) {
            // ".~NAME.~machine-pid-n" and its QSaveFile temporary ".~NAME.~machine-pid-n.XXXXXX"
            QString machine;
            qint64 pid = 0;
            if (writerOf(rest.mid(WriterMark.size()).section(u'.', 0, 0), machine, pid))
                stale = machine == machineTag()
                            ? !isProcessRunning(pid)
                            : entry.lastModified().secsTo(now) > ForeignLeftoverAgeSecs;
        } else if (!rest.isEmpty() && !(rest.startsWith(u'.') && rest.size() == 7)) {
            continue; // the copy of another file whose name begins with this one's
        }
        if (stale && QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}

namespace {

// A new file written to its hidden copy, not yet in place.
struct Staged
{
    QString staging;
    QString target;
    bool existed = false;
};

WriteStatus stage(const QString &path, const QByteArray &bytes, Staged &staged, int &number)
{
    // A link into its folder is replaced where its target lies; nothing but a regular file is replaced.
    QString target = path;
    const FileCheck check = checkRegularFile(path, &target);
    if (check == FileCheck::NotRegular)
        return WriteStatus::NotRegular;
    if (check == FileCheck::Missing)
        target = path;
    const QFileInfo existing(target);
    // QSaveFile refuses to replace these; the staged write must refuse them as well.
    if (existing.isDir() || (existing.exists() && !existing.isWritable())) {
        number = fileErrorNumber(path, EACCES);
        return WriteStatus::CreateFailed;
    }
    const QString staging = stagingPath(target);

    QSaveFile file(staging);
    clearSystemError();
    // Unbuffered: a write that fails (a full disk) fails here. Buffered, the bytes would only be
    // written while committing, and QSaveFile commits a file whose last write failed as if all
    // were well, putting an empty or cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        number = fileErrorNumber(path, errno);
        return WriteStatus::CreateFailed;
    }
    hideOpenFile(file);
    clearSystemError();
    const WriteStatus committed = commitThroughSaveFile(file, bytes, number);
    if (committed != WriteStatus::Ok)
        return committed;
    if (existing.exists())
        QFile::setPermissions(staging, existing.permissions());
    staged = {staging, target, existing.exists()};
    return WriteStatus::Ok;
}

WriteStatus putInPlace(const Staged &staged, int &number)
{
    if (replaceFile(staged.staging, staged.target, number))
        return WriteStatus::Ok;
    QFile::remove(staged.staging);
    return WriteStatus::WriteFailed;
}

} // namespace

WriteStatus writeFileAtomically(const QString &path, const QByteArray &bytes, int *errorNumber)
{
    int number = 0;
    Staged staged;
    WriteStatus status = stage(path, bytes, staged, number);
    if (status == WriteStatus::Ok)
        status = putInPlace(staged, number);
    if (errorNumber)
        *errorNumber = status == WriteStatus::Ok ? 0 : number;
    return status;
}

WriteStatus writeFilesAtomically(const QList<FileReplacement> &files, qsizetype *failed, int *errorNumber)
{
    int number = 0;
    const auto result = [&](WriteStatus status, qsizetype at) {
        if (failed)
            *failed = status == WriteStatus::Ok ? -1 : at;
        if (errorNumber)
            *errorNumber = status == WriteStatus::Ok ? 0 : number;
        return status;
    };
    QList<Staged> staged;
    for (qsizetype i = 0; i < files.size(); ++i) {
        Staged one;
        if (const WriteStatus status = stage(files[i].path, files[i].bytes, one, number); status != WriteStatus::Ok) {
            for (const Staged &done : std::as_const(staged))
                QFile::remove(done.staging);
            return result(status, i);
        }
        staged.append(one);
    }
    for (qsizetype i = 0; i < staged.size(); ++i) {
        if (putInPlace(staged[i], number) == WriteStatus::Ok)
            continue;
        // The files replaced so far get their old bytes back, the copies not yet used go.
        for (qsizetype j = i + 1; j < staged.size(); ++j)
            QFile::remove(staged[j].staging);
        for (qsizetype j = 0; j < i; ++j) {
            if (staged[j].existed)
                writeFileAtomically(files[j].path, files[j].previous);
            else
                QFile::remove(staged[j].target);
        }
        return result(WriteStatus::WriteFailed, i);
    }
    return result(WriteStatus::Ok, -1);
}
