#pragma once

#include "page/OfferedFilter.h"

#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>

#include <functional>

class PageEditSession;

// The offered entries as the search field shows them: only those whose name or description
// contains the typed text, each with a tooltip telling its description, kind and range. Rows keep
// the order of the offered entries; mapToSource gives the position in them.
class OfferedSearchModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit OfferedSearchModel(const PageEditSession &page, QObject *parent = nullptr);

    // The text searched for; an empty one shows every entry.
    void setSearchText(const QString &text);
    const QString &searchText() const { return m_text; }
    // The offered entries were rebuilt: their names and descriptions are taken anew.
    void entriesChanged();
    // Only entries (positions in the offered entries) that accepted takes are shown; none: all.
    void setEntryFilter(std::function<bool(qsizetype)> accepted);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void applyFilter();

    const PageEditSession &m_page;
    OfferedFilter m_filter;
    QString m_text;
    QList<bool> m_accepted;
    std::function<bool(qsizetype)> m_entryFilter;
};

// Draws an offered entry with the part that matches the search text marked.
class SearchHighlightDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SearchHighlightDelegate(const OfferedSearchModel &search, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const OfferedSearchModel &m_search;
};
