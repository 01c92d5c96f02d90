#include "editor/RowDragMove.h"

#include "text/Guard.h"

#include <QAbstractItemView>
#include <QDropEvent>

#include <utility>

RowDragMove::RowDragMove(QAbstractItemView *view, Prompt &prompt, Handler handler)
    : QObject(view), m_view(view), m_prompt(prompt), m_handler(std::move(handler))
{
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::InternalMove);
    view->setDefaultDropAction(Qt::MoveAction);
    view->setDropIndicatorShown(true);
    // A table view would otherwise drop onto a cell and empty the cell the drag came from.
    view->setDragDropOverwriteMode(false);
    view->viewport()->installEventFilter(this);
}

int RowDragMove::targetRow(const QAbstractItemView *view, int from, const QPoint &pos)
{
    // The halves are those of the view's drop line for rows that take no drop themselves.
    const QModelIndex at = view->indexAt(pos);
    int before = view->model()->rowCount();
    if (at.isValid())
        before = pos.y() < view->visualRect(at).center().y() ? at.row() : at.row() + 1;
    // The row leaves its place first, so a place further down is one row higher.
    return before > from ? before - 1 : before;
}

bool RowDragMove::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Drop || watched != m_view->viewport())
        return QObject::eventFilter(watched, event);
    // Qt hands a drop only to the widget that took the drag as it entered, and in InternalMove the
    // view takes none but its own: the drop carries the view's selected row.
    auto *drop = static_cast<QDropEvent *>(event);
    if (const int from = draggedRow(); from >= 0) {
        const int to = targetRow(m_view, from, drop->position().toPoint());
        runGuarded(m_prompt, [&] { m_handler(from, to); });
    }
    // The page model has moved the row. Reported as a copy, the drop leaves the view nothing to
    // remove when the drag ends; accepted, it tells the view the rows have moved, and the view
    // still ends its drag state.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    return false;
}

int RowDragMove::draggedRow() const
{
    // A drag starts on the row pressed, which is then the selected one.
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}
