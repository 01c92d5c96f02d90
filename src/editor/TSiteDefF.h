#pragma once

#include "workspace/PageEditorView.h"

#include <QDialog>

class HTMLCodeTab;
class NavigationTab;
class ObjekteTab;
class PageModel;
class Prompt;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class SeitenLayoutTab;
class Workspace;

// The page editor "WEB-Seite definieren": shows the workspace's page model modally for one page,
// in the tabs Seitenlayout, Objekte, Navigation and HTML-Einfügungen, and saves it on OK. Created
// once at program start and reused for every page. Points to the workspace (its page model and
// page list) and the prompt without owning them.
class TSiteDefF : public QDialog, public PageEditorView
{
    Q_OBJECT

public:
    TSiteDefF(Workspace &workspace, Prompt &prompt, QWidget *parent = nullptr);
    ~TSiteDefF() override;

    bool showPageEditor() override;

protected:
    // "Abbrechen", Esc and the close box all end here: unsaved edits are confirmed first.
    void reject() override;

private:
    void connectHandlers();
    void loadFromModel();
    void focusMoved(QWidget *from, QWidget *to);
    void PageControlChange(int index);
    PageModel &page() const;

    void FormShow();
    void OKBtnClick();
    bool FormClose();
    void PageNameEdtEnter();
    void PageNameEdtExit();

    Workspace &m_workspace;
    Prompt &m_prompt;
    QMetaObject::Connection m_focusConnection; // application-wide, dropped before the controls go
    QWidget *m_currentTab = nullptr;

    QLabel *SiteNamPnl = nullptr;
    QTabWidget *PageControl = nullptr;
    SeitenLayoutTab *SeitenLayout = nullptr;
    ObjekteTab *Objekte = nullptr;
    NavigationTab *Navigation = nullptr;
    HTMLCodeTab *HTMLCode = nullptr;
    QLineEdit *PageNameEdt = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
