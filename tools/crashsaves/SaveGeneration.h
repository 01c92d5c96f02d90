#pragma once

#include "text/CollectingPrompt.h"
#include "workspace/AppState.h"
#include "workspace/JsonSettingsStore.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

// The saves the crash test interrupts. Generation g is one complete save of the project HAUS
// through Workspace::Speichern1Click: project file, user list, settings and the refresh of every
// page file, each with contents that depend on g alone. So the files of any generation can be made
// again anywhere, and after an interrupted save every file must hold generation g or g - 1.
//
// The data folder is the relative path "daten": the project file and the settings name it, and a
// relative path keeps their bytes the same in every folder the test works in.
namespace SaveGeneration {

inline const QString DataFolder = QStringLiteral("daten");
inline const QString Project = QStringLiteral("HAUS");
inline constexpr int Pages = 40;

// The page names of the project.
QStringList pageNames();

// Every file a save writes, relative to the working folder, and the settings file given.
QStringList savedFiles(const QString &settingsFile);

// Opens the project as the editor does at its start, with the settings in settingsFile, in the
// current folder. Returns false with *error when it showed anything.
bool openProject(const QString &settingsFile, QString *error);

// One run of the program that saves generations: its program-wide state, prompt, settings store
// and workspace, working in the current folder.
class Saver
{
public:
    explicit Saver(const QString &settingsFile);

    // Sets the workspace to generation g (catalogue, execution file date, project view) and saves.
    // Returns false with *error (may be nullptr) when the save failed or reported anything.
    bool save(int g, QString *error);

private:
    AppState m_state;
    CollectingPrompt m_prompt;
    JsonSettingsStore m_store;
    Workspace m_workspace;
};

// Writes generation 0 from nothing into the current folder: every page file as the editor saves
// it, then a save of generation 0. Returns false with *error (may be nullptr) on failure.
bool writeStart(const QString &settingsFile, QString *error);

} // namespace SaveGeneration
