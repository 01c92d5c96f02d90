#include "support/FileSystemFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

#ifdef Q_OS_LINUX
// The rights that let root ignore file permissions, taken out of (or put back into) the effective
// capabilities of the calling thread; they stay permitted, so they can be taken up again.
constexpr quint32 PermissionRights =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool setPermissionRights(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective = on ? data[0].effective | (data[0].permitted & PermissionRights)
                           : data[0].effective & ~PermissionRights;
    return syscall(SYS_capset, &header, data) == 0;
}

// This thread's own mount namespace, in which mounts stay private. Made once.
bool ownMountNamespace()
{
    static const bool made = unshare(CLONE_NEWNS) == 0 &&
                             mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}

constexpr rlim_t FileSizeLimit = 0;
rlimit g_savedLimit{};
#endif

bool canCreateIn(const QString &folder)
{
    QFile probe(folder + u"/.probe"_s);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

} // namespace

PermissionsEnforced::PermissionsEnforced()
{
#ifdef Q_OS_LINUX
    if (geteuid() == 0)
        m_dropped = setPermissionRights(false);
#endif
}

PermissionsEnforced::~PermissionsEnforced()
{
#ifdef Q_OS_LINUX
    if (m_dropped)
        setPermissionRights(true);
#endif
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    m_active = !canCreateIn(folder);
}

QString ReadOnlyFolder::whyInactive()
{
#ifdef Q_OS_WIN
    return u"Windows ignores the read-only attribute of a folder; files in it can still be made"_s;
#else
    return QString();
#endif
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

FullDisk::FullDisk(const QString &folder) : m_folder(folder)
{
#ifdef Q_OS_LINUX
    // The files already there, to be put back into the small file system exactly as full.
    struct Kept
    {
        QString name;
        QByteArray bytes;
    };
    QList<Kept> kept;
    qint64 pages = 0;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            kept.append({info.fileName(), file.readAll()});
        pages += (info.size() + 4095) / 4096;
    }
    if (pages > 0 && ownMountNamespace()) {
        const QByteArray options = "size=" + QByteArray::number(pages * 4096);
        m_mounted = mount("webdef-test", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    if (m_mounted) {
        for (const Kept &k : kept) {
            QFile file(folder + u'/' + k.name);
            if (!file.open(QIODevice::WriteOnly) || file.write(k.bytes) != k.bytes.size())
                return;
        }
        m_active = true;
        return;
    }
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &g_savedLimit);
    rlimit limit = g_savedLimit;
    limit.rlim_cur = FileSizeLimit;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
#endif
}

FullDisk::~FullDisk()
{
#ifdef Q_OS_LINUX
    if (m_mounted) {
        umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    } else if (m_active) {
        setrlimit(RLIMIT_FSIZE, &g_savedLimit);
        std::signal(SIGXFSZ, SIG_DFL);
    }
#endif
}

QString FullDisk::whyInactive()
{
#ifdef Q_OS_WIN
    return u"a test cannot give a Windows folder a small volume of its own, nor limit the size of a file"_s;
#else
    return QString();
#endif
}

int FullDisk::errorNumber() const
{
#ifdef Q_OS_LINUX
    return m_mounted ? ENOSPC : EFBIG;
#else
    return 0;
#endif
}

QString FullDisk::kind() const
{
    return m_mounted ? u"a full file system"_s : u"a file size limit"_s;
}

FailingRead::FailingRead(const QString &file) : m_file(file)
{
    if (!QFileInfo::exists(file)) {
        QFile create(file);
        if (!create.open(QIODevice::WriteOnly) || create.write("x\r\n") != 3)
            return;
    }
#ifdef Q_OS_LINUX
    m_active = ownMountNamespace() &&
               mount("/proc/self/mem", QFile::encodeName(file).constData(), nullptr, MS_BIND, nullptr) == 0;
#elif defined(Q_OS_WIN)
    // Shared for reading and writing, so readers open it; the lock makes every read of it fail.
    HANDLE handle = CreateFileW(QDir::toNativeSeparators(file).toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED at{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &at)) {
        CloseHandle(handle);
        return;
    }
    m_handle = handle;
    m_active = true;
#endif
}

FailingRead::~FailingRead()
{
#ifdef Q_OS_LINUX
    if (m_active)
        umount2(QFile::encodeName(m_file).constData(), MNT_DETACH);
#elif defined(Q_OS_WIN)
    if (m_handle) {
        OVERLAPPED at{};
        UnlockFileEx(m_handle, 0, MAXDWORD, MAXDWORD, &at);
        CloseHandle(m_handle);
    }
#endif
}

QString FailingRead::whyInactive()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll && GetProcAddress(ntdll, "wine_get_version"))
        return u"Wine does not keep a locked range of a file from being read (Windows fails the read with "
               u"error 33)"_s;
#endif
    return QString();
}

int FailingRead::errorNumber()
{
#ifdef Q_OS_WIN
    return ERROR_LOCK_VIOLATION;
#else
    return EIO;
#endif
}

UnreadableFile::UnreadableFile(const QString &file) : m_file(file)
{
#ifdef Q_OS_WIN
    HANDLE handle = CreateFileW(QDir::toNativeSeparators(file).toStdWString().c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    m_active = m_handle != nullptr;
#else
    m_active = QFile::setPermissions(file, QFile::WriteOwner);
#endif
}

UnreadableFile::~UnreadableFile()
{
#ifdef Q_OS_WIN
    if (m_handle)
        CloseHandle(m_handle);
#else
    QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
#endif
}
