#pragma once

#include <QString>
#include <QStringList>

// The one way core code starts other programs and documents: the updater, the help, the web
// browser. The editor answers with the desktop's means, tests record what was asked.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // Starts program with arguments in workingFolder and does not wait for it. False when it could
    // not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;

    // Opens a document or a web address with the program the desktop associates with it.
    virtual bool openDocument(const QString &pathOrAddress) = 0;

    // Opens the compiled help file helpFile at the topic of keyword. False when it could not be opened.
    virtual bool openHelp(const QString &helpFile, const QString &keyword) = 0;

    // When a program of this name is running, brings its window to the front and returns true.
    virtual bool activateRunning(const QString &programName) = 0;
};
