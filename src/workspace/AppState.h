#pragma once

#include "catalogue/Catalogue.h"
#include "workspace/TDefData.h"

#include <QString>

// Program-wide state, alive from start to exit: the open project's name, the folders, the current
// execution file and its date, the browser and the object catalogue.
class AppState
{
public:
    QString ProjectName;    // file name of the project file without folder and extension
    QString DataFolder;     // may or may not end with a path delimiter
    QString ProgramFolder;  // always ends with a path delimiter
    QString ExecFileName;   // full path of the current execution file; empty when none
    double ExecFileDate = 0.0; // modification time of the last execution file read (OleDate)
    TDefData DefData;
    QString BrowserPath;
    Catalogue catalogue;
};
