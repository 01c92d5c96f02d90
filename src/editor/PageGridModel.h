#pragma once

#include "page/PageDocument.h"

#include <QAbstractTableModel>
#include <QStringList>

class PageEditSession;
class Prompt;

// A table model over one row list of the page (object rows or macro rows): view row r is the
// page's row r, and the last view row is the grid's blank row, which is no row of the page (a
// label typed there stays in the grid until a row is added or another page is shown). Object rows
// show Objektname, Bezeichnung, Eingabe; macro rows Makroname, Bezeichnung. Only the label column
// is editable; a label loses "@" and '"' with the error sound. The data rows can be dragged; a drop
// goes between rows, never below the blank row. Points to the session and the prompt without
// owning them.
class PageGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int LabelColumn = 1;
    static constexpr int InputColumn = 2; // object rows only

    PageGridModel(PageEditSession &session, RowKind kind, Prompt &prompt, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;

    // The rows have been replaced: the view forgets everything it showed. The blank row keeps its label.
    void reload();
    // The blank row forgets its label (a row was added, another page is shown).
    void clearBlankRow();
    // The texts of row row have changed.
    void rowChanged(int row);

private:
    const QList<PageRow> &rows() const;

    PageEditSession &m_session;
    RowKind m_kind;
    Prompt &m_prompt;
    QStringList m_headers;
    QString m_blankLabel;
};
