#pragma once

#include "text/Launcher.h"

// The Launcher of the editor: detached processes, the desktop's URL handling, and on Windows the
// updater's window found by its class and title and the help file opened by HTML Help.
class QtLauncher : public Launcher
{
public:
    bool startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
    bool openDocument(const QString &pathOrAddress) override;
    bool openHelp(const QString &helpFile, const QString &keyword) override;
    bool activateRunning(const QString &programName) override;
};
