#pragma once

#include <QString>

class AppState;
class PageEditSession;
class ProjectModel;
class Prompt;
class SettingsStore;

namespace ProjectMessages {
inline const QString AskCaption = QStringLiteral("Eingabe");
inline const QString AskLabel = QStringLiteral("Neuer Name der Dateigruppe");
inline const QString ProposedName = QStringLiteral("FENNAROSET");
inline const QString OpenFilter = QStringLiteral("WEB-Seiten");
inline const QString TargetExists =
    QStringLiteral("Datei %1 existiert schon. Erstellen der neuen Dateien nicht möglich!");
inline const QString CopyFailed = QStringLiteral("Datei %1 konnte nicht kopiert werden!");
} // namespace ProjectMessages

// The project operations of the "Datei" menu and the data folder controls: new, open, rename and
// copy a project, choose or type the data folder. They change the program-wide state (AppState),
// the project shown (ProjectModel) and the project's files in the data folder; they ask and
// report through the Prompt; a new project also puts the page's build and column order back to
// their start state. Holds references only.
class ProjectOperations
{
public:
    ProjectOperations(AppState &state, ProjectModel &model, PageEditSession &page, Prompt &prompt,
                      SettingsStore *settings = nullptr);

    // Asks for a name (the name rule, at most maxLength characters) with name proposed. On OK name
    // is the answer without trailing blanks and the result is true; otherwise name is empty.
    bool AskName(const QString &caption, const QString &label, int maxLength, QString &name);

    // New project: asks for the name ("FENNAROSET" when there is none) and empties the page list,
    // prompt text, start page and user cells; takes the engine's current execution file. Writes
    // nothing.
    void Neu1Click();
    // Opens a project file chosen in the file dialog and its user list file; the file's folder
    // becomes the data folder. The view never keeps pages or users of the project shown before.
    // Missing or unreadable files are reported by their readers; name and folder are taken anyway.
    void ffnen1Click();
    // Renames the project and moves its files (project, pages, user list) in the data folder. A
    // name of another existing project is refused before anything changes; single moves that fail
    // are skipped silently. No file is ever replaced.
    void ChangeNameClick();
    // Copies the project's saved files under a new name; refused when that project file exists.
    // Each file that cannot be copied is reported. No file is ever replaced.
    void KopierenClick();
    // Data folder chosen in the folder dialog.
    void SearchDirBtnClick();
    // Data folder typed into DirDatEdt (the model's DirDatText): one trailing delimiter is removed.
    void DirDatEdtExit();

private:
    QString dataFile(const QString &name) const;
    bool askNewName(QString &name);
    bool isAnotherProject(const QString &oldName, const QString &newName) const;

    AppState &m_state;
    ProjectModel &m_model;
    PageEditSession &m_page;
    Prompt &m_prompt;
    SettingsStore *m_settings;
};
