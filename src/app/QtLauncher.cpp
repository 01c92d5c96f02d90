#include "app/QtLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>

#include <string>
#endif

using namespace Qt::Literals::StringLiterals;

bool QtLauncher::startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
#ifdef Q_OS_WIN
    // With the "open" verb, as Explorer starts it: a program that needs administrator rights (the
    // updater replaces the program's files) asks for them instead of failing.
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring parameters = arguments.join(u' ').toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(),
                                                                 folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
    return result > 32;
#else
    return QProcess::startDetached(program, arguments, workingFolder);
#endif
}

bool QtLauncher::openDocument(const QString &pathOrAddress)
{
    const QUrl url = QFileInfo::exists(pathOrAddress) ? QUrl::fromLocalFile(pathOrAddress)
                                                      : QUrl::fromUserInput(pathOrAddress);
    return QDesktopServices::openUrl(url);
}

#ifdef Q_OS_WIN
namespace {
// HTML Help's keyword look-up, as htmlhelp.h declares it; hhctrl.ocx is loaded when it is needed.
struct HelpKeywordLink
{
    int cbStruct;
    BOOL fReserved;
    LPCWSTR pszKeywords;
    LPCWSTR pszUrl;
    LPCWSTR pszMsgText;
    LPCWSTR pszMsgTitle;
    LPCWSTR pszWindow;
    BOOL fIndexOnFail;
};
constexpr UINT HelpDisplayTopic = 0x0000;
constexpr UINT HelpKeywordLookup = 0x000D;
using HtmlHelpFunction = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
} // namespace
#endif

bool QtLauncher::openHelp(const QString &helpFile, const QString &keyword)
{
#ifdef Q_OS_WIN
    static const HtmlHelpFunction htmlHelp = [] {
        HMODULE library = LoadLibraryW(L"hhctrl.ocx");
        // Through void *: the function types of GetProcAddress and HtmlHelpW differ by design.
        return library ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void *>(GetProcAddress(library, "HtmlHelpW")))
                       : nullptr;
    }();
    if (!htmlHelp)
        return openDocument(helpFile);
    const std::wstring file = QDir::toNativeSeparators(helpFile).toStdWString();
    const std::wstring keywords = keyword.toStdWString();
    // The topic first, so that a keyword the file lacks still shows the help.
    if (!htmlHelp(GetDesktopWindow(), file.c_str(), HelpDisplayTopic, 0))
        return false;
    HelpKeywordLink link{};
    link.cbStruct = sizeof link;
    link.pszKeywords = keywords.c_str();
    link.fIndexOnFail = TRUE;
    htmlHelp(GetDesktopWindow(), file.c_str(), HelpKeywordLookup, reinterpret_cast<DWORD_PTR>(&link));
    return true;
#else
    // Outside Windows there is no HTML Help: the file opens with whatever the desktop has for it.
    Q_UNUSED(keyword);
    return openDocument(helpFile);
#endif
}

bool QtLauncher::activateRunning(const QString &programName)
{
#ifdef Q_OS_WIN
    // The updater is a program of its own whose main window has this class and the program's name
    // as its title.
    QString title = programName;
    if (title.endsWith(u".exe"_s, Qt::CaseInsensitive))
        title.chop(4);
    HWND window = FindWindowW(L"TApplication", title.toStdWString().c_str());
    if (!window)
        return false;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
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
