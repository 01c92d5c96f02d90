#include "cli/ProjectArguments.h"

bool parseProjectArguments(const QStringList &arguments, const QStringList &allowedSwitches, ProjectArguments &parsed,
                           const QString &repeatable)
{
    parsed = ProjectArguments();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--exec") {
            if (parsed.hasExec || i + 1 >= arguments.size())
                return false;
            parsed.hasExec = true;
            parsed.execFile = arguments[++i];
        } else if (!repeatable.isEmpty() && argument == repeatable) {
            if (i + 1 >= arguments.size())
                return false;
            parsed.values.append(arguments[++i]);
        } else if (allowedSwitches.contains(argument)) {
            if (parsed.switches.contains(argument))
                return false;
            parsed.switches.append(argument);
        } else if (parsed.projectFile.isEmpty() && !argument.isEmpty() && !argument.startsWith(u"--")) {
            parsed.projectFile = argument;
        } else {
            return false;
        }
    }
    return !parsed.projectFile.isEmpty();
}
