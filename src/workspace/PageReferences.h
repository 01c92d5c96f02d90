#pragma once

#include <QString>
#include <QStringList>

class AppState;
class ProjectModel;

// What names a page of the project and points nowhere once the page is gone: the start page
// without login, users' start pages and links of the project's other pages. Page names are
// compared as the page list finds them, without regard to letter case.
struct PageReferences
{
    bool startPage = false;   // the start page without login
    QStringList users;        // users whose start page it is, in grid order
    QStringList linkingPages; // other pages of the list with a link to it, in list order

    bool isEmpty() const { return !startPage && users.isEmpty() && linkingPages.isEmpty(); }
};

// The references to page in project, whose page files lie in state's data folder and are named
// after state's project name. Reads the other pages' files and writes nothing; a page file that is
// missing or cannot be read counts with the links read before.
PageReferences findPageReferences(AppState &state, const ProjectModel &project, const QString &page);

// The question before a page and its file are deleted, naming what would then point nowhere.
QString deletePageQuestion(const QString &page, const QString &file, const PageReferences &references);
