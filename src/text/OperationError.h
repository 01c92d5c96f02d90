#pragma once

#include <QString>

#include <exception>

// Ends the running user action: an input/output error half-way or a text that does not convert.
// Carries the final German message; caught once by the guard (text/Guard.h) and shown as an error.
class OperationError : public std::exception
{
public:
    explicit OperationError(QString message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // "E/A-Fehler <n>", and with a file "E/A-Fehler <n>: <path>"
    static OperationError ioError(int number, const QString &path = QString());
    // "'<text>' ist kein gültiger Integerwert"
    static OperationError notAnInteger(const QString &text);
    // "'<text>' ist kein gültiger boolescher Wert"
    static OperationError notABoolean(const QString &text);

private:
    QString m_message;
    QByteArray m_utf8;
};
