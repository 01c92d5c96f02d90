#include "editor/ObjekteTab.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Messages.h"
#include "dialogs/Notice.h"
#include "editor/CheckOrderList.h"
#include "dialogs/WidgetHelpers.h"
#include "editor/LabelDelegate.h"
#include "editor/OfferedEntriesModel.h"
#include "editor/OfferedSearch.h"
#include "editor/PageGridModel.h"
#include "editor/PageGridView.h"
#include "editor/RowDragMove.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QShortcut>
#include <QVBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

using namespace Qt::Literals::StringLiterals;

namespace {
// Column widths of the grids (FormResize): SG splits its width between name and label and keeps
// the input column; MG has a minimum width the rule is built on.
constexpr int SGMinWidth = 0;
constexpr int SGInputWidth = 57;
constexpr int MGMinWidth = 295;
constexpr int MGMinHeight = 85;
constexpr int ObjBoxMinWidth = 200;

void setUpGrid(QTableView *view, PageGridModel *model, Prompt &prompt, const QString &accessibleName)
{
    view->setModel(model);
    view->setItemDelegateForColumn(PageGridModel::LabelColumn, new LabelDelegate(prompt, view));
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    view->setTabKeyNavigation(true);
    view->setWordWrap(false);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setHighlightSections(false);
    view->setAccessibleName(accessibleName);
}

QVBoxLayout *buttonColumn(std::initializer_list<QWidget *> buttons)
{
    auto *column = new QVBoxLayout;
    for (QWidget *button : buttons)
        column->addWidget(button);
    column->addStretch();
    return column;
}

} // namespace

ObjekteTab::ObjekteTab(PageEditSession &session, Prompt &prompt, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompt(prompt)
{
    setObjectName(u"Objekte"_s);
    buildControls();
    buildLayout();
    connectHandlers();
    loadFromModel();
}

ObjekteTab::~ObjekteTab() = default;

void ObjekteTab::buildControls()
{
    m_offered = new OfferedEntriesModel(m_session, this);
    // The search field filters the list; rows are always told in offered-entry positions.
    m_search = new OfferedSearchModel(m_session, this);
    m_search->setSourceModel(m_offered);
    SearchEdt = named<QLineEdit>(u"SearchEdt"_s);
    SearchEdt->setPlaceholderText(u"Suchen…"_s);
    SearchEdt->setAccessibleName(u"Objekte suchen"_s);
    SearchEdt->setToolTip(u"Objekte nach Name oder Beschreibung suchen (Strg+F); Eingabe übernimmt den einzigen "
                          u"Treffer, Esc leert die Suche"_s);
    SearchEdt->setClearButtonEnabled(true);
    SearchEdt->installEventFilter(this);
    auto *find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, SearchEdt, [this] {
        SearchEdt->setFocus();
        SearchEdt->selectAll();
    });
    CatalogueNoticeLb = named<QLabel>(u"CatalogueNoticeLb"_s);
    CatalogueNoticeLb->setWordWrap(true);
    CatalogueNoticeLb->hide();
    ObjBox = named<QListView>(u"ObjBox"_s);
    ObjBox->setModel(m_search);
    ObjBox->setItemDelegate(new SearchHighlightDelegate(*m_search, ObjBox));
    ObjBox->setUniformItemSizes(true);
    ObjBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ObjBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ObjBox->setAccessibleName(u"Objekte des Projekts"_s);
    ObjBox->setMinimumWidth(ObjBoxMinWidth);

    SelectObjBtn = arrowButton(u"SelectObjBtn"_s, Qt::RightArrow, u"Als Objekt übernehmen"_s);
    SelectMakroBtn = arrowButton(u"SelectMakroBtn"_s, Qt::RightArrow, u"Als Makro übernehmen"_s);

    m_sgModel = new PageGridModel(m_session, RowKind::Object, m_prompt, this);
    SG = named<PageGridView>(u"SG"_s);
    setUpGrid(SG, m_sgModel, m_prompt, u"Objekte der Seite"_s);
    SG->setMinimumWidth(SGMinWidth);
    SG->setColumnWidth(PageGridModel::InputColumn, SGInputWidth);
    MoveUpBtn = arrowButton(u"MoveUpBtn"_s, Qt::UpArrow, u"Nach oben"_s);
    MoveDownBtn = arrowButton(u"MoveDownBtn"_s, Qt::DownArrow, u"Nach unten"_s);
    DelActRowBtn = named<QPushButton>(u"DelActRowBtn"_s, u"&Objekt löschen"_s);

    m_mgModel = new PageGridModel(m_session, RowKind::Macro, m_prompt, this);
    MG = named<PageGridView>(u"MG"_s);
    setUpGrid(MG, m_mgModel, m_prompt, u"Makroauswahl"_s);
    MG->setMinimumSize(MGMinWidth, MGMinHeight);
    MakroMoveUpBtn = arrowButton(u"MakroMoveUpBtn"_s, Qt::UpArrow, u"Nach oben"_s);
    MakroMoveDownBtn = arrowButton(u"MakroMoveDownBtn"_s, Qt::DownArrow, u"Nach unten"_s);
    DelMakroBtn = named<QPushButton>(u"DelMakroBtn"_s, u"&Makro löschen"_s);

    ObjSeqLB = new CheckOrderList(m_session, PageEditSession::Order::Columns, u"ObjSeqLB"_s,
                                  u"Reihenfolge der Objektspalten"_s);
    ObjColUpBtn = arrowButton(u"ObjColUpBtn"_s, Qt::UpArrow, u"Nach oben"_s);
    ObjColDownBtn = arrowButton(u"ObjColDownBtn"_s, Qt::DownArrow, u"Nach unten"_s);
}

void ObjekteTab::buildLayout()
{
    auto *sgRow = new QHBoxLayout;
    sgRow->addWidget(SG);
    sgRow->addLayout(buttonColumn({MoveUpBtn, MoveDownBtn}));
    auto *mgRow = new QHBoxLayout;
    mgRow->addWidget(MG);
    mgRow->addLayout(buttonColumn({MakroMoveUpBtn, MakroMoveDownBtn}));

    auto *objSeq = new QGroupBox(u"Reihenfolge der Objektspalten"_s);
    auto *objSeqLayout = new QHBoxLayout(objSeq);
    objSeqLayout->addWidget(ObjSeqLB);
    objSeqLayout->addLayout(buttonColumn({ObjColUpBtn, ObjColDownBtn}));

    auto *grid = new QGridLayout(this);
    auto *offered = new QVBoxLayout;
    offered->addWidget(CatalogueNoticeLb);
    offered->addWidget(SearchEdt);
    offered->addWidget(ObjBox, 1);
    grid->addWidget(labelFor(u"Objekte des Projekts"_s, ObjBox), 0, 0);
    grid->addLayout(offered, 1, 0, 5, 1);
    grid->addWidget(SelectObjBtn, 1, 1);
    grid->addWidget(labelFor(u"Objekte der Seite"_s, SG), 0, 2);
    grid->addLayout(sgRow, 1, 2, 1, 2);
    grid->addWidget(DelActRowBtn, 2, 2, Qt::AlignLeft);
    grid->addWidget(labelFor(u"Makroauswahl"_s, MG), 3, 2);
    grid->addWidget(SelectMakroBtn, 4, 1);
    grid->addLayout(mgRow, 4, 2);
    grid->addWidget(DelMakroBtn, 5, 2, Qt::AlignLeft);
    grid->addWidget(objSeq, 3, 3, 3, 1, Qt::AlignTop);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(4, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 3);
}

void ObjekteTab::connectHandlers()
{
    const auto click = [this](QAbstractButton *button, void (ObjekteTab::*handler)()) {
        connectGuarded(m_prompt, button, &QAbstractButton::clicked, this, handler);
    };
    click(SelectObjBtn, &ObjekteTab::SelectObjBtnClick);
    click(DelActRowBtn, &ObjekteTab::DelActRowBtnClick);
    click(MoveUpBtn, &ObjekteTab::MoveUpBtnClick);
    click(MoveDownBtn, &ObjekteTab::MoveDownBtnClick);
    click(SelectMakroBtn, &ObjekteTab::SelectMakroBtnClick);
    click(DelMakroBtn, &ObjekteTab::DelMakroBtnClick);
    click(MakroMoveUpBtn, &ObjekteTab::MakroMoveUpBtnClick);
    click(MakroMoveDownBtn, &ObjekteTab::MakroMoveDownBtnClick);
    click(ObjColUpBtn, &ObjekteTab::ObjColUpBtnClick);
    click(ObjColDownBtn, &ObjekteTab::ObjColDownBtnClick);
    new RowDragMove(SG, m_prompt, [this](int from, int to) { SGDragDrop(from, to); });
    new RowDragMove(MG, m_prompt, [this](int from, int to) { MGDragDrop(from, to); });
    new RowDragMove(ObjSeqLB, m_prompt, [this](int from, int to) { ObjSeqLBDragDrop(from, to); });

    connectGuarded(m_prompt, ObjBox->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &ObjekteTab::ObjBoxClick);
    connectGuarded(m_prompt, SearchEdt, &QLineEdit::textChanged, this, &ObjekteTab::SearchEdtChange);
    connectGuarded(m_prompt, SG->selectionModel(), &QItemSelectionModel::currentChanged, this,
                   [this](const QModelIndex &current) {
                       if (!m_selectingByProgram && current.isValid())
                           SGSelectCell(current.column(), current.row());
                   });

    SG->viewport()->installEventFilter(this);
    SG->installEventFilter(this);
    MG->installEventFilter(this);
}

bool ObjekteTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SearchEdt && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Escape empties the search; it closes the window only once the search is empty.
        if (key == Qt::Key_Escape && !SearchEdt->text().isEmpty()) {
            SearchEdt->clear();
            return true;
        }
        // Enter in the search adds its one entry and never presses OK.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded(m_prompt, [this] { SearchEdtReturn(); });
            return true;
        }
    }
    if (event->type() == QEvent::Resize && (watched == SG || watched == MG)) {
        runGuarded(m_prompt, [this] { FormResize(); });
    } else if (event->type() == QEvent::MouseButtonPress && watched == SG->viewport()) {
        // A click on the cell that is current already selects it again, though the view sees no change.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = SG->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid() && index == SG->currentIndex())
            runGuarded(m_prompt, [&] { SGSelectCell(index.column(), index.row()); });
    }
    return QWidget::eventFilter(watched, event);
}

int ObjekteTab::selectedOffered() const
{
    const QModelIndex current = ObjBox->currentIndex();
    if (!current.isValid() || !ObjBox->selectionModel()->isSelected(current))
        return -1;
    return m_search->mapToSource(current).row();
}

void ObjekteTab::SearchEdtChange(const QString &text)
{
    m_search->setSearchText(text);
    ObjBoxClick();
}

void ObjekteTab::SearchEdtReturn()
{
    // Enter adds the one entry left as the button its kind enables would: as an object row, or as
    // a macro row when only the macro button is enabled; otherwise nothing.
    if (m_search->rowCount() != 1)
        return;
    ObjBox->setCurrentIndex(m_search->index(0, 0));
    const int offered = selectedOffered();
    if (offered < 0)
        return;
    const auto enabled = PageEditSession::addButtons(*m_session.offered().entries().at(offered).entry);
    if (enabled.object)
        SelectObjBtnClick();
    else if (enabled.macro)
        SelectMakroBtnClick();
}

void ObjekteTab::loadFromModel()
{
    // Every page starts with all entries offered.
    {
        const QSignalBlocker blocker(SearchEdt);
        SearchEdt->clear();
    }
    m_search->setSearchText(QString());
    m_offered->reload();
    m_search->entriesChanged();
    const QString reason = m_session.catalogue().emptyReason();
    CatalogueNoticeLb->setVisible(!reason.isEmpty());
    if (!reason.isEmpty())
        showNotice(CatalogueNoticeLb, CatalogueMessages::NoCatalogue, reason);
    m_sgModel->clearBlankRow();
    m_mgModel->clearBlankRow();
    reloadGrid(SG, 0);
    reloadGrid(MG, 0);
    ObjSeqLB->reload();
}

void ObjekteTab::reloadPage()
{
    for (QTableView *view : {SG, MG}) {
        // The blank row is the last one.
        const int last = view->model()->rowCount() - 1;
        reloadGrid(view, std::min(view->currentIndex().row(), last));
    }
    ObjSeqLB->reload();
}

void ObjekteTab::reloadGrid(QTableView *view, int row)
{
    auto *model = static_cast<PageGridModel *>(view->model());
    const int column = qMax(0, view->currentIndex().column());
    // An open label editor closes first, so the focus stays in the grid; its text is in the page.
    if (QWidget *editor = view->indexWidget(view->currentIndex()))
        emit view->itemDelegateForColumn(PageGridModel::LabelColumn)->closeEditor(editor);
    const QScopedValueRollback selecting(m_selectingByProgram, true);
    model->reload();
    view->setCurrentIndex(model->index(row, column));
}

void ObjekteTab::focusMoved(QWidget *from, QWidget *to)
{
    if (focusEnters(from, to, SG))
        SGEnter();
}

void ObjekteTab::ObjBoxClick()
{
    const int row = selectedOffered();
    if (row < 0 || row >= m_session.offered().count())
        return;
    const auto enabled = PageEditSession::addButtons(*m_session.offered().entries().at(row).entry);
    SelectObjBtn->setEnabled(enabled.object);
    SelectMakroBtn->setEnabled(enabled.macro);
}

void ObjekteTab::SelectObjBtnClick()
{
    const int row = m_session.addObjectRow(selectedOffered(), m_prompt);
    if (row < 0)
        return;
    m_sgModel->clearBlankRow();
    reloadGrid(SG, row);
}

void ObjekteTab::DelActRowBtnClick()
{
    reloadGrid(SG, m_session.deleteRow(RowKind::Object, selectedRow(SG)));
}

void ObjekteTab::MoveUpBtnClick()
{
    const int row = selectedRow(SG);
    reloadGrid(SG, m_session.moveRow(RowKind::Object, row, row - 1));
}

void ObjekteTab::MoveDownBtnClick()
{
    const int row = selectedRow(SG);
    reloadGrid(SG, m_session.moveRow(RowKind::Object, row, row + 1));
}

void ObjekteTab::SGDragDrop(int from, int to)
{
    reloadGrid(SG, m_session.moveRow(RowKind::Object, from, to));
}

void ObjekteTab::SGSelectCell(int column, int row)
{
    // Only the label column is editable (PageGridModel::flags); selecting an input cell toggles it.
    if (column != PageGridModel::InputColumn)
        return;
    m_session.toggleInput(row, m_prompt);
    m_sgModel->rowChanged(row);
}

void ObjekteTab::SGEnter()
{
    m_session.markChanged();
}

void ObjekteTab::SelectMakroBtnClick()
{
    const int row = m_session.addMacroRow(selectedOffered(), m_prompt);
    if (row < 0)
        return;
    m_mgModel->clearBlankRow();
    reloadGrid(MG, row);
}

void ObjekteTab::DelMakroBtnClick()
{
    reloadGrid(MG, m_session.deleteRow(RowKind::Macro, selectedRow(MG)));
}

void ObjekteTab::MakroMoveUpBtnClick()
{
    const int row = selectedRow(MG);
    reloadGrid(MG, m_session.moveRow(RowKind::Macro, row, row - 1));
}

void ObjekteTab::MakroMoveDownBtnClick()
{
    const int row = selectedRow(MG);
    reloadGrid(MG, m_session.moveRow(RowKind::Macro, row, row + 1));
}

void ObjekteTab::MGDragDrop(int from, int to)
{
    reloadGrid(MG, m_session.moveRow(RowKind::Macro, from, to));
}

void ObjekteTab::ObjColUpBtnClick()
{
    ObjSeqLB->moveSelected(-1);
}

void ObjekteTab::ObjColDownBtnClick()
{
    ObjSeqLB->moveSelected(1);
}

void ObjekteTab::ObjSeqLBDragDrop(int from, int to)
{
    ObjSeqLB->dropEntry(from, to);
}

void ObjekteTab::FormResize()
{
    // Column borders the user dragged give way to the rule at every size change.
    const int sgHalf = (SG->width() - SGMinWidth) / 2;
    SG->setColumnWidth(0, sgHalf + SGMinWidth - 100);
    SG->setColumnWidth(1, sgHalf + SGMinWidth);
    const int mgHalf = (MG->width() - MGMinWidth) / 2;
    MG->setColumnWidth(0, mgHalf + MGMinWidth - 220);
    MG->setColumnWidth(1, mgHalf + MGMinWidth - 100);
}
