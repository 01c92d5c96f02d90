#pragma once

#include <QMainWindow>

class PageEditorView;
class TCheckF;
class TInfoF;
class THelpF;
class Prompt;
class Workspace;
class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QToolButton;

// The main window: one project with its pages, users, exempt IPs and general options, and the
// Datei and Hilfe menus. Shows the Workspace's ProjectModel and hands every operation to the
// Workspace; points to the Workspace and the Prompt without owning them.
class TWEBServerDefMainF : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString Caption = QStringLiteral("Fennaro WebDef");

    // Builds the window and runs the start-up sequence (FormCreate) for programFolder. Pages are
    // created and edited with editor.
    TWEBServerDefMainF(Workspace &workspace, Prompt &prompt, PageEditorView &editor, const QString &programFolder,
                       QWidget *parent = nullptr);
    ~TWEBServerDefMainF() override;

    // Shows the model in the controls without firing their handlers.
    void loadFromModel();

    // The execution file shown in RVXFileLb, shortened to the label's width; empty shows "...".
    void ShowShortPath(const QString &path);
    // RVXFileLb: the execution file shown, or the notice that the catalogue offers no object.
    void showExecFile();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    QWidget *buildSiteDefPage();
    QWidget *buildUserPage();
    QWidget *buildIPFreePage();
    QWidget *buildGeneralPage();
    void connectHandlers();
    void connectMenuHandlers();
    void loadUserGrid();
    void applyWidthRule();
    void focusMoved(QWidget *from, QWidget *to);
    int currentUserGridRow() const;

    // Datei and Hilfe menus
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void ChangeNameClick();
    void KopierenClick();
    void ReadRVXMnClick();
    void CheckProjectMnClick();
    void ReassignMnClick();
    void CheckPageChosen(const QString &page);
    void UpdateMpClick();
    void Beenden1Click();
    void Hilfetexte1Click();
    void InternetUpdate1Click();
    void Info1Click();

    // Seitendefinitionen
    void NewSiteBtnClick();
    void WorkSiteBtnClick();
    void DelSiteBtnClick();
    // Enter and Entf in the page list; returns whether the key was taken.
    bool SiteBoxKeyPress(const QKeyEvent &key);
    void RefreshBtClick();
    void TakePageClick();
    void SearchDirBtnClick();
    void DirDatEdtExit();

    // Benutzer und Startseiten
    void AuthMsgEdtEnter();
    void UGEnter();
    void UGSelectCell(int row, int column);
    void UGSetEditText(int row, int column);
    void btAddUserClick();
    void DeleteUserBtClick();

    // IPs ohne Kennwortabfrage, Allgemein
    void AddToListBtClick();
    void DeleteIPBtClick();
    void AutoHandyDetectCBClick();
    void FixWidthLbDblClick();

    Workspace &m_workspace;
    Prompt &m_prompt;
    PageEditorView &m_editor;
    bool m_shown = false;
    QMetaObject::Connection m_focusConnection; // application-wide, dropped before the controls go

    QLabel *HeadPnl = nullptr;
    QTabWidget *qw = nullptr;
    QWidget *SiteDefPg = nullptr;
    QWidget *UserPg = nullptr;
    QWidget *IPFreePg = nullptr;
    QWidget *General = nullptr;

    QListWidget *SiteBox = nullptr;
    QPushButton *NewSiteBtn = nullptr;
    QPushButton *WorkSiteBtn = nullptr;
    QPushButton *DelSiteBtn = nullptr;
    QPushButton *RefreshBt = nullptr;
    QPushButton *TakePage = nullptr;
    QLineEdit *StartPageEdt = nullptr;
    QLineEdit *DirDatEdt = nullptr;
    QPushButton *SearchDirBtn = nullptr;
    QLabel *RVXFileLb = nullptr;

    QLineEdit *AuthMsgEdt = nullptr;
    QTableWidget *UG = nullptr;
    QPushButton *DeleteUserBt = nullptr;
    QPushButton *btAddUser = nullptr;

    QLabel *DescIPListLb = nullptr;
    QLineEdit *NewIPEd = nullptr;
    QToolButton *AddToListBt = nullptr;
    QToolButton *DeleteIPBt = nullptr;
    QListWidget *FreeIPsLB = nullptr;

    QCheckBox *AutoHandyDetectCB = nullptr;
    QCheckBox *NoAutoScaleCB = nullptr;
    QLabel *FixWidthLb = nullptr;
    QSpinBox *BrowserWidthSE = nullptr;

    QAction *Neu1 = nullptr;
    QAction *ffnen1 = nullptr;
    QAction *Speichern1 = nullptr;
    QAction *ChangeName = nullptr;
    QAction *Kopieren = nullptr;
    QAction *ReadRVXMn = nullptr;
    QAction *CheckProjectMn = nullptr;
    QAction *ReassignMn = nullptr;
    QAction *UpdateMp = nullptr;
    QAction *Beenden1 = nullptr;
    QAction *Hilfetexte1 = nullptr;
    QAction *InternetUpdate1 = nullptr;
    QAction *Info1 = nullptr;

    TInfoF *InfoF = nullptr;
    THelpF *HelpF = nullptr;
    TCheckF *CheckF = nullptr;
};
