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
#include <cstring>

namespace {
constexpr qsizetype MaxPathLength = 259;

int currentErrno(QFileDevice::FileError fallback)
{
    return errno != 0 ? errno : int(fallback);
}
} // namespace

bool readTextFileLines(const QString &path, const std::function<void(QString &text)> &line)
{
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

    // Lines end at LF; one CR before it is dropped. Only the bytes LF and CR decode to those two
    // characters, so the bytes are split first and each line decoded on its own.
    QString text;
    const char *start = bytes.constData();
    const char *const end = start + bytes.size();
    while (start < end) {
        const auto *lf = static_cast<const char *>(std::memchr(start, '\n', std::size_t(end - start)));
        const char *lineEnd = lf ? lf : end;
        if (lf && lineEnd > start && lineEnd[-1] == '\r')
            --lineEnd;
        Cp1252::decodeInto(QByteArrayView(start, lineEnd - start), text);
        line(text);
        start = lf ? lf + 1 : end;
    }
    return true;
}

bool readTextFile(const QString &path, QStringList &lines)
{
    lines.clear();
    return readTextFileLines(path, [&lines](QString &text) { lines.append(text); });
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
