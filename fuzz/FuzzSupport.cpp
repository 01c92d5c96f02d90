#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define WEBDEF_FUZZ_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WEBDEF_FUZZ_ASAN 1
#endif
#endif

#ifdef WEBDEF_FUZZ_ASAN
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// GCC's AddressSanitizer has these functions without shipping their header.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void *, std::size_t),
                                              void (*freeHook)(const volatile void *));
std::size_t __sanitizer_get_allocated_size(const volatile void *pointer);
int __sanitizer_get_ownership(const volatile void *pointer);
}
#endif
#endif

namespace {

QString scratchParent()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

#ifdef WEBDEF_FUZZ_ASAN
// Bytes held by the process relative to the start of the watched call, and the highest value seen.
// The hooks run for every allocation of the process; they count only while a guard is active.
bool g_watching = false;
long long g_held = 0;
long long g_peak = 0;

void mallocHook(const volatile void *, std::size_t size)
{
    if (!g_watching)
        return;
    g_held += static_cast<long long>(size);
    if (g_held > g_peak)
        g_peak = g_held;
}

void freeHook(const volatile void *pointer)
{
    if (!g_watching || pointer == nullptr)
        return;
    const void *p = const_cast<const void *>(pointer);
    if (__sanitizer_get_ownership(p))
        g_held -= static_cast<long long>(__sanitizer_get_allocated_size(p));
}

void installHooks()
{
    static const bool installed = [] {
        __sanitizer_install_malloc_and_free_hooks(mallocHook, freeHook);
        return true;
    }();
    (void)installed;
}
#endif

} // namespace

namespace Fuzz {

const QString &scratchFolder()
{
    static QTemporaryDir folder(scratchParent() + QStringLiteral("/webdef-fuzz-XXXXXX"));
    static const QString path = folder.path();
    if (!folder.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    return path;
}

QString scratchPath(const QString &name)
{
    return scratchFolder() + u'/' + name;
}

QString writeScratch(const QString &name, const std::uint8_t *data, std::size_t size)
{
    return writeScratch(name, QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
}

QString writeScratch(const QString &name, const QByteArray &bytes)
{
    const QString path = scratchPath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void check(bool condition, const char *property)
{
    if (condition)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

void check(bool condition, const char *property, const QString &detail)
{
    if (condition)
        return;
    std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.toUtf8().constData());
    std::abort();
}

AllocationWatch::AllocationWatch()
{
#ifdef WEBDEF_FUZZ_ASAN
    installHooks();
    g_held = 0;
    g_peak = 0;
    g_watching = true;
#endif
}

AllocationWatch::~AllocationWatch()
{
#ifdef WEBDEF_FUZZ_ASAN
    g_watching = false;
#endif
}

long long AllocationWatch::peakBytes() const
{
#ifdef WEBDEF_FUZZ_ASAN
    return g_peak;
#else
    return 0;
#endif
}

bool AllocationWatch::counting()
{
#ifdef WEBDEF_FUZZ_ASAN
    return true;
#else
    return false;
#endif
}

AllocationBound::AllocationBound(std::size_t inputSize, std::size_t perInputByte, std::size_t baseBytes)
    : m_limit(baseBytes + perInputByte * inputSize)
{
}

AllocationBound::~AllocationBound()
{
    const long long peak = m_watch.peakBytes();
    if (peak > static_cast<long long>(m_limit)) {
        std::fprintf(stderr, "property broken: %lld bytes held at once, the bound for this input is %zu\n", peak,
                     m_limit);
        std::abort();
    }
}

} // namespace Fuzz
