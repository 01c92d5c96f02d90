#include "editor/CheckOrderList.h"

#include "dialogs/WidgetHelpers.h"

#include <QSignalBlocker>

CheckOrderList::CheckOrderList(PageEditSession &session, PageEditSession::Order order, const QString &name,
                               const QString &accessibleName, QWidget *parent)
    : QListWidget(parent), m_session(session), m_order(order)
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
    for (const CheckEntry &entry : m_session.order(m_order)) {
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

void CheckOrderList::moveSelected(int by)
{
    const int selected = selectedEntry();
    load(int(m_session.moveOrderEntry(m_order, selected, selected + by)));
}

void CheckOrderList::dropEntry(int from, int to)
{
    load(int(m_session.moveOrderEntry(m_order, from, to)));
}

void CheckOrderList::entryTicked(QListWidgetItem *item)
{
    m_session.tickOrderEntry(m_order, row(item), item->checkState() == Qt::Checked);
}
