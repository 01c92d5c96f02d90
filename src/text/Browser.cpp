#include "text/Browser.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

QString browserCommandPath(const QString &command)
{
    if (!command.startsWith(u'"'))
        return command;
    const QString rest = command.mid(1, 1023);
    const qsizetype end = rest.indexOf(u'"');
    return end < 0 ? QString() : rest.left(end);
}

QString desktopEntryProgram(const QStringList &lines)
{
    bool inEntry = false;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        if (!inEntry || !line.startsWith(u"Exec="))
            continue;
        const QString exec = line.mid(5).trimmed();
        if (exec.startsWith(u'"')) {
            const qsizetype end = exec.indexOf(u'"', 1);
            return end < 0 ? QString() : exec.mid(1, end - 1);
        }
        return exec.section(u' ', 0, 0);
    }
    return QString();
}

namespace {

#ifndef Q_OS_WIN
// The desktop's choice, as xdg-settings reports it ("firefox-esr.desktop"), resolved to its program.
QString xdgDefaultBrowser()
{
    const QString xdgSettings = QStandardPaths::findExecutable(u"xdg-settings"_s);
    if (xdgSettings.isEmpty())
        return QString();
    QProcess process;
    process.start(xdgSettings, {u"get"_s, u"default-web-browser"_s});
    if (!process.waitForFinished(3000) || process.exitCode() != 0)
        return QString();
    const QString desktopFile = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    if (desktopFile.isEmpty())
        return QString();
    const QString entry =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile, QStandardPaths::LocateFile);
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString program = desktopEntryProgram(QString::fromUtf8(file.readAll()).split(u'\n'));
    return program.isEmpty() ? QString() : QStandardPaths::findExecutable(program);
}
#endif

} // namespace

QString DefaultBrowserPath()
{
#ifdef Q_OS_WIN
    // Read-only: a standard user may not open the key for writing, and reading is all we need.
    const QSettings key(u"HKEY_CLASSES_ROOT\\http\\shell\\open\\command"_s, QSettings::NativeFormat);
    return browserCommandPath(key.value(u"Default"_s).toString());
#else
    // $BROWSER names one or more programs separated by ":", the first one found wins.
    for (const QString &candidate : qEnvironmentVariable("BROWSER").split(u':', Qt::SkipEmptyParts)) {
        const QString program = QStandardPaths::findExecutable(candidate.section(u' ', 0, 0));
        if (!program.isEmpty())
            return program;
    }
    const QString desktopChoice = xdgDefaultBrowser();
    if (!desktopChoice.isEmpty())
        return desktopChoice;
    return QStandardPaths::findExecutable(u"xdg-open"_s);
#endif
}
