#include "cli/CliRunner.h"

#include "workspace/Version.h"

#include "cli/CatalogueCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CliCommand.h"
#include "cli/Messages.h"
#include "cli/ReassignCommand.h"
#include "cli/RefreshCommand.h"
#include "cli/StderrPrompt.h"
#include "text/OperationError.h"

#include <QIODevice>

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CliCommandEntry
{
    QString name;
    CliCommandFunction run;
};

// The commands, by name. A new command is one entry here and its own file.
const CliCommandEntry Commands[] = {
    {u"catalogue"_s, runCatalogueCommand},
    {u"refresh"_s, runRefreshCommand},
    {u"check"_s, runCheckCommand},
    {u"reassign"_s, runReassignCommand},
};

} // namespace

CliRunner::CliRunner(QIODevice &out, QIODevice &err) : m_out(out), m_err(err) {}

int CliRunner::run(const QStringList &arguments)
{
    StderrPrompt prompt(m_err);
    if (arguments.size() == 1 && (arguments.first() == u"--help"_s || arguments.first() == u"-h"_s)) {
        m_out.write(CliMessages::Usage.toUtf8());
        return ExitOk;
    }
    if (arguments.size() == 1 && arguments.first() == u"--version"_s) {
        m_out.write((u"webdef-cli "_s + Version::Number + u" ("_s + Version::Release + u")\n"_s).toUtf8());
        return ExitOk;
    }
    const CliCommandEntry *command = nullptr;
    if (!arguments.isEmpty()) {
        for (const CliCommandEntry &entry : Commands) {
            if (entry.name == arguments.first())
                command = &entry;
        }
        if (!command)
            prompt.writeLine(CliMessages::UnknownCommand.arg(arguments.first()));
    }
    if (!command) {
        m_err.write(CliMessages::Usage.toUtf8());
        return ExitUsage;
    }

    CliContext context{arguments.mid(1), m_out, m_err, prompt};
    int status = ExitFailed;
    try {
        status = command->run(context);
    } catch (const OperationError &e) {
        prompt.writeLine(e.message());
        return ExitFailed;
    } catch (const std::exception &e) {
        prompt.writeLine(QString::fromUtf8(e.what()));
        return ExitFailed;
    }
    if (status == ExitUsage)
        m_err.write(CliMessages::Usage.toUtf8());
    return status;
}
