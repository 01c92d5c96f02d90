#pragma once

#include <QWidget>

class CheckOrderList;
class MacroGridModel;
class ObjGridModel;
class OfferedEntriesModel;
class OfferedSearchModel;
class QLabel;
class QLineEdit;
class PageModel;
class Prompt;
class QListView;
class QPushButton;
class QTableView;
class QToolButton;

// The page editor's tab "Objekte": the offered catalogue entries (ObjBox), the page's object rows
// (SG) and macro rows (MG), and the order of the object columns (ObjSeqLB). Owns its controls and
// the item models behind them; points to the page model and the prompt without owning them.
class ObjekteTab : public QWidget
{
    Q_OBJECT

public:
    ObjekteTab(PageModel &page, Prompt &prompt, QWidget *parent = nullptr);
    ~ObjekteTab() override;

    // Shows the page model: offered entries, both grids (first data row current) and column order.
    void loadFromModel();

    // The focus moved from one control of the window to another.
    void focusMoved(QWidget *from, QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    // Shows view's grid afresh with grid row row current in the same column; this placing of the
    // current cell is no selection by the user, so it toggles nothing.
    void reloadGrid(QTableView *view, int row);
    int currentGridRow(const QTableView *view) const;

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

    PageModel &m_page;
    Prompt &m_prompt;
    OfferedEntriesModel *m_offered = nullptr;
    OfferedSearchModel *m_search = nullptr;
    QLineEdit *SearchEdt = nullptr;
    ObjGridModel *m_sgModel = nullptr;
    MacroGridModel *m_mgModel = nullptr;
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
