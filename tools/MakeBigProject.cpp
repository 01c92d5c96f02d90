// Developer tool: writes a large project for measuring the reading paths by hand.
//
//   webdef-bigproject FOLDER [OBJECTS [PAGES]]
//
// FOLDER receives BENCH.RVX (OBJECTS objects, default 20000, and 2.5 variables per object),
// BENCH.FNP with PAGES pages (default 500), BENCH_WEBUSERS.USR and the page files. The benchmarks
// generate the same files, so figures taken by hand match theirs.

#include "BigProject.h"

#include <QStringList>

#include <cstdio>

namespace {

void fail(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

bool positiveNumber(const QString &text, int &number)
{
    bool ok = false;
    number = text.toInt(&ok);
    return ok && number > 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    int objects = 20000;
    int pages = 500;
    if (args.isEmpty() || args.size() > 3 || (args.size() > 1 && !positiveNumber(args.at(1), objects)) ||
        (args.size() > 2 && !positiveNumber(args.at(2), pages))) {
        fail(QStringLiteral("usage: webdef-bigproject FOLDER [OBJECTS [PAGES]]"));
        return 2;
    }
    QString error;
    if (!BigProject::writeProject(args.at(0), objects, pages, &error)) {
        fail(error);
        return 1;
    }
    return 0;
}
