#pragma once

#include "text/Launcher.h"

#include <QString>
#include <QStringList>

// A Launcher for tests: records each program start as its program and arguments, each document
// and help topic opened, and answers as told (starts = false: nothing can be started; a program
// named running counts as running).
class RecordingLauncher : public Launcher
{
public:
    struct Start
    {
        QString program;
        QStringList arguments;
        QString folder;
        bool operator==(const Start &) const = default;
    };

    bool starts = true;
    QString running;
    QList<Start> started;
    QStringList opened; // documents, and help files as "file#keyword"

    bool startProgram(const QString &program, const QStringList &arguments, const QString &folder) override
    {
        started.append({program, arguments, folder});
        return starts;
    }
    bool openDocument(const QString &document) override
    {
        opened.append(document);
        return starts;
    }
    bool openHelp(const QString &helpFile, const QString &keyword) override
    {
        opened.append(helpFile + u'#' + keyword);
        return starts;
    }
    bool activateRunning(const QString &programName) override { return programName == running; }
};
