#include "text/TextFile.h"

#include "text/AtomicFile.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {
constexpr qsizetype MaxPathLength = 259;

int currentErrno(QFileDevice::FileError fallback)
{
    return errno != 0 ? errno : int(fallback);
}
} // namespace

bool readTextFile(const QString &path, QStringList &lines)
{
    lines.clear();
    if (path.isEmpty() || path.size() > MaxPathLength || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        const int number = currentErrno(file.error());
        file.close();
        throw OperationError::ioError(number);
    }
    file.close();

    const QString text = Cp1252::decode(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const bool hasBreak = end >= 0;
        if (!hasBreak)
            end = text.size();
        qsizetype lineEnd = end;
        if (hasBreak && lineEnd > start && text.at(lineEnd - 1) == u'\r')
            --lineEnd;
        lines.append(text.mid(start, lineEnd - start));
        start = end + 1;
    }
    return true;
}

WriteStatus writeTextFile(const QString &path, const QStringList &lines, int *errorNumber)
{
    auto fail = [&](WriteStatus status, int number) {
        if (errorNumber)
            *errorNumber = number;
        return status;
    };

    const QString name = QFileInfo(path).fileName();
    if (path.isEmpty() || !isValidWindowsFileName(name) || path.size() > MaxPathLength)
        return fail(WriteStatus::CreateFailed, fileErrorNumber(path));

    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += Cp1252::encode(line);
        bytes += "\r\n";
    }

    return writeFileAtomically(path, bytes, errorNumber);
}

void reportWriteFailed(Prompt &prompt, const QString &path, int errorNumber)
{
    prompt.error(Messages::WriteFailed.arg(errorNumber).arg(path));
}

bool writeTextFileReported(const QString &path, const QStringList &lines, Prompt &prompt)
{
    int number = 0;
    switch (writeTextFile(path, lines, &number)) {
    case WriteStatus::Ok:
        return true;
    case WriteStatus::CreateFailed:
        reportWriteFailed(prompt, path, number);
        return false;
    case WriteStatus::WriteFailed:
        break;
    }
    throw OperationError::ioError(number);
}
