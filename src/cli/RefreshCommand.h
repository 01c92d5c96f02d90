#pragma once

#include "cli/CliCommand.h"

// webdef-cli refresh PROJECTFILE [--exec EXECFILE]: rewrites every page file of the project with
// the catalogue of the execution file, as the editor's refresh of all pages does. The project name
// is PROJECTFILE's name without folder and last extension, the data folder its folder; the
// execution file is EXECFILE or else the project file's RVXFile. Reader and writer messages go to
// standard error, one line each. Exit 0 when every page was rewritten (or the catalogue holds no
// object, with a notice), 1 when a file could not be read, the refresh stopped at a page or a page
// could not be written, 2 on wrong usage. Never touches the settings store.
int runRefreshCommand(CliContext &context);
