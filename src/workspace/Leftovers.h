#pragma once

#include <QString>

// What interrupted saves of a project left in its data folder: the hidden copies beside its project
// file, its user list and its page files (text/AtomicFile.h). Removed when the project is opened,
// saved or refreshed; copies that a program still running is writing stay, and so do those of
// other projects whose names begin with this one's and "_".
// Returns how many were removed.
int removeProjectLeftovers(const QString &dataFolder, const QString &project);
