#include "text/TextFile.h"

#include "text/AtomicFile.h"
#include "text/Cp1252.h"
#include "text/FilePaths.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/RegularFile.h"
#include "text/SystemError.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// Files are read in pieces of this size.
constexpr qsizetype ReadChunkSize = 256 * 1024;


// One line being assembled from the pieces: at most limit.maxChars bytes are kept (one byte is one
// character in Windows-1252), the head or the tail of the line; length counts them all.
class LineBuffer
{
public:
    explicit LineBuffer(LineLimit limit) : m_limit(limit) {}

    void append(const char *bytes, qsizetype count)
    {
        m_length += count;
        if (!m_limit.keepTail) {
            const qsizetype room = m_limit.maxChars - m_bytes.size();
            if (room > 0)
                m_bytes.append(bytes, std::min(room, count));
            return;
        }
        if (count >= m_limit.maxChars) {
            m_bytes = QByteArray(bytes + count - m_limit.maxChars, m_limit.maxChars);
            return;
        }
        m_bytes.append(bytes, count);
        // Dropped in large steps, so a long line costs linear time.
        if (m_bytes.size() >= 2 * m_limit.maxChars)
            m_bytes.remove(0, m_bytes.size() - m_limit.maxChars);
    }

    // The line as kept: the head, or the last maxChars bytes.
    QByteArrayView kept() const
    {
        if (m_limit.keepTail && m_bytes.size() > m_limit.maxChars)
            return QByteArrayView(m_bytes).last(m_limit.maxChars);
        return m_bytes;
    }
    qsizetype length() const { return m_length; }
    bool isEmpty() const { return m_length == 0; }
    void clear()
    {
        m_bytes.clear();
        m_length = 0;
    }

private:
    LineLimit m_limit;
    QByteArray m_bytes;
    qsizetype m_length = 0;
};
} // namespace

ReadStatus readTextFileLines(const QString &path, const LineHandler &line, LineLimit limit)
{
    QFile file;
    switch (openRegularFile(path, file)) {
    case FileCheck::Regular:
        break;
    case FileCheck::Missing:
        return ReadStatus::NotFound;
    case FileCheck::NotRegular:
        return ReadStatus::NotRegular;
    case FileCheck::TooLong:
        return ReadStatus::TooLong;
    }
    limit.maxChars = std::max<qsizetype>(1, limit.maxChars);

    // A line ends at LF, at CR LF, or at a CR alone. Only the bytes LF and CR decode to those two
    // characters, so the bytes are split first and each line decoded on its own. The file is read
    // piece by piece: a large file never needs memory of its size, a long line no more than its limit.
    QString text;
    const qint64 size = file.size(); // 0 for files whose size the system does not tell
    QByteArray chunk(size > 0 && size < ReadChunkSize ? size + 1 : ReadChunkSize, Qt::Uninitialized);
    LineBuffer pending(limit);
    bool crEnded = false; // the last line ended with a CR whose LF may start the next piece
    const auto takeLine = [&](QByteArrayView bytes, qsizetype length) {
        Cp1252::decodeInto(bytes, text);
        line(text, length);
    };
    const auto isLineEnd = [](char c) { return c == '\n' || c == '\r'; };
    for (;;) {
        clearSystemError();
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0 || file.error() != QFileDevice::NoError) {
            const int number = lastSystemError(int(file.error()));
            file.close();
            throw OperationError::ioError(number, path);
        }
        if (count == 0)
            break;
        const char *start = chunk.constData();
        const char *const end = start + count;
        if (crEnded && *start == '\n')
            ++start;
        crEnded = false;
        while (start < end) {
            const char *stop = std::find_if(start, end, isLineEnd);
            if (stop == end) {
                pending.append(start, end - start);
                break;
            }
            if (pending.isEmpty() && stop - start <= limit.maxChars) {
                takeLine(QByteArrayView(start, stop), stop - start);
            } else {
                pending.append(start, stop - start);
                takeLine(pending.kept(), pending.length());
                pending.clear();
            }
            start = stop + 1;
            if (*stop == '\r') {
                if (start == end)
                    crEnded = true;
                else if (*start == '\n')
                    ++start;
            }
        }
    }
    file.close();
    if (!pending.isEmpty())
        takeLine(pending.kept(), pending.length());
    return ReadStatus::Ok;
}

ReadStatus readTextFile(const QString &path, QStringList &lines, LineLimit limit)
{
    lines.clear();
    return readTextFileLines(path, [&lines](QString &text, qsizetype) { lines.append(text); }, limit);
}

QString readFailureMessage(ReadStatus status, const QString &path, const QString &notFound)
{
    switch (status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::NotFound:
        return notFound.arg(path);
    case ReadStatus::NotRegular:
        return Messages::NotRegularFile.arg(path);
    case ReadStatus::TooLong:
        return Messages::NameTooLong.arg(path).arg(MaxPathLength);
    }
    return QString();
}

WriteStatus writeTextFile(const QString &path, const QStringList &lines, int *errorNumber)
{
    auto fail = [&](WriteStatus status, int number) {
        if (errorNumber)
            *errorNumber = number;
        return status;
    };

    const QString name = QFileInfo(path).fileName();
    if (path.isEmpty() || !isValidWindowsFileName(name) || isReservedWindowsFileName(name) || path.size() > MaxPathLength)
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
    QString message = Messages::WriteFailed.arg(errorNumber).arg(path);
    // The number is Windows' "path not found"; the reason is the length.
    if (path.size() > MaxPathLength)
        message += u'\r' + Messages::NameTooLong.arg(path).arg(MaxPathLength);
    prompt.error(message);
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
    case WriteStatus::NotRegular:
        prompt.error(Messages::NotRegularFile.arg(path));
        return false;
    case WriteStatus::WriteFailed:
        break;
    }
    throw OperationError::ioError(number, path);
}
