#pragma once

#include <QString>

// The project/user record. Of the program's one instance only RVXDate is used: the execution
// file date (days since 30 December 1899, see text/OleDate.h) when all pages were last refreshed.
struct TDefData
{
    QString AuthMsg;
    QString User;
    QString Password;
    QString StartPage;
    double RVXDate = 0.0;
};
