#include "editor/CheckOrderList.h"

#include "dialogs/WidgetHelpers.h"

#include <QSignalBlocker>

CheckOrderList::CheckOrderList(QList<CheckEntry> &entries, const QString &name, const QString &accessibleName,
                               QWidget *parent)
    : QListWidget(parent), m_entries(entries)
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Ticking needs no handler of the window and marks nothing as changed.
    connect(this, &QListWidget::itemChanged, this, &CheckOrderList::entryTicked);
}

void CheckOrderList::load(int current)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const CheckEntry &entry : m_entries) {
        auto *item = new QListWidgetItem(entry.text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    setCurrentRow(current);
    // A few short entries: the list is just as large as they are.
    if (const int rowHeight = sizeHintForRow(0); rowHeight > 0) {
        const int frame = 2 * frameWidth();
        setFixedSize(sizeHintForColumn(0) + frame, rowHeight * count() + frame);
    }
}

int CheckOrderList::selectedEntry() const
{
    return selectedRow(this);
}

void CheckOrderList::entryTicked(QListWidgetItem *item)
{
    const int index = row(item);
    if (index >= 0 && index < m_entries.size())
        m_entries[index].checked = item->checkState() == Qt::Checked;
}
