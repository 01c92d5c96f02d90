#pragma once

#include "page/PageModel.h"

#include <QListWidget>

// A check list box over an order of the page model (the build order or the object column order):
// one entry per text with its check mark, as large as its entries. Ticking an entry goes straight
// into the model; moving (by its buttons or by dragging an entry) is left to the tab, which reloads
// the list afterwards. Points to the model's list without owning it.
class CheckOrderList : public QListWidget
{
    Q_OBJECT

public:
    CheckOrderList(QList<CheckEntry> &entries, const QString &name, const QString &accessibleName,
                   QWidget *parent = nullptr);

    // Shows the model's entries with entry current selected (-1: none).
    void load(int current);
    // The selected entry, -1 without one.
    int selectedEntry() const;

    QList<CheckEntry> &entries() const { return m_entries; }

private:
    void entryTicked(QListWidgetItem *item);

    QList<CheckEntry> &m_entries;
};
