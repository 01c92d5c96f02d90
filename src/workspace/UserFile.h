#pragma once

#include <QString>

class AppState;
class ProjectModel;
class Prompt;

// The user list file (project name + "_WEBUSERS.USR" in the data folder) and the row rules of the
// users grid. One line per user: name;password;start page, written as they stand.

// Writes every row with a user name; a grid without users gives one line holding one blank.
// Returns false after showing "Fehler %d beim Schreiben der Datei %s" when the file could not be
// created; an input/output error half-way throws OperationError.
bool WriteUserFile(const QString &name, const AppState &state, const ProjectModel &model, Prompt &prompt);

// Empties every user cell, then fills rows from the file's non-empty lines (at most 65 users,
// rows added as needed; the number of rows never shrinks). A missing file shows
// "Datei nicht gefunden: <path>", leaves the cells empty and returns false.
bool ReadUserFile(const QString &name, const AppState &state, ProjectModel &model, Prompt &prompt);

// A cell of grid row gridRow (1 = first user row) was selected: below the fifth user row the
// add button becomes visible for good.
void UGSelectCell(ProjectModel &model, int gridRow);

// btAddUser: appends one empty user row; the button is disabled once the grid has more than 63 rows.
void AddUserRow(ProjectModel &model);

// DeleteUserBt on the selected grid row gridRow: empties the row; with more than 4 grid rows the
// rows below move up, the last row goes and the add button is enabled again. Without a selected
// user row (gridRow outside them) "Kein Eintrag ausgewählt" and nothing changes. Does not touch
// IsChanged.
void DeleteUserRow(ProjectModel &model, int gridRow, Prompt &prompt);
