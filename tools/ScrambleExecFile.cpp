// Developer tool: turns a readable control program listing into an execution file.
//
//   webdef-scramble SOURCE OUTPUT
//
// SOURCE is UTF-8 text, one line of the execution file per line. Lines beginning with "#" are
// comments and blank lines are skipped. The first remaining line is the header, written as it
// stands; its second-to-last character carries the key the other lines are scrambled with.

#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "text/TextFile.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <cstdio>

namespace {

void fail(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

bool readSource(const QString &path, QStringList &lines, QList<int> &sourceLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    lines = listingLines(QString::fromUtf8(file.readAll()), &sourceLines);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.size() != 3) {
        fail(QStringLiteral("usage: webdef-scramble SOURCE OUTPUT"));
        return 2;
    }
    QStringList lines;
    QList<int> sourceLines;
    if (!readSource(args.at(1), lines, sourceLines)) {
        fail(QStringLiteral("cannot read %1").arg(args.at(1)));
        return 1;
    }
    if (lines.isEmpty() || execFileKey(lines.first()) < 0) {
        fail(QStringLiteral("%1: no header line carrying a key").arg(args.at(1)));
        return 1;
    }
    const auto key = quint8(execFileKey(lines.first()));
    QStringList scrambled{lines.first()};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (!ScrambleLine(line, key)) {
            fail(QStringLiteral("%1:%2: cannot be scrambled with key %3: %4")
                     .arg(args.at(1))
                     .arg(sourceLines.at(i))
                     .arg(key)
                     .arg(lines.at(i)));
            return 1;
        }
        scrambled.append(line);
    }
    if (writeTextFile(args.at(2), scrambled) != WriteStatus::Ok) {
        fail(QStringLiteral("cannot write %1").arg(args.at(2)));
        return 1;
    }
    return 0;
}
