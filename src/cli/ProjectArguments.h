#pragma once

#include <QString>
#include <QStringList>

// The arguments of the commands that work on a project: PROJECTFILE [--exec EXECFILE] and the
// switches a command allows, in any order.
struct ProjectArguments
{
    QString projectFile;
    QString execFile; // empty unless --exec was given
    bool hasExec = false;
    QStringList switches; // the allowed switches given, each at most once
    QStringList values;   // the values of the repeatable option, in order
};

// False on wrong usage: no project file or more than one, --exec without a file or given twice, a
// switch not in allowedSwitches or given twice, repeatable (when not empty) without its value.
bool parseProjectArguments(const QStringList &arguments, const QStringList &allowedSwitches, ProjectArguments &parsed,
                           const QString &repeatable = QString());
