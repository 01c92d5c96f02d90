#include "editor/PageGridModel.h"

#include "page/Messages.h"
#include "page/PageModel.h"
#include "text/Prompt.h"

PageGridModel::PageGridModel(PageModel &page, Prompt &prompt, const QStringList &headers, QObject *parent)
    : QAbstractTableModel(parent), m_page(page), m_prompt(prompt), m_headers(headers)
{
}

int PageGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int PageGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant PageGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return cellText(gridRow(index), index.column());
}

QVariant PageGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headers.at(section);
}

Qt::ItemFlags PageGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Drops go between the rows (the view's root), not onto a cell.
    if (!index.isValid())
        return flags | Qt::ItemIsDropEnabled;
    if (index.column() == LabelColumn)
        flags |= Qt::ItemIsEditable;
    if (index.row() < rowCount() - 1)
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

Qt::DropActions PageGridModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

bool PageGridModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                    const QModelIndex &parent) const
{
    // No drop line below the blank row (row is the row a drop goes above); the page model refuses
    // such a move anyway.
    return row >= 0 && row < rowCount() && QAbstractTableModel::canDropMimeData(data, action, row, column, parent);
}

bool PageGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != LabelColumn || role != Qt::EditRole)
        return false;
    bool refused = false;
    const QString accepted = PageModel::acceptedLabel(value.toString(), &refused);
    if (refused)
        m_prompt.beep();
    QString &text = label(gridRow(index));
    if (text != accepted) {
        text = accepted;
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    }
    return true;
}

void PageGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

void PageGridModel::gridRowChanged(int row)
{
    emit dataChanged(gridIndex(row, 0), gridIndex(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}

ObjGridModel::ObjGridModel(PageModel &page, Prompt &prompt, QObject *parent)
    : PageGridModel(page, prompt, {PageMessages::ObjNameHeader, PageMessages::LabelHeader, PageMessages::InputHeader},
                    parent)
{
}

int ObjGridModel::gridRowCount() const
{
    return page().sgRowCount();
}

QString ObjGridModel::cellText(int row, int column) const
{
    const ObjRow &r = page().sgRow(row);
    return column == 0 ? r.name : column == LabelColumn ? r.label : r.input;
}

QString &ObjGridModel::label(int row)
{
    return page().sgRow(row).label;
}

MacroGridModel::MacroGridModel(PageModel &page, Prompt &prompt, QObject *parent)
    : PageGridModel(page, prompt, {PageMessages::MacroNameHeader, PageMessages::LabelHeader}, parent)
{
}

int MacroGridModel::gridRowCount() const
{
    return page().mgRowCount();
}

QString MacroGridModel::cellText(int row, int column) const
{
    const MacroRow &r = page().mgRow(row);
    return column == 0 ? r.name : r.label;
}

QString &MacroGridModel::label(int row)
{
    return page().mgRow(row).label;
}
