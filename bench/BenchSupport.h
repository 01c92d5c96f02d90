#pragma once

// What the benchmarks share: a prompt that stops the run on any message, and the process's memory
// as the system tells it. The generated data comes from tools/BigProject.h, the same files the
// developer tool writes.

#include "text/CollectingPrompt.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace BenchSupport {

using namespace Qt::Literals::StringLiterals;

// A benchmark must never see a message: any message ends the run.
class FailingPrompt : public CollectingPrompt
{
public:
    void error(const QString &text) override { qFatal("%s", qPrintable(text)); }
    void warning(const QString &text) override { error(text); }
};

// A "VmRSS:" or "VmHWM:" value of /proc/self/status in megabytes; 0 where there is none.
inline double statusMegabytes(const QByteArray &field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Gives back the memory freed so far and starts the peak afresh, so that only what follows counts
// (Linux: "5" to clear_refs resets the peak).
inline void resetPeak()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace BenchSupport
