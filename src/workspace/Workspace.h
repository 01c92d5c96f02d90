#pragma once

#include "page/PageEditSession.h"
#include "workspace/ProjectCheck.h"
#include "workspace/ProjectModel.h"
#include "workspace/ProjectOperations.h"
#include "workspace/Reassign.h"
#include "workspace/Refresh.h"

#include <QString>

#include <functional>
#include <memory>

class AppState;
class Launcher;
class PageEditorView;
class Prompt;
class SettingsStore;

// The main window's work without the window: start-up, saving, closing, the page list and the
// project view in its ProjectModel. Owns the project view, the page editing session with the one
// page (the page editor shows it, the refresh of all pages runs every page through it) and the
// project operations.
// Points to the program-wide state, the prompt and the settings store (may be null: then nothing
// is read or written there) without owning them.
class Workspace
{
public:
    static inline const QString HelpFileName = QStringLiteral("Fennaro.chm");
    static inline const QString UpdateTempFolder = QStringLiteral("_updatetemp");
    static inline const QString UpdaterProgram = QStringLiteral("TarvikUpdate.exe");
    static inline const QString HelpKeyword = QStringLiteral("WEB-Server");
    // The subfolder of the user's documents that becomes the data folder when none is known.
    static inline const QString DefaultDataFolderName = QStringLiteral("Fennaro WebDef");

    // The program behind the default web browser; empty when none is known.
    using BrowserLookup = std::function<QString()>;

    // launcher starts the updater and the help file; without one nothing is started.
    Workspace(AppState &state, Prompt &prompt, SettingsStore *settings = nullptr, BrowserLookup browserLookup = {},
              Launcher *launcher = nullptr);

    AppState &state() { return m_state; }
    Prompt &prompt() { return m_prompt; }
    ProjectModel &model() { return m_model; }
    PageEditSession &pageSession() { return m_pageSession; }
    SettingsStore *settingsStore() const { return m_settings; }
    ProjectOperations &operations() { return m_operations; }
    Launcher *launcher() const { return m_launcher; }
    const QString &helpFile() const { return m_helpFile; }

    // Start-up of the main window: fixed lists, settings, execution file, the last project's
    // project and user list files, shown names, browser, updater leftovers in programFolder; then
    // the page editor's start state with the offered entries of the catalogue just read. Without a
    // data folder from the settings the folder "Fennaro WebDef" in the user's documents is made and
    // taken. An input/output error while reading the project or user list file is shown and
    // start-up goes on with what was read.
    void FormCreate(const QString &programFolder);

    // First showing: true when no project is open, so the new-project operation has been run.
    bool FormShow();

    // Closing: takes the typed data folder, refreshes pages when the execution file changed (a
    // refresh that stops has shown its error; closing goes on), writes the settings and asks about
    // unsaved changes. Returns false when the window is to stay open (Cancel, or a save that did
    // not write the project).
    bool FormClose();

    // Saves the project: project file, user list file, settings, and the full page refresh when the
    // execution file changed. IsChanged becomes False only when both files were written. Returns
    // false when a file was not written or the refresh stopped at a page (its error has been shown;
    // RVXDate keeps its value, so the next save refreshes again).
    bool Speichern1Click();

    // Destruction of the main window: the catalogue is emptied.
    void FormDestroy();

    // Every page file of the project rewritten through the one page with the current catalogue.
    RefreshResult RefreshAllPages();

    // The page list. selected is the selected row of SiteBox (-1: none); an operation that needs
    // one and finds none shows "Kein Eintrag ausgewählt" and changes nothing. Page files are named
    // after ProjectName.

    // A new page through the editor; on OK it is appended (and becomes the start page when there
    // is none).
    void NewSiteBtnClick(PageEditorView &editor);
    // Edits the selected page (the first one when none is selected); returns the row to select. A
    // page saved under another name takes its place in the list and its old file is deleted.
    int WorkSiteBtnClick(int selected, PageEditorView &editor);
    // Asks first (naming what would then point to nowhere; No is the default), then deletes the
    // page's file when it exists, then the entry.
    void DelSiteBtnClick(int selected);
    void TakePageClick(int selected);

    // Another execution file chosen in the file dialog: the catalogue is emptied (the page session
    // drops every reference first) and read anew. On success the file is shown and becomes the
    // project's execution file, and the page editor offers the new entries; a failed read keeps
    // both (its message has been shown). Returns whether a file was read. IsChanged is untouched.
    bool ReadRVXMnClick();

    // The updater in the program folder with mode + ";" + version + ";" + release; a running
    // updater is brought to the front instead. "Datei TarvikUpdate.exe nicht gefunden" without it.
    void StartUpdater(const QString &mode);

    // Opens the compiled help file where one lies in the program folder (Windows); false when
    // there is none, so the editor shows its own manual.
    bool openHelpFile();

    // The project check of the saved project (its project file in the data folder) against the
    // current execution file. Reads only.
    CheckResult CheckProjectClick();
    // Edits the page named page through the page list's edit operation; false when the list has
    // no such page.
    bool editPageNamed(const QString &page, PageEditorView &editor);

    // "Objekte zuordnen...": the names the pages' rows use and the editor's catalogue no longer
    // offers, with proposals, the sure ones (AutoAssignScore) chosen. Reads only. Without an object
    // in the catalogue there is nothing to compare with: its notice is shown and nothing returned.
    std::unique_ptr<ReassignChoices> ReassignMnClick();
    // Rewrites the pages with the entries chosen, after the question that shows what changes (all
    // pages or none; a failure has been shown). True when pages were written.
    bool applyReassignment(const ReassignChoices &choices);

    // Whether the execution file changed since all pages were last refreshed.
    bool execFileChanged() const;

    // The documents subfolder DefaultDataFolderName, created when missing.
    static QString defaultDataFolder();

private:
    void removeUpdaterLeftovers();
    void writeSettings();
    // What the editor needs for the page of the project's page list named page (empty: a new page).
    PageHandOver handOver(const QString &page) const;

    AppState &m_state;
    Prompt &m_prompt;
    SettingsStore *m_settings;
    BrowserLookup m_browserLookup;
    Launcher *m_launcher;
    ProjectModel m_model;
    PageEditSession m_pageSession;
    QString m_helpFile;
    ProjectOperations m_operations;
};
