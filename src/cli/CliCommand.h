#pragma once

#include <QStringList>

class QIODevice;
class Prompt;

// Exit statuses of webdef-cli.
enum CliExitStatus : int {
    ExitOk = 0,     // the command did its work
    ExitFailed = 1, // a file could not be read or written
    ExitUsage = 2,  // wrong usage; the runner prints the usage text
    ExitFound = 3,  // a check found something
};

// What a command receives: its arguments (without the command name), standard output, standard
// error and a prompt that writes to standard error. Output is UTF-8.
struct CliContext
{
    QStringList arguments;
    QIODevice &out;
    QIODevice &err;
    Prompt &prompt;
};

// A command returns its exit status.
using CliCommandFunction = int (*)(CliContext &context);
