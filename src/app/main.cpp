#include "app/QtPrompt.h"
#include "app/TWEBServerDefMainF.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

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

    AppState state;
    QtPrompt prompt;
    WorkspaceHooks hooks;
    // Settings store, execution file reader, page refresh and browser lookup are attached here.
    Workspace workspace(state, prompt, std::move(hooks));

    // The windows exist once for the whole run; the main window comes first.
    TWEBServerDefMainF mainWindow(workspace, prompt, QApplication::applicationDirPath());
    prompt.setParent(&mainWindow);
    mainWindow.show();
    return QApplication::exec();
}
