#pragma once

#include "workspace/ProjectModel.h"
#include "workspace/ProjectOperations.h"

#include <QString>

#include <functional>

class AppState;
class Prompt;
class SettingsStore;

// Operations of other parts of the program that start-up, saving and closing call. Each may be
// left empty; an empty hook does nothing (a missing readExecFile counts as a failed read).
struct WorkspaceHooks
{
    std::function<bool(const QString &)> readExecFile; // ReadRVXFile of a path; true on success
    std::function<void()> refreshAllPages;             // RefreshAllPages; throws OperationError when it stops
    std::function<QString()> defaultBrowserPath;       // DefaultBrowserPath
};

// The main window's work without the window: start-up, saving, closing and the project view in
// its ProjectModel. Points to the program-wide state, the prompt and the settings store (may be
// null: then nothing is read or written there) without owning them.
class Workspace
{
public:
    static inline const QString HelpFileName = QStringLiteral("Fennaro.chm");
    static inline const QString UpdateTempFolder = QStringLiteral("_updatetemp");

    Workspace(AppState &state, Prompt &prompt, SettingsStore *settings = nullptr, WorkspaceHooks hooks = {});

    AppState &state() { return m_state; }
    Prompt &prompt() { return m_prompt; }
    ProjectModel &model() { return m_model; }
    WorkspaceHooks &hooks() { return m_hooks; }
    SettingsStore *settingsStore() const { return m_settings; }
    ProjectOperations &operations() { return m_operations; }
    const QString &helpFile() const { return m_helpFile; }

    // Start-up of the main window: fixed lists, settings, execution file, the last project's
    // project and user list files, shown names, browser, updater leftovers in programFolder.
    void FormCreate(const QString &programFolder);

    // First showing: true when no project is open, so the new-project operation has been run.
    bool FormShow();

    // Closing: takes the typed data folder, refreshes pages when the execution file changed, writes
    // the settings and asks about unsaved changes. Returns false when the window is to stay open
    // (Cancel, or a save that did not write everything).
    bool FormClose();

    // Saves the project: project file, user list file, settings, and the full page refresh when the
    // execution file changed. IsChanged becomes False only when both files were written.
    void Speichern1Click();

    // Destruction of the main window: the catalogue and the fixed name lists are emptied.
    void FormDestroy();

    // Page list operations that need no page editor. selected is the selected row of SiteBox (-1:
    // none); with none they show "Kein Eintrag ausgewählt" and change nothing.
    void TakePageClick(int selected);
    // Deletes the page's file (named after the shown project name) when it exists, then the entry.
    void DelSiteBtnClick(int selected);
    // The full page refresh, when one is attached.
    void RefreshBtClick();

    // Project operations of the Datei menu and the data folder controls.
    void Neu1Click();
    void ffnen1Click();
    void ChangeNameClick();
    void KopierenClick();
    void SearchDirBtnClick();
    void DirDatEdtExit();

    // Whether the execution file changed since all pages were last refreshed.
    bool execFileChanged() const;

private:
    void removeUpdaterLeftovers();
    void writeSettings();

    AppState &m_state;
    Prompt &m_prompt;
    SettingsStore *m_settings;
    WorkspaceHooks m_hooks;
    ProjectModel m_model;
    QString m_helpFile;
    ProjectOperations m_operations;
};
