#pragma once

#include "text/Launcher.h"

#include <QString>
#include <QStringList>

// A Launcher for tests: records each program start as its program and arguments, and answers as
// told (starts = false: nothing can be started).
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
    QList<Start> started;
    QStringList opened;

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
    bool activateRunning(const QString &) override { return false; }
};
