#pragma once

#include <QAbstractListModel>

class PageEditSession;

// A list model over the page session's offered entries (ObjBox): one row per entry, showing its
// text. Holds no entry itself; the view asks the session for the entry behind a row. Resets
// itself when the catalogue is about to be cleared, before any entry is freed.
class OfferedEntriesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit OfferedEntriesModel(const PageEditSession &page, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The offered entries have been rebuilt or emptied.
    void reload();

private:
    const PageEditSession &m_page;
    // The count the views were last told: the session may drop its entries before this model
    // hears of it, and the views must not see rows appear or vanish between two resets.
    int m_rows = 0;
};
