#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One user of the users grid: a row with an empty user name is no user.
struct UserRow
{
    QString User;
    QString Password;
    QString StartPage;
};

// The project shown in the main window: what the project file and the user list file hold, as
// the main window's controls show it. The widgets display and edit this model; the file readers
// and writers use only the model.
class ProjectModel
{
public:
    // Users grid limits, counted in grid rows (header row included).
    static constexpr int StartGridRows = 7;     // header + 6 user rows
    static constexpr int MaxAddedGridRows = 63; // btAddUser is disabled beyond this
    static constexpr int MaxReadUsers = 65;     // user lines read from a user list file
    // Characters of a user line read: name, password and start page, each far shorter.
    static constexpr qsizetype MaxUserLineLength = 4096;

    QString HeadName;     // HeadPnl: the shown project name
    QStringList Sites;    // SiteBox: page names in order
    QString StartPage;    // StartPageEdt
    QString DirDatText;   // DirDatEdt: the data folder as typed
    QString RVXFileShown; // RVXFileLb: full path of the execution file shown; empty shows "..."
    QString AuthMsg;      // AuthMsgEdt: the password prompt text
    QList<UserRow> Users = QList<UserRow>(StartGridRows - 1); // UG data rows: Users[i] is grid row i + 1
    bool AddUserVisible = false;  // btAddUser: shown once a row below the fifth user row was selected
    bool AddUserEnabled = true;   // btAddUser: disabled when the grid has more than 63 rows
    QStringList FreeIPs;          // FreeIPsLB
    QString NewIP;                // NewIPEd
    bool AutoHandyDetect = false; // AutoHandyDetectCB; while checked the width controls are disabled
    bool NoAutoScale = false;     // NoAutoScaleCB
    qint32 BrowserWidth = 0;      // BrowserWidthSE
    bool testmode = false;        // test mode switch (red FixWidthLb), never read from a file
    bool IsChanged = false;       // unsaved edits; decides the save question at close

    // Number of rows of the users grid, header included.
    int userGridRows() const { return int(Users.size()) + 1; }

    // ClearProjectView: page list, password prompt text and start page emptied.
    void ClearProjectView()
    {
        Sites.clear();
        AuthMsg.clear();
        StartPage.clear();
    }

    // Empties every user cell; the number of rows stays.
    void clearUserCells()
    {
        for (UserRow &row : Users)
            row = UserRow();
    }
};
