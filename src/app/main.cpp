#include "app/QtLauncher.h"
#include "app/QtPrompt.h"
#include "app/TWEBServerDefMainF.h"
#include "dialogs/TEingabeF.h"
#include "editor/TSiteDefF.h"
#include "text/Browser.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

#ifdef Q_OS_WIN
#include "workspace/RegistrySettingsStore.h"
#else
#include "workspace/JsonSettingsStore.h"
#endif

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Webserver"_s);

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

#ifdef Q_OS_WIN
    RegistrySettingsStore settings;
#else
    JsonSettingsStore settings;
#endif
    AppState state;
    QtPrompt prompt;
    QtLauncher launcher;
    Workspace workspace(state, prompt, &settings, &DefaultBrowserPath, &launcher);

    // The windows exist once for the whole run. The page editor is shown modally, centred on the
    // screen; the main window's start-up reads the catalogue and sets up the editor's page.
    TSiteDefF siteDefF(workspace.pageSession(), prompt, &launcher);
    TWEBServerDefMainF mainWindow(workspace, prompt, siteDefF, QApplication::applicationDirPath());
    prompt.setParent(&mainWindow);
    TEingabeF eingabeF(prompt, &mainWindow);
    prompt.setInputDialog(&eingabeF);
    mainWindow.show();
    return QApplication::exec();
}
