#pragma once

#include <QWidget>

class CheckOrderList;
class OfferedEntriesModel;
class OfferedSearchModel;
class PageEditSession;
class PageGridModel;
class Prompt;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTableView;
class QToolButton;

// The page editor's tab "Objekte": the offered catalogue entries (ObjBox), the page's object rows
// (SG) and macro rows (MG), and the order of the object columns (ObjSeqLB). Owns its controls and
// the item models behind them; points to the page session and the prompt without owning them.
class ObjekteTab : public QWidget
{
    Q_OBJECT

public:
    ObjekteTab(PageEditSession &session, Prompt &prompt, QWidget *parent = nullptr);
    ~ObjekteTab() override;

    // Shows a page just begun: all offered entries (the search emptied), both grids (first row
    // current, the blank rows empty) and the column order.
    void loadFromModel();
    // Shows the page again after it changed behind the tab's back (undo, redo): the search, the
    // current cells and the blank rows' labels stay.
    void reloadPage();

    // The focus moved from one control of the window to another.
    void focusMoved(QWidget *from, QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    // Shows view's grid afresh with row row current in the same column; this placing of the
    // current cell is no selection by the user, so it toggles nothing.
    void reloadGrid(QTableView *view, int row);

    void ObjBoxClick();
    void SearchEdtChange(const QString &text);
    void SearchEdtReturn();
    // The offered entry selected in ObjBox (a position in the page model's offered entries), -1.
    int selectedOffered() const;
    void SelectObjBtnClick();
    void DelActRowBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    // A row of the grid dragged from view row from and dropped to take view row to.
    void SGDragDrop(int from, int to);
    void SGSelectCell(int column, int row);
    void SGEnter();
    void SelectMakroBtnClick();
    void DelMakroBtnClick();
    void MakroMoveUpBtnClick();
    void MakroMoveDownBtnClick();
    void MGDragDrop(int from, int to);
    void ObjColUpBtnClick();
    void ObjColDownBtnClick();
    void ObjSeqLBDragDrop(int from, int to);
    void FormResize();

    PageEditSession &m_session;
    Prompt &m_prompt;
    OfferedEntriesModel *m_offered = nullptr;
    OfferedSearchModel *m_search = nullptr;
    QLineEdit *SearchEdt = nullptr;
    PageGridModel *m_sgModel = nullptr;
    PageGridModel *m_mgModel = nullptr;
    bool m_selectingByProgram = false;

    QLabel *CatalogueNoticeLb = nullptr; // shown while the catalogue offers no object
    QListView *ObjBox = nullptr;
    QToolButton *SelectObjBtn = nullptr;
    QToolButton *SelectMakroBtn = nullptr;
    QTableView *SG = nullptr;
    QToolButton *MoveUpBtn = nullptr;
    QToolButton *MoveDownBtn = nullptr;
    QPushButton *DelActRowBtn = nullptr;
    QTableView *MG = nullptr;
    QToolButton *MakroMoveUpBtn = nullptr;
    QToolButton *MakroMoveDownBtn = nullptr;
    QPushButton *DelMakroBtn = nullptr;
    CheckOrderList *ObjSeqLB = nullptr;
    QToolButton *ObjColUpBtn = nullptr;
    QToolButton *ObjColDownBtn = nullptr;
};
