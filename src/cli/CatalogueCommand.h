#pragma once

#include "cli/CliCommand.h"

// webdef-cli catalogue EXECFILE: reads EXECFILE into an empty catalogue as the editor does and,
// when the read succeeded, builds the offered entries (which appends the "V" objects to ObjList).
// Prints one JSON document with what was read, also after a failed read ("ok": false, no offered
// entries); the reader's message goes to standard error. Exit 0 on success, 1 when the read
// failed or EXECFILE is blank, 2 on wrong usage. Never touches the settings store.
int runCatalogueCommand(CliContext &context);
