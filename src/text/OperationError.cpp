#include "text/OperationError.h"

#include "text/Messages.h"

OperationError::OperationError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

OperationError OperationError::ioError(int number, const QString &path)
{
    if (path.isEmpty())
        return OperationError(Messages::IoError.arg(number));
    return OperationError(Messages::IoErrorInFile.arg(number).arg(path));
}

OperationError OperationError::notAnInteger(const QString &text)
{
    return OperationError(Messages::NotAnInteger.arg(text));
}

OperationError OperationError::notABoolean(const QString &text)
{
    return OperationError(Messages::NotABoolean.arg(text));
}
