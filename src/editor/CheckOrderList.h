#pragma once

#include "page/PageEditSession.h"

#include <QListWidget>

// A check list box over an order of the page (the build order or the object column order): one
// entry per text with its check mark, as large as its entries. Ticking an entry and moving one (by
// the tab's arrow buttons or by dragging it) go to the session, and the list shows the result.
// Points to the session without owning it.
class CheckOrderList : public QListWidget
{
    Q_OBJECT

public:
    CheckOrderList(PageEditSession &session, PageEditSession::Order order, const QString &name,
                   const QString &accessibleName, QWidget *parent = nullptr);

    // Shows the page's entries with entry current selected (-1: none).
    void load(int current);
    // Shows them again, the selection kept.
    void reload() { load(currentRow()); }
    // The selected entry, -1 without one.
    int selectedEntry() const;

    // The selected entry one place up (by -1) or down (by 1).
    void moveSelected(int by);
    // An entry dragged from position from and dropped to take position to.
    void dropEntry(int from, int to);

private:
    void entryTicked(QListWidgetItem *item);

    PageEditSession &m_session;
    PageEditSession::Order m_order;
};
