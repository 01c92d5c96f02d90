#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class Prompt;
class QAbstractItemView;

// Lets the rows of an item view be reordered by dragging them with the mouse. The view only carries
// the drag; the move itself is the handler's, which gets the dragged row and the row it is to take
// (view rows) and moves it in the page model as the move buttons do. Watches the view's viewport
// and is owned by the view; points to the prompt without owning it.
class RowDragMove : public QObject
{
public:
    using Handler = std::function<void(int from, int to)>;

    RowDragMove(QAbstractItemView *view, Prompt &prompt, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The row that row from takes when it is dropped at pos (viewport coordinates): in the upper
    // half of a row it goes above it, in the lower half below it, and after the last row in the
    // space below the rows.
    static int targetRow(const QAbstractItemView *view, int from, const QPoint &pos);
    int draggedRow() const;

    QAbstractItemView *m_view;
    Prompt &m_prompt;
    Handler m_handler;
};
