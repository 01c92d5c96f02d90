#pragma once

#include <QStringList>

class QIODevice;

// Runs one webdef-cli command: picks the command by its name (the first argument), hands it the
// remaining arguments, standard output and a standard-error prompt, and returns the exit status.
// Wrong usage prints the usage text to standard error (exit 2); any exception a command lets
// escape is written to standard error (exit 1).
class CliRunner
{
public:
    CliRunner(QIODevice &out, QIODevice &err);

    // arguments: the command line without the program name.
    int run(const QStringList &arguments);

private:
    QIODevice &m_out;
    QIODevice &m_err;
};
