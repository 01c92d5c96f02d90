#include "app/QtLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::Literals::StringLiterals;

bool QtLauncher::startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool QtLauncher::openDocument(const QString &pathOrAddress)
{
    const QUrl url = QFileInfo::exists(pathOrAddress) ? QUrl::fromLocalFile(pathOrAddress)
                                                      : QUrl::fromUserInput(pathOrAddress);
    return QDesktopServices::openUrl(url);
}

bool QtLauncher::activateRunning(const QString &programName)
{
#ifdef Q_OS_WIN
    // The updater is a program of its own whose main window has this class and title.
    Q_UNUSED(programName);
    HWND window = FindWindowW(L"TApplication", L"TarvikUpdate");
    if (!window)
        return false;
    SetForegroundWindow(window);
    return true;
#else
    // Found by its process name; its window is the desktop's to raise.
    QString name = programName;
    if (name.endsWith(u".exe"_s, Qt::CaseInsensitive))
        name.chop(4);
    const QStringList processes = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        QFile comm(u"/proc/"_s + pid + u"/comm"_s);
        if (comm.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(comm.readAll()).trimmed() == name.left(15))
            return true;
    }
    return false;
#endif
}
