#pragma once

#include "workspace/PageEditorView.h"

#include <QDialog>

class HTMLCodeTab;
class FileViewTab;
class Launcher;
class NavigationTab;
class ObjekteTab;
class PageEditSession;
class PreviewTab;
class Prompt;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class SeitenLayoutTab;

// The page editor "WEB-Seite definieren": shows one page of the page session modally, in the tabs
// Seitenlayout, Objekte, Navigation and HTML-Einfügungen, with its preview and its file, and saves
// it on OK. Every change can be undone and redone ("Rückgängig", "Wiederholen"). Created once at
// program start and reused for every page. Points to the session, the prompt and the launcher that
// starts the browser (may be null) without owning them.
class TSiteDefF : public QDialog, public PageEditorView
{
    Q_OBJECT

public:
    TSiteDefF(PageEditSession &session, Prompt &prompt, Launcher *launcher = nullptr, QWidget *parent = nullptr);
    ~TSiteDefF() override;

    std::optional<QString> editPage(const PageHandOver &page) override;

protected:
    // "Abbrechen", Esc and the close box all end here: unsaved edits are confirmed first.
    void reject() override;
    // Strg+Z and Strg+Y in a text field undo and redo the field's own typing first.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUndoButtons();
    void connectHandlers();
    void watchTextFields();
    void watchTextField(QWidget *field);
    void loadFromModel();
    // Every tab shows the page again after undo or redo.
    void reloadPage();
    void showHistory();
    void focusMoved(QWidget *from, QWidget *to);
    void PageControlChange(int index);

    void FormShow(const PageHandOver &page);
    void OKBtnClick();
    bool FormClose();
    void PageNameEdtEnter();
    void PageNameEdtExit();
    void UndoBtnClick();
    void RedoBtnClick();

    PageEditSession &m_session;
    Prompt &m_prompt;
    QMetaObject::Connection m_focusConnection; // application-wide, dropped before the controls go
    QWidget *m_currentTab = nullptr;

    QLabel *SiteNamPnl = nullptr;
    QTabWidget *PageControl = nullptr;
    SeitenLayoutTab *SeitenLayout = nullptr;
    ObjekteTab *Objekte = nullptr;
    NavigationTab *Navigation = nullptr;
    HTMLCodeTab *HTMLCode = nullptr;
    PreviewTab *Preview = nullptr;
    FileViewTab *FileView = nullptr;
    QLineEdit *PageNameEdt = nullptr;
    QToolButton *UndoBtn = nullptr;
    QToolButton *RedoBtn = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
