#include "editor/PageGridModel.h"

#include "page/InputCaption.h"
#include "page/Messages.h"
#include "page/PageEditSession.h"
#include "text/Prompt.h"

PageGridModel::PageGridModel(PageEditSession &session, RowKind kind, Prompt &prompt, QObject *parent)
    : QAbstractTableModel(parent), m_session(session), m_kind(kind), m_prompt(prompt)
{
    m_headers = kind == RowKind::Object
                    ? QStringList{PageMessages::ObjNameHeader, PageMessages::LabelHeader, PageMessages::InputHeader}
                    : QStringList{PageMessages::MacroNameHeader, PageMessages::LabelHeader};
}

const QList<PageRow> &PageGridModel::rows() const
{
    return m_session.document().rows(m_kind);
}

int PageGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows().size()) + 1;
}

int PageGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant PageGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (index.row() >= rows().size())
        return index.column() == LabelColumn ? m_blankLabel : QString();
    const PageRow &row = rows().at(index.row());
    switch (index.column()) {
    case 0:
        return row.name;
    case LabelColumn:
        return row.label;
    default:
        break;
    }
    return inputCaption(row);
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
    if (index.row() < rows().size())
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
    // No drop line below the blank row (row is the row a drop goes above); the session refuses
    // such a move anyway.
    return row >= 0 && row < rowCount() && QAbstractTableModel::canDropMimeData(data, action, row, column, parent);
}

bool PageGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != LabelColumn || role != Qt::EditRole)
        return false;
    bool refused = false;
    const QString accepted = acceptedLabel(value.toString(), &refused);
    if (refused)
        m_prompt.beep();
    if (data(index, Qt::EditRole).toString() == accepted)
        return true;
    if (index.row() < rows().size())
        m_session.setLabel(m_kind, index.row(), accepted);
    else
        m_blankLabel = accepted;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void PageGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

void PageGridModel::clearBlankRow()
{
    m_blankLabel.clear();
}

void PageGridModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}
