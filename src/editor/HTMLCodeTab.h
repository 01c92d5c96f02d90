#pragma once

#include <QWidget>

class PageEditSession;
class QPlainTextEdit;

// The page editor's tab "HTML-Einfügungen": the page's two free HTML texts, each line stored as
// typed. Owns its controls; points to the page session without owning it.
class HTMLCodeTab : public QWidget
{
    Q_OBJECT

public:
    explicit HTMLCodeTab(PageEditSession &session, QWidget *parent = nullptr);

    // Shows the inserts of a page just begun.
    void loadFromModel();
    // Shows them again after the page changed behind the tab's back (undo, redo).
    void reloadPage();

    // The tab was brought to the front: the focus goes to the first insert, and whether automatic
    // refresh is allowed is decided anew.
    void HTMLCodeEnter();
    // The focus moved from one control of the window to another.
    void focusMoved(QWidget *from, QWidget *to);

private:
    void HTMLCode1MBEnter();
    void HTMLCode2MBEnter();

    PageEditSession &m_session;
    QPlainTextEdit *HTMLCode1MB = nullptr;
    QPlainTextEdit *HTMLCode2MB = nullptr;
};
