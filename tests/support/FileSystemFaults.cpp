#include "support/FileSystemFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <csignal>

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
#ifdef Q_OS_LINUX
    if (!QFileInfo::exists(file)) {
        QFile create(file);
        if (!create.open(QIODevice::WriteOnly))
            return;
    }
    m_active = ownMountNamespace() &&
               mount("/proc/self/mem", QFile::encodeName(file).constData(), nullptr, MS_BIND, nullptr) == 0;
#endif
}

FailingRead::~FailingRead()
{
#ifdef Q_OS_LINUX
    if (m_active)
        umount2(QFile::encodeName(m_file).constData(), MNT_DETACH);
#endif
}
