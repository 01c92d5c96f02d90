#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class PageModel;
class Prompt;

// A table model over one of the page model's row grids (object rows or macro rows), with the
// grid's header row as the horizontal header: view row v is grid row v + 1, and the last view row
// is the grid's blank row. Only the label column is editable; a label loses "@" and '"' with the
// error sound. The data rows can be dragged; a drop goes between rows, never below the blank row.
// Points to the page model and the prompt without owning them.
class PageGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int LabelColumn = 1;

    PageGridModel(PageModel &page, Prompt &prompt, const QStringList &headers, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;

    // The grid row of index (1 is the first data row), or 0 for an invalid index.
    static int gridRow(const QModelIndex &index) { return index.isValid() ? index.row() + 1 : 0; }
    // The index of grid row row in column; invalid outside the data rows and the blank row.
    QModelIndex gridIndex(int row, int column) const { return index(row - 1, column); }

    // The rows have been replaced: the view forgets everything it showed.
    void reload();
    // The texts of grid row row have changed.
    void gridRowChanged(int row);

protected:
    PageModel &page() const { return m_page; }

    // The grid's rows, header included (sgRowCount / mgRowCount).
    virtual int gridRowCount() const = 0;
    virtual QString cellText(int row, int column) const = 0;
    virtual QString &label(int row) = 0;

private:
    PageModel &m_page;
    Prompt &m_prompt;
    QStringList m_headers;
};

// The object rows (SG): Objektname, Bezeichnung, Eingabe.
class ObjGridModel final : public PageGridModel
{
public:
    static constexpr int InputColumn = 2;

    explicit ObjGridModel(PageModel &page, Prompt &prompt, QObject *parent = nullptr);

protected:
    int gridRowCount() const override;
    QString cellText(int row, int column) const override;
    QString &label(int row) override;
};

// The macro rows (MG): Makroname, Bezeichnung.
class MacroGridModel final : public PageGridModel
{
public:
    explicit MacroGridModel(PageModel &page, Prompt &prompt, QObject *parent = nullptr);

protected:
    int gridRowCount() const override;
    QString cellText(int row, int column) const override;
    QString &label(int row) override;
};
