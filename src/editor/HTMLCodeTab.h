#pragma once

#include <QWidget>

class PageModel;
class QPlainTextEdit;

// The page editor's tab "HTML-Einfügungen": the page's two free HTML texts, each line stored as
// typed. Owns its controls; points to the page model without owning it.
class HTMLCodeTab : public QWidget
{
    Q_OBJECT

public:
    explicit HTMLCodeTab(PageModel &page, QWidget *parent = nullptr);

    void loadFromModel();

    // The tab was brought to the front: the focus goes to the first insert, and whether automatic
    // refresh is allowed is decided anew.
    void HTMLCodeEnter();
    // The focus moved from one control of the window to another.
    void focusMoved(QWidget *from, QWidget *to);

private:
    void HTMLCode1MBEnter();
    void HTMLCode2MBEnter();

    PageModel &m_page;
    QPlainTextEdit *HTMLCode1MB = nullptr;
    QPlainTextEdit *HTMLCode2MB = nullptr;
};
