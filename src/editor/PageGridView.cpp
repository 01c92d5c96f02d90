#include "editor/PageGridView.h"

#include <QMouseEvent>

void PageGridView::keyboardSearch(const QString &search)
{
    Q_UNUSED(search);
}

void PageGridView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void PageGridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void PageGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}
