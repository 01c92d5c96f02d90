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
// Files are read in pieces of this size.
constexpr qsizetype ReadChunkSize = 256 * 1024;

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
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;

    // Lines end at LF; one CR before it is dropped. Only the bytes LF and CR decode to those two
    // characters, so the bytes are split first and each line decoded on its own. The file is
    // read piece by piece into one buffer: a large file never needs memory of its size.
    QString text;
    const qint64 size = file.size(); // 0 for files whose size the system does not tell
    QByteArray chunk(size > 0 && size < ReadChunkSize ? size + 1 : ReadChunkSize, Qt::Uninitialized);
    QByteArray pending; // the start of a line that goes on in the next piece
    const auto takeLine = [&](QByteArrayView bytes) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        Cp1252::decodeInto(bytes, text);
        line(text);
    };
    for (;;) {
        errno = 0;
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0 || file.error() != QFileDevice::NoError) {
            const int number = currentErrno(file.error());
            file.close();
            throw OperationError::ioError(number);
        }
        if (count == 0)
            break;
        const char *start = chunk.constData();
        const char *const end = start + count;
        while (const auto *lf = static_cast<const char *>(std::memchr(start, '\n', std::size_t(end - start)))) {
            if (pending.isEmpty()) {
                takeLine(QByteArrayView(start, lf));
            } else {
                pending.append(start, lf - start);
                takeLine(pending);
                pending.clear();
            }
            start = lf + 1;
        }
        pending.append(start, end - start);
    }
    file.close();
    // A last line without LF keeps a CR at its end.
    if (!pending.isEmpty()) {
        Cp1252::decodeInto(pending, text);
        line(text);
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
