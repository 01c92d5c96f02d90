#pragma once

#include "cli/CliCommand.h"

// webdef-cli reassign PROJECTFILE [--exec EXECFILE] [--map OLD=NEW ...] [--auto] [--dry-run] [--json]:
// lists the names the project's rows use and the catalogue no longer offers, each with the entry
// proposed for it; --map assigns entries by hand, --auto the proposals that score AutoAssignScore or
// more; the assigned rows are rewritten in every page, all pages or none (--dry-run writes nothing
// and says what would change). Exit 0: nothing lost, or every lost name assigned; 3: names left
// unassigned; 1: a file could not be read or written; 2: wrong usage.
int runReassignCommand(CliContext &context);
