#pragma once

#include <QTableView>

// The string grid of the object and macro rows. A cell counts as selected by the user only when
// the left mouse button or a navigation key puts it there: typing never jumps to another row
// (no type-ahead search, which in the input column would toggle the row it lands on), and the
// other mouse buttons neither select nor move the current cell.
class PageGridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    void keyboardSearch(const QString &search) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
