#pragma once

#include <QWidget>

class Launcher;
class PageEditSession;
class Prompt;
class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class TextStylePanel;

// The page editor's tab "Navigation": the page's navigation links (NaviLB), the other pages of the
// project to link to (SeitenLB), the panel a link is edited on (LinkNamPnl) and the links' text
// style. Owns its controls; points to the page session, the prompt and the launcher that starts
// the browser (may be null: then nothing is started) without owning them.
class NavigationTab : public QWidget
{
    Q_OBJECT

public:
    NavigationTab(PageEditSession &session, Prompt &prompt, Launcher *launcher, QWidget *parent = nullptr);

    // Shows the links, the other pages and the links' style; a link being edited is dropped.
    void loadFromModel();
    // Shows the links and their style again, the selection kept where it can be.
    void reloadPage();

    // The focus left the tab, or another tab was brought to the front: a link being edited is
    // dropped as by "Abbruch".
    void NavigationExit();
    // Whether the link panel is open: its edit is not yet part of the page.
    bool isEditingLink() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildLinkPanel();
    void buildLayout();
    void connectHandlers();
    // Shows the links with link current selected (-1: none).
    void loadLinks(int current);
    int selectedLink() const;
    void openLinkPanel(const QString &name, const QString &target);
    void closeLinkPanel();

    void SelectNaviBtnClick();
    void LinkNamBtnClick();
    void NewLinkBtnClick();
    void OKLinkBtnClick();
    void CancelLinkBtnClick();
    void DelLinkBtnClick();
    void NavMoveUpBtClick();
    void NavMoveDownBtClick();
    // A link dragged from position from and dropped to take position to.
    void NaviLBDragDrop(int from, int to);
    void NaviLBClick();
    void SelectLinkBtClick();

    PageEditSession &m_session;
    Prompt &m_prompt;
    Launcher *m_launcher;
    int m_editedLink = -1; // the link the panel was opened on

    QWidget *m_linkList = nullptr; // the list and its buttons, which the panel lies over
    QListWidget *NaviLB = nullptr;
    QToolButton *NavMoveUpBt = nullptr;
    QToolButton *NavMoveDownBt = nullptr;
    QPushButton *LinkNamBtn = nullptr;
    QPushButton *NewLinkBtn = nullptr;
    QPushButton *DelLinkBtn = nullptr;
    QToolButton *SelectNaviBtn = nullptr;
    QListWidget *SeitenLB = nullptr;
    QFrame *LinkNamPnl = nullptr;
    QLineEdit *LinkNamEdt = nullptr;
    QLineEdit *LinkTargetEdt = nullptr;
    QToolButton *SelectLinkBt = nullptr;
    QPushButton *OKLinkBtn = nullptr;
    QPushButton *CancelLinkBtn = nullptr;
    TextStylePanel *m_naviStyle = nullptr; // NaviFontPnl, NaviFontlBtn, NaviBGColBtn
};
