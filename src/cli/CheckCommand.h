#pragma once

#include "cli/CliCommand.h"

// webdef-cli check PROJECTFILE [--exec EXECFILE] [--json]: checks the project as the editor's
// project check does, reading and never writing its files. The execution file is EXECFILE or else
// the project file's RVXFile. Prints the findings to standard output, one per line, or with --json
// a JSON array of objects (kind, page, detail, text), one per line. Exit 0 when nothing was found,
// 3 when something was, 1 when the project file or the execution file could not be read (the
// project file's message on standard error; the execution file's is a finding), 2 on wrong usage.
// Never touches the settings store.
int runCheckCommand(CliContext &context);
