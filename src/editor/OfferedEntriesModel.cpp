#include "editor/OfferedEntriesModel.h"

#include "catalogue/Catalogue.h"
#include "page/PageEditSession.h"

OfferedEntriesModel::OfferedEntriesModel(const PageEditSession &page, QObject *parent)
    : QAbstractListModel(parent), m_page(page), m_rows(int(page.offered().entries().size()))
{
    // Whoever else listens may have emptied the entries already; either way none are left.
    connect(&page.catalogue(), &Catalogue::aboutToClear, this, [this] {
        beginResetModel();
        m_rows = 0;
        endResetModel();
    });
}

int OfferedEntriesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant OfferedEntriesModel::data(const QModelIndex &index, int role) const
{
    const QList<OfferedEntry> &entries = m_page.offered().entries();
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= entries.size())
        return QVariant();
    return entries.at(index.row()).text;
}

void OfferedEntriesModel::reload()
{
    beginResetModel();
    m_rows = int(m_page.offered().entries().size());
    endResetModel();
}
