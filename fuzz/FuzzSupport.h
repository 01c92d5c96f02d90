#pragma once

#include "text/CollectingPrompt.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Shared pieces of the fuzz targets: a prompt that answers nothing, a scratch folder for the files
// the readers open, and the checks that turn a broken property into a crash the fuzzer records.

// Answers every question with No or Cancel, refuses every choice and counts the messages shown.
class QuietPrompt : public CollectingPrompt
{
public:
    void error(const QString &) override { ++errors; }
    void warning(const QString &) override { ++warnings; }

    int errors = 0;
    int warnings = 0;
};

namespace Fuzz {

// A folder private to this process (in /dev/shm when there is one), removed at exit. Every call
// returns the same folder.
const QString &scratchFolder();

// scratchFolder() + "/" + name.
QString scratchPath(const QString &name);

// Writes the bytes to scratchPath(name), replacing the file, and returns its path.
QString writeScratch(const QString &name, const std::uint8_t *data, std::size_t size);
QString writeScratch(const QString &name, const QByteArray &bytes);

// The bytes of the file at path; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Stops the process with a message when condition is false, so that the fuzzer keeps the input.
void check(bool condition, const char *property);
void check(bool condition, const char *property, const QString &detail);

// Counts the memory the process allocates while the watch lives (one watch at a time):
// peakBytes() is the highest amount held at once beyond what was held at its start. Counts only
// under AddressSanitizer, whose allocator reports every allocation; elsewhere counting() is false
// and the peak stays 0.
class AllocationWatch
{
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch &) = delete;
    AllocationWatch &operator=(const AllocationWatch &) = delete;

    long long peakBytes() const;
    static bool counting();
};

// Watches the memory the code under test holds while the guard lives: at its end the highest
// amount held beyond what was held at its start may not exceed baseBytes + perInputByte * size.
// Only active under AddressSanitizer; elsewhere it checks nothing.
class AllocationBound
{
public:
    AllocationBound(std::size_t inputSize, std::size_t perInputByte = 1024, std::size_t baseBytes = 64u << 20);
    ~AllocationBound();
    AllocationBound(const AllocationBound &) = delete;
    AllocationBound &operator=(const AllocationBound &) = delete;

private:
    std::size_t m_limit;
    AllocationWatch m_watch;
};

} // namespace Fuzz
