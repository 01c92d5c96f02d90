#include "cli/CliRunner.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // A command reads a whole execution file and builds large lists at once, then ends. Large
    // blocks are taken from the heap and freed memory stays there, so what one step frees (the
    // file's bytes, a list outgrown) the next one uses again instead of the system handing out
    // fresh pages, which costs far more than the reading itself on some machines.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    return CliRunner(out, err).run(QCoreApplication::arguments().mid(1));
}
