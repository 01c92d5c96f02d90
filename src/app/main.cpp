#include "app/QtPrompt.h"
#include "app/TWEBServerDefMainF.h"
#include "catalogue/RvxReader.h"
#include "dialogs/TEingabeF.h"
#include "page/PageModel.h"
#include "workspace/AppState.h"
#include "workspace/ProjectOperations.h"
#include "workspace/Refresh.h"
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
    WorkspaceHooks hooks;
    hooks.readExecFile = [&state, &prompt](const QString &path) {
        return ReadRVXFile(path, state.catalogue, prompt, &state.ExecFileDate);
    };
    // The browser lookup is attached here when the page editor exists.
    Workspace workspace(state, prompt, &settings, std::move(hooks));

    // The windows exist once for the whole run; the main window comes first.
    TWEBServerDefMainF mainWindow(workspace, prompt, QApplication::applicationDirPath());
    prompt.setParent(&mainWindow);
    TEingabeF eingabeF(prompt, &mainWindow);
    prompt.setInputDialog(&eingabeF);

    // The one page model, set up as the page editor's creation does; the full page refresh runs
    // every page of the project through it without showing anything.
    PageModel pageModel(state.catalogue);
    pageModel.FillPagePosLB();
    pageModel.InitAll();
    workspace.hooks().refreshAllPages = [&] { RefreshAllPages(state, workspace.model().Sites, pageModel, prompt); };
    workspace.operations().setHooks({[&pageModel] { pageModel.FillPagePosLB(); }});
    mainWindow.show();
    return QApplication::exec();
}
