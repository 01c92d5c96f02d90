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
    QString HeadName;         // HeadPnl: the shown project name
    QStringList Sites;        // SiteBox: page names in order
    QString StartPage;        // StartPageEdt
    QString DirDatText;       // DirDatEdt: the data folder as typed
    QString AuthMsg;          // AuthMsgEdt: the password prompt text
    QList<UserRow> Users = QList<UserRow>(6); // UG data rows (grid rows 1..); the grid starts with 6
    QStringList FreeIPs;      // FreeIPsLB
    QString NewIP;            // NewIPEd
    bool AutoHandyDetect = false; // AutoHandyDetectCB
    bool NoAutoScale = false;     // NoAutoScaleCB
    qint32 BrowserWidth = 0;      // BrowserWidthSE
    bool testmode = false;        // test mode switch (red FixWidthLb), never read from a file
    bool IsChanged = false;       // unsaved edits; decides the save question at close

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
