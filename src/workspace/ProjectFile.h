#pragma once

#include <QString>
#include <QStringList>

class AppState;
class ProjectModel;
class Prompt;

// The project file (project name + ".FNP" in the data folder): page list, start page, password
// prompt text, exempt IPs, options, data folder and execution file, as key=value lines.

// Writes the project view to DataFolder + name + ".FNP". Trims the model's AuthMsg and DirDatText
// first. Returns false after showing "Fehler %d beim Schreiben der Datei %s" when the file could
// not be created (the old file is untouched); an input/output error half-way throws OperationError.
bool WriteProjectFile(const QString &name, const AppState &state, ProjectModel &model, Prompt &prompt);

// Reads the project file at path into the view: pages are appended (a "*Site=" line without a name
// is skipped), the IP list replaced by a
// FREEIPS line, the two option boxes set from their lines, ExecFileName (and the execution file
// shown) from RVXFile. The caller empties the page list, prompt text and start page beforehand
// where needed. A file that cannot be opened shows "Datei %s nicht gefunden" (or why it was not
// read), a file of text that is no project file says so; either changes nothing and returns false.
bool ReadProjectFile(const QString &path, AppState &state, ProjectModel &model, Prompt &prompt);

// The project a project file belongs to, as opening it takes it: ProjectName := the file name
// without its last extension, DataFolder := the file's folder, native, ending with a delimiter.
void takeProjectLocation(const QString &projectFile, AppState &state);
