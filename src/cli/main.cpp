#include "cli/CliRunner.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    return CliRunner(out, err).run(QCoreApplication::arguments().mid(1));
}
